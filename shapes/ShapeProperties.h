#pragma once
// One shape of a slide, master or layout as a Shape element, with an image in
// the output folder for shapes the host cannot draw from their properties.

#include <pugixml.hpp>

#include "objectmodel/automation/Object.h"

namespace quillmere {

struct ExportContext;

// countProgress counts the shape in the export's progress (not for group members).
void ShapeProperties(ExportContext& context, const Object& shape, pugi::xml_node parent, bool countProgress);

}  // namespace quillmere
