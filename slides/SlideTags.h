#pragma once
// Tag values and slide titles, read the same way by every writer.

#include <string>
#include <string_view>

#include "component/automation/Object.h"

namespace quillmere {

// object.Tags.Item(name) of a presentation, slide or shape; empty text when
// the tag is missing or cannot be read.
std::string GetTag(const Object& object, std::string_view name);

// The slide's title as the host shows it: the title placeholder's first line,
// or the authoring tool's title tag, or "Slide N"; spaces as "&#160;".
std::string GetSlideTitle(const Object& slide);
std::string GetTitlePlaceholderText(const Object& slide, const std::string& fallback);

}  // namespace quillmere
