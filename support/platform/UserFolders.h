#pragma once
// The per-user base folders, read at every call so that a changed environment takes effect.
// Both end in the path separator; empty when not known.

#include <string>

namespace quillmere {

// Linux: $XDG_CONFIG_HOME, by default ~/.config/. Windows: the roaming application-data folder.
std::string UserConfigFolder();

// Linux: $XDG_DATA_HOME, by default ~/.local/share/. Windows: the roaming application-data folder.
std::string UserDataFolder();

}  // namespace quillmere
