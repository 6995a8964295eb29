#include "support/files/FileBytes.h"

#include <windows.h>

#include <algorithm>

#include "support/text/windows/WideText.h"

namespace quillmere {

// Only disk files are read: a pipe or device at the path must not hang the read.
std::vector<std::uint8_t> ReadFileBytes(const std::string& path, std::int64_t lastIndex) {
  HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::vector<std::uint8_t> bytes;
  LARGE_INTEGER size{};
  if (GetFileType(file) == FILE_TYPE_DISK && GetFileSizeEx(file, &size)) {
    std::int64_t wanted = size.QuadPart;
    if (lastIndex >= 0 && lastIndex + 1 < wanted) wanted = lastIndex + 1;
    bytes.resize(static_cast<std::size_t>(wanted));
    std::size_t got = 0;
    while (got < bytes.size()) {
      DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - got, 1u << 30)), read = 0;
      if (!::ReadFile(file, bytes.data() + got, chunk, &read, nullptr) || read == 0) break;
      got += read;
    }
    bytes.resize(got);
  }
  CloseHandle(file);
  return bytes;
}

}  // namespace quillmere
