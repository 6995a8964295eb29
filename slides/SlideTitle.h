#pragma once
// Slide titles, read the same way by the slide and thumbnail writers.

#include <string>
#include <string_view>

#include "objectmodel/automation/Object.h"

namespace quillmere {

// The slide's title as the host shows it: the title placeholder's first line,
// or the authoring tool's title tag, or "Slide N"; spaces as "&#160;".
std::string GetSlideTitle(const Object& slide);
std::string GetTitlePlaceholderText(const Object& slide, const std::string& fallback);

}  // namespace quillmere
