#pragma once
// A slide's own colour scheme, written only when it differs from its layout's.

#include <pugixml.hpp>

#include "objectmodel/automation/Object.h"

namespace quillmere {

struct ExportContext;

// Appends ColorScheme (the theme name and the twelve colours) to the slide element.
void ColorSchemeProperties(const Object& slide, pugi::xml_node slideElement);

// True when the slide's twelve theme colours equal its custom layout's; always
// true before PowerPoint 2007, which has no theme colours.
bool SlideColorsMatchLayout(ExportContext& context, const Object& slide);

}  // namespace quillmere
