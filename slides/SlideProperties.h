#pragma once
// One slide of presentationinfo.xml: its title, thumbnail, display and
// navigation settings, transition, layout and background.

#include <cstdint>

#include <pugixml.hpp>

#include "objectmodel/automation/Object.h"

namespace quillmere {

struct ExportContext;

// Appends one Slide element to parent. exportImage also writes the slide's
// own image at full slide size (one-slide exports, where no presentation-wide
// image export ran).
void SlideProperties(ExportContext& context, const Object& slide, pugi::xml_node parent, bool exportImage);

// The version of the authoring project that last edited the presentation:
// its version tag, else its project-version document property; 0 when neither.
std::int16_t GetProjectVersion(const Object& presentation);

// The first placeholder of the slide's notes page of the given type, or an
// empty handle.
Object FindNotesPlaceholder(const Object& slide, std::int32_t placeholderType);

}  // namespace quillmere
