#pragma once
// Text in the system's own encoding, for files that other programs read as
// plain text: UTF-8 on Linux, the ANSI code page on Windows.

#include <string>
#include <string_view>

namespace quillmere {

// Characters the encoding lacks become its default character.
std::string SystemText(std::string_view utf8);

}  // namespace quillmere
