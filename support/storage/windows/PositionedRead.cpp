#include "support/storage/PositionedRead.h"

#include <io.h>
#include <windows.h>

namespace quillmere {

// The offset goes in the OVERLAPPED block; the handle is synchronous, so ReadFile waits for the bytes.
bool ReadAt(int fd, std::uint64_t offset, void* buffer, std::size_t size) {
  HANDLE file = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
  if (file == INVALID_HANDLE_VALUE || size > MAXDWORD) return false;
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(offset);
  at.OffsetHigh = static_cast<DWORD>(offset >> 32);
  DWORD read = 0;
  return ::ReadFile(file, buffer, static_cast<DWORD>(size), &read, &at) && read == size;
}

std::optional<std::uint64_t> OpenFileSize(int fd) {
  HANDLE file = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
  LARGE_INTEGER size{};
  if (file == INVALID_HANDLE_VALUE || !GetFileSizeEx(file, &size)) return std::nullopt;
  return static_cast<std::uint64_t>(size.QuadPart);
}

}  // namespace quillmere
