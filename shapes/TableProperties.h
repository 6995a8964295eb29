#pragma once
// A table as a "Table" element: its flags, row heights and column widths,
// and every cell with its span, text, fill and borders. Merged cells are
// found by geometry: PowerPoint gives each cell of a merged region the
// region's frame.

#include <pugixml.hpp>

#include "objectmodel/automation/Object.h"

namespace quillmere {

struct ExportContext;

void TableProperties(ExportContext& context, const Object& shape, pugi::xml_node shapeElement);

}  // namespace quillmere
