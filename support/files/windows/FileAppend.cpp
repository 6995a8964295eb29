#include "support/files/FileAppend.h"

#include <windows.h>

#include <algorithm>

#include "support/text/windows/WideText.h"

namespace quillmere {

// With only FILE_APPEND_DATA every write lands at the end of the file as one piece.
void AppendToFile(const std::string& path, std::string_view bytes) {
  constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  HANDLE file = CreateFileW(Wide(path).c_str(), FILE_APPEND_DATA, kShareAll, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  while (!bytes.empty()) {
    DWORD written = 0;
    DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) break;
    bytes.remove_prefix(written);
  }
  CloseHandle(file);
}

}  // namespace quillmere
