#pragma once
// The error a member raises when it refuses a call, named as PowerPoint
// names it: "Member : why".

#include <string_view>

#include "objectmodel/automation/ComError.h"

namespace quillmere::engine {

[[noreturn]] void FailMember(std::string_view member, std::string_view why, HResult number = hr::kUnspecified);

}  // namespace quillmere::engine
