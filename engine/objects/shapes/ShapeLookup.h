#pragma once
// How collections of shapes find one by a 1-based index or by its name, as
// Shapes.Item, Shapes.Range and GroupItems.Item take either.

#include <pugixml.hpp>
#include <string_view>
#include <vector>

#include "engine/model/shapes/ShapeNames.h"
#include "objectmodel/automation/Dispatch.h"

namespace quillmere::engine {

// The tree child at that index or with that name (case-insensitive, the
// first of equal names, the collection's own shapes before group members);
// throws ComError as PowerPoint fails for a bad key. Shapes.Range also finds a
// group's members by name, where Item finds only the shapes of the collection
// itself: it passes the names of the part's shapes.
pugi::xml_node ShapeByIndexOrName(const std::vector<pugi::xml_node>& shapes, const Value& key,
                                  std::string_view collection, const ShapeNames* groupMembersToo = nullptr);

}  // namespace quillmere::engine
