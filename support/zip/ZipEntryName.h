#pragma once
// Turning a zip entry name into a path below the extraction folder. Archives
// come from anywhere, so any name that could reach outside the folder is
// refused rather than repaired.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillmere {

// The folder names and file name of the entry ('/' and '\' both separate; "."
// and empty segments drop out). Nullopt, with the reason in *why, for an empty
// name, an absolute path, a drive letter, a ".." segment or a control
// character. A folder entry ("a/b/") answers its folders and an empty last
// segment.
std::optional<std::vector<std::string>> SafeEntryPath(std::string_view name, std::string* why = nullptr);

// The name with every '/' turned into '\', as the events show names.
std::string BackslashName(std::string_view name);

// The name with every '\' turned into '/'.
std::string ForwardSlashName(std::string_view name);

}  // namespace quillmere
