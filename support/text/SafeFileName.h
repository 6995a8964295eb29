#pragma once
// One file or folder name taken from an archive, to be made inside the
// extraction folder. Names come from anywhere, so a name that could reach
// outside the folder, or that no folder can hold, is refused, not repaired.

#include <string>
#include <string_view>

namespace quillmere {

// False, with the reason in *why, for an empty or blank name, ".", "..", a
// name holding '/' or '\', a drive letter, or a control character.
bool SafeFileName(std::string_view name, std::string* why = nullptr);

}  // namespace quillmere
