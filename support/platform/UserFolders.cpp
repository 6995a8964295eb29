#include "support/platform/UserFolders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <string_view>
#include <vector>

#include "support/files/Paths.h"

namespace quillmere {
namespace {

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  long size = sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_dir)
    return found->pw_dir;
  return {};
}

// The folder named by the environment variable when it is set to an absolute
// path, otherwise the home folder followed by homeRelative.
std::string UserFolder(const char* variable, std::string_view homeRelative) {
  if (const char* value = std::getenv(variable); value && *value == '/') return AddPathSeparator(value);
  std::string home = HomeFolder();
  return home.empty() ? std::string() : AddPathSeparator(AddPathSeparator(home) + std::string(homeRelative));
}

}  // namespace

std::string UserConfigFolder() { return UserFolder("XDG_CONFIG_HOME", ".config"); }
std::string UserDataFolder() { return UserFolder("XDG_DATA_HOME", ".local/share"); }

}  // namespace quillmere
