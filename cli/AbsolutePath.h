#pragma once
// Paths given on the command line, made absolute so that what the tool
// prints means the same from any folder.

#include <string>

namespace quillmere::cli {

// Relative paths mean the caller's working folder; empty stays empty.
std::string Absolute(const std::string& path);

}  // namespace quillmere::cli
