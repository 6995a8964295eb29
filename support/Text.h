#pragma once
// Small text helpers shared across the library.

#include <string>
#include <string_view>

namespace quillmere {

// ASCII lower-casing, as names of members, tags and files compare.
std::string LowerAscii(std::string_view text);

}  // namespace quillmere
