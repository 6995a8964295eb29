#pragma once
// The four border sides of a table cell, each a full Line element with the
// side's weight, colour and dash style repeated after it.

#include <pugixml.hpp>

#include "objectmodel/automation/Object.h"

namespace quillmere {

struct ExportContext;

// Appends "Borders" to cellElement; cellShape is the cell's Shape, whose
// parent answers the theme colours.
void CellBorders(ExportContext& context, const Object& cell, pugi::xml_node cellElement, const Object& cellShape);

}  // namespace quillmere
