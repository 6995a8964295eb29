#pragma once
// The per-user base folders of the desktop conventions, read from the
// environment at every call so that a changed environment takes effect.

#include <string>
#include <string_view>

namespace quillmere {

// The folder named by the environment variable when it is set to an absolute
// path, otherwise the home folder followed by homeRelative; ends in '/'.
// Empty when neither is known.
std::string UserFolder(const char* variable, std::string_view homeRelative);

// $XDG_CONFIG_HOME, by default ~/.config/.
inline std::string UserConfigFolder() { return UserFolder("XDG_CONFIG_HOME", ".config"); }

// $XDG_DATA_HOME, by default ~/.local/share/.
inline std::string UserDataFolder() { return UserFolder("XDG_DATA_HOME", ".local/share"); }

}  // namespace quillmere
