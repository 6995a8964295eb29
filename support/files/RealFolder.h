#pragma once
// Folders that extraction writes into.

#include <string>

namespace quillmere {

// A folder one may write into: made now, or already there as a real folder;
// a link (or on Windows a junction) in its place is never followed.
bool MakeRealFolder(const std::string& path);

}  // namespace quillmere
