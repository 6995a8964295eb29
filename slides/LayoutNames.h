#pragma once
// Names of PowerPoint's slide layouts before custom layouts existed, when a
// layout was only a number on each slide.

#include <cstdint>
#include <string_view>

namespace quillmere {

// The name of a PpSlideLayout value from 1 to 31; empty for any other value.
std::string_view LayoutName(std::int32_t layout);

}  // namespace quillmere
