#pragma once
// Tag values, read the same way by every writer.

#include <string>
#include <string_view>

#include "objectmodel/automation/Object.h"

namespace quillmere {

// object.Tags.Item(name) of a presentation, slide or shape; empty text when
// the tag is missing or cannot be read.
std::string GetTag(const Object& object, std::string_view name);

// Replaces the tag: Tags.Delete(name), then Tags.Add(name, value). Each call
// may fail on its own (deleting a tag that is not there does); false when
// either did.
bool SetTag(const Object& object, std::string_view name, std::string_view value);

}  // namespace quillmere
