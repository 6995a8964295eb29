#include "support/files/windows/DiskFile.h"

#include <io.h>

#include "support/text/windows/WideText.h"

namespace quillmere {

int OpenDiskFileForReading(const std::string& path, DWORD share) {
  HANDLE file =
      CreateFileW(Wide(path).c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return -1;
  DWORD error = ERROR_BAD_FILE_TYPE;
  int fd = -1;
  if (GetFileType(file) == FILE_TYPE_DISK) {
    fd = _open_osfhandle(reinterpret_cast<intptr_t>(file), 0);
    error = GetLastError();
  }
  if (fd < 0) {
    CloseHandle(file);
    SetLastError(error);
  }
  return fd;
}

}  // namespace quillmere
