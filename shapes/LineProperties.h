#pragma once
// The outline of a shape, or one side of a table cell's border, as a Line element.

#include <pugixml.hpp>

#include "objectmodel/automation/Object.h"

namespace quillmere {

struct ExportContext;

// lineFormat may be empty: a freeform then writes an invisible line, any other
// shape its own Line.
void LineProperties(ExportContext& context, const Object& shape, pugi::xml_node parent, const Object& lineFormat);

}  // namespace quillmere
