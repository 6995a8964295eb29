#pragma once
// The fill and outline a shape shows, as PowerPoint finds them: its own
// properties, else its style's entry in the theme's style matrix, else the
// same on its placeholder's layout and master counterparts. A group fill is
// the fill of the group around the shape. A table cell (a:tc) stands for a
// shape too: its own a:tcPr, else what the table's style gives it; so does a
// background (p:bg): its p:bgPr, else the theme's background fill it names.

#include <string>
#include <vector>

#include <pugixml.hpp>

#include "engine/model/document/PresentationDocument.h"

namespace quillmere::engine {

// An element in effect and what phClr stands for inside it (the colour of the
// style reference it came from; empty for a shape's own properties).
struct StyledNode {
  pugi::xml_node node;
  pugi::xml_node placeholderColor;
};

// Whether the element is one of the fill kinds of shape properties.
bool IsFillElement(const pugi::xml_node& node);
// The fill element among the children of spPr, a:ln, p:bgPr, a:tcPr, ...
pugi::xml_node FillChildOf(const pugi::xml_node& holder);

// a:noFill, a:solidFill, a:gradFill, a:blipFill or a:pattFill in effect, or
// an empty node when nothing gives the shape a fill.
StyledNode EffectiveFill(PresentationDocument& doc, const std::string& part, const pugi::xml_node& shape);

// The line elements that decide the shape's outline, nearest first: each
// property (width, fill, dash, ends) comes from the first that sets it. line
// names the element: a:ln, or for a cell's side a:lnL, a:lnT, ...
std::vector<StyledNode> LineLevels(PresentationDocument& doc, const std::string& part, const pugi::xml_node& shape,
                                   std::string_view line);

// The shape's own line element of that name, made when missing, where the schema wants it.
pugi::xml_node OwnLine(const pugi::xml_node& shape, std::string_view line);
// Replaces the fill among the children of holder by a new element of that name.
pugi::xml_node ReplaceFill(pugi::xml_node holder, std::string_view localName);

}  // namespace quillmere::engine
