#pragma once
// Where a shape is on its slide: its own a:xfrm mapped through every group
// that encloses it (child offset and extent onto the group's offset and
// extent), or for a placeholder without one the frame of its layout, else
// master, counterpart. Rotation and flips stay in the shape's own a:xfrm.

#include <optional>
#include <pugixml.hpp>
#include <string>
#include <vector>

#include "engine/model/document/DrawingUnits.h"
#include "engine/model/document/PresentationDocument.h"
#include "engine/model/shapes/ShapeFrame.h"

namespace quillmere::engine {


// The a:xfrm (p:xfrm of a graphic frame) of a resolved shape, or an empty node.
pugi::xml_node TransformOf(const pugi::xml_node& shape);
// The same, made (empty) when missing; an empty node for a shape that cannot hold one.
pugi::xml_node MakeTransform(pugi::xml_node shape);

// The frame in the coordinates of the shape's tree or group, in EMU; for a
// placeholder without a:off and a:ext, its counterpart's. Nothing when neither has one.
std::optional<Frame> OwnFrame(PresentationDocument& doc, const std::string& part, const pugi::xml_node& shape);
// A frame in a group's child coordinates taken to the coordinates the group sits in.
Frame FromGroupChildSpace(const pugi::xml_node& group, const Frame& inChildSpace);
Frame ToGroupChildSpace(const pugi::xml_node& group, const Frame& inParentSpace);

// The groups enclosing a shape, innermost first.
std::vector<pugi::xml_node> EnclosingGroups(const pugi::xml_node& shape);

// The frame on the slide, in points (all zero without any frame).
Frame SlideFrame(PresentationDocument& doc, const std::string& part, const pugi::xml_node& shape);
// Moves and sizes the shape so that its slide frame becomes the one given, in
// points, writing its own a:xfrm (made when it had none). False for a shape
// that cannot hold a frame.
bool SetSlideFrame(const pugi::xml_node& shape, const Frame& f);

// Writes a:off and a:ext of an a:xfrm, in EMU.
void WriteFrame(pugi::xml_node xfrm, const Frame& emu);

}  // namespace quillmere::engine
