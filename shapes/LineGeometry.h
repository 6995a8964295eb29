#pragma once
// Lines and connectors as straight segments around the centre of their frame,
// so that the host draws them without knowing PowerPoint's connector geometry.

#include <pugixml.hpp>

#include "objectmodel/automation/Object.h"

namespace quillmere {

struct ExportContext;

// A straight line or connector: one segment from corner to corner, as flipped.
void WriteStraightLineCoordinates(ExportContext& context, const Object& shape, pugi::xml_node shapeElement);
// An elbow connector: its segments through the elbows its adjustments place.
void WriteElbowCoordinates(ExportContext& context, const Object& shape, pugi::xml_node shapeElement);

}  // namespace quillmere
