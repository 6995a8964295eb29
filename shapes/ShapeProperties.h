#pragma once
// One shape of a slide, master or layout as a Shape element, with an image in
// the output folder for shapes the host cannot draw from their properties.

#include <pugixml.hpp>

#include "objectmodel/automation/Object.h"

namespace quillmere {

// countProgress counts the shape in the export's progress (not for group members).
void ShapeProperties(const Object& shape, pugi::xml_node parent, bool countProgress);

// Counts one shape in the export's progress; for shapes of a slide that are
// not written here, so the count still reaches the total.
void CountShapeProgress();

}  // namespace quillmere
