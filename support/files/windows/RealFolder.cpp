#include "support/files/RealFolder.h"

#include <windows.h>

#include "support/text/windows/WideText.h"

namespace quillmere {

bool MakeRealFolder(const std::string& path) {
  std::wstring wide = Wide(path);
  if (CreateDirectoryW(wide.c_str(), nullptr)) return true;
  if (GetLastError() != ERROR_ALREADY_EXISTS) return false;
  DWORD attributes = GetFileAttributesW(wide.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
         !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

}  // namespace quillmere
