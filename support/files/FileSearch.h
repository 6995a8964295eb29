#pragma once
// Finding files by wildcard pattern the way the host's file search does:
// names compare without regard to case, and the first match in name order wins.

#include <string>
#include <string_view>

namespace quillmere {

// The name (not the path) of the first regular file in folder whose name matches
// pattern ('*' and '?' wildcards, case-insensitive); empty when none matches
// or the folder cannot be read.
std::string FindFirstFile(std::string_view folder, std::string_view pattern);

// The name of the first sub-folder of folder in name order; empty when none.
std::string FindFirstFolder(std::string_view folder);

}  // namespace quillmere
