#pragma once
// What a table's style gives one of its cells. The style (the a:tblStyle of
// the package's table styles that the table names; a table naming none has
// none) formats parts of the table: the whole table, banded rows and columns, the
// first and last rows and columns and the four corner cells, each part but
// the whole table switched on by a flag of the table. A cell takes each
// property from the highest-ranking part it belongs to that sets it. A style
// the package does not define (one of PowerPoint's built-in styles) gives no
// fill or lines, and its cells' text the theme's minor font.

#include <pugixml.hpp>
#include <string>
#include <string_view>

#include "engine/model/document/PresentationDocument.h"
#include "engine/model/format/ShapeFill.h"

namespace quillmere::engine {

// The fill element the style gives a cell (a:tc), or an empty node.
StyledNode TableStyleFill(PresentationDocument& doc, const std::string& part, const pugi::xml_node& cell);
// The a:ln the style gives one side of a cell, the side named as the cell's
// own line element (lnL, lnR, lnT, lnB, lnTlToBr, lnBlToTr); an outer edge
// of a part takes the part's left, right, top or bottom line, an edge inside
// it the part's insideV or insideH. An empty node when the style gives none.
StyledNode TableStyleLine(PresentationDocument& doc, const std::string& part, const pugi::xml_node& cell,
                          std::string_view side);
// Adds to `defaults` (an a:defRPr made by the caller) what the style gives
// the cell's text: bold and italic, the theme's or named fonts, and the colour.
void TableStyleTextDefaults(PresentationDocument& doc, const pugi::xml_node& cell, pugi::xml_node defaults);

}  // namespace quillmere::engine
