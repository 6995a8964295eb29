#pragma once
// Tag values, read the same way by every writer.

#include <string>
#include <string_view>

#include "component/automation/Object.h"

namespace quillmere {

// object.Tags.Item(name) of a presentation, slide or shape; empty text when
// the tag is missing or cannot be read.
std::string GetTag(const Object& object, std::string_view name);

}  // namespace quillmere
