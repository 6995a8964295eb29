#include "support/platform/UserFolders.h"

#include <windows.h>
#include <shlobj.h>

#include "support/files/Paths.h"
#include "support/text/windows/WideText.h"

namespace quillmere {
namespace {

// The shell's special folder (CSIDL_APPDATA for the export log); empty when the shell has none.
std::string SpecialFolder(int folder) {
  wchar_t path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, folder, nullptr, SHGFP_TYPE_CURRENT, path)) || path[0] == L'\0') return {};
  return AddPathSeparator(Narrow(path));
}

}  // namespace

std::string UserConfigFolder() { return SpecialFolder(CSIDL_APPDATA); }
std::string UserDataFolder() { return SpecialFolder(CSIDL_APPDATA); }

}  // namespace quillmere
