#include "support/files/ExpandEnvironment.h"

#include <windows.h>
// windows.h names the W call by our function's name; ours keeps its own name.
#undef ExpandEnvironmentStrings

#include "support/text/windows/WideText.h"

namespace quillmere {

// The process's own environment, as SetEnvironmentVariable leaves it (the C runtime keeps a copy).
std::string ExpandEnvironmentStrings(std::string_view text) {
  std::wstring wide = Wide(text);
  std::wstring expanded(wide.size() + 1, L'\0');
  for (;;) {
    DWORD needed = ::ExpandEnvironmentStringsW(wide.c_str(), expanded.data(), static_cast<DWORD>(expanded.size()));
    if (needed == 0) return std::string(text);
    if (needed <= expanded.size()) {
      expanded.resize(needed - 1);  // the count includes the terminating NUL
      return Narrow(expanded);
    }
    expanded.resize(needed);
  }
}

}  // namespace quillmere
