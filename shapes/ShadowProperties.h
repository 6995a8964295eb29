#pragma once
// The shadow of a shape as a Shadow element.

#include <pugixml.hpp>

#include "objectmodel/automation/Object.h"

namespace quillmere {

struct ExportContext;

// owner is the shape's slide, master or layout, for theme colours.
void ShadowProperties(ExportContext& context, const Object& shape, pugi::xml_node parent, const Object& owner);

}  // namespace quillmere
