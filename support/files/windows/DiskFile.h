#pragma once
// A disk file opened for reading as a C runtime descriptor, for the checks
// that read a file's layout (support/storage/CompoundFileDirectory.h).

#include <windows.h>

#include <string>

namespace quillmere {

// -1 with GetLastError() telling why (ERROR_BAD_FILE_TYPE for a pipe or device) when it cannot be opened.
int OpenDiskFileForReading(const std::string& path, DWORD share);

}  // namespace quillmere
