#pragma once
// The edits writers make to a part's shapes and undo again: copies, removals,
// new autoshapes and ungrouping, made in the part's DOM so that a saved or
// drawn copy shows them. Each marks the part changed.

#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "engine/model/document/PresentationDocument.h"
#include "engine/model/shapes/ShapeGeometry.h"

namespace quillmere::engine {

// Points PowerPoint moves a duplicate right and down from its original.
inline constexpr double kDuplicateOffset = 12.0;

// Gives a copy just placed in the part fresh shape ids, its members' too,
// the copy itself the first, which is returned.
unsigned GiveFreshShapeIds(PresentationDocument& doc, const std::string& part, const pugi::xml_node& copy);
// Takes the ids a copy of the shape needs (its members' too): the first of them.
unsigned TakeCopyIds(PresentationDocument& doc, const std::string& part, const pugi::xml_node& shape);
// A deep copy of a tree child placed on top of its tree or group, with the ids
// taken for it from firstId on, the original's name numbered anew, and moved
// by kDuplicateOffset.
pugi::xml_node DuplicateShape(PresentationDocument& doc, const std::string& part, const pugi::xml_node& treeChild,
                              unsigned firstId);
void DeleteShape(PresentationDocument& doc, const std::string& part, const pugi::xml_node& treeChild);
// A p:sp of that preset geometry in front of the others, styled as PowerPoint
// styles a new shape (theme accent fill and line, centred light text).
pugi::xml_node AddPresetShape(PresentationDocument& doc, const std::string& part, std::string_view preset,
                              const Frame& points);
// Where ZOrder moves a shape among its siblings (PowerPoint's MsoZOrderCmd numbers).
enum class ZOrderMove { BringToFront = 0, SendToBack = 1, BringForward = 2, SendBackward = 3 };
void ReorderShape(PresentationDocument& doc, const std::string& part, const pugi::xml_node& treeChild,
                  ZOrderMove move);
// Moves a group's members into the group's place, each keeping where it is
// seen on the slide (a turned group's turn passed on to them), and removes the group. The members, back to front.
std::vector<pugi::xml_node> UngroupShape(PresentationDocument& doc, const std::string& part,
                                         const pugi::xml_node& group);

}  // namespace quillmere::engine
