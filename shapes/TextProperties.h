#pragma once
// The text of a shape: the "TextFrame" element with the frame's layout and,
// under it, every paragraph with its bullet, tabs, spacing and indents and
// every run with its text and font.

#include <string_view>

#include <pugixml.hpp>

#include "objectmodel/automation/Object.h"

namespace quillmere {

struct ExportContext;

// A shape's text frame; its text only when there is some.
void TextFrameProperties(ExportContext& context, const Object& shape, pugi::xml_node shapeElement);
// A placeholder's text frame, in the order the placeholder writer gives it,
// with the text whether or not there is any.
void PlaceholderTextFrame(ExportContext& context, const Object& shape, pugi::xml_node shapeElement);
// The paragraphs of the shape's text under a new element of that name.
void TextRangeProperties(ExportContext& context, const Object& shape, pugi::xml_node parent,
                         std::string_view elementName);

}  // namespace quillmere
