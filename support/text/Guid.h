#pragma once
// Random identifiers in the registry's GUID text form.

#include <cstddef>
#include <string>

namespace quillmere {

// A new random (version 4) GUID as "XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX" in
// upper-case hex, cut to its right-most `length` characters; empty when no
// random source is available.
std::string NewGuidText(std::size_t length);

}  // namespace quillmere
