#pragma once
// The failures cRegistry raises, with the texts the host shows.

#include <cstdint>
#include <string_view>

namespace quillmere {

[[noreturn]] void RaiseSetValueFailure(std::int32_t root, std::string_view section, std::string_view name,
                                       std::string_view valueText);

}  // namespace quillmere
