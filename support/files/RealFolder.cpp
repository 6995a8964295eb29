#include "support/files/RealFolder.h"

#include <sys/stat.h>

#include <cerrno>

namespace quillmere {

bool MakeRealFolder(const std::string& path) {
  if (mkdir(path.c_str(), 0755) == 0) return true;
  struct stat st {};
  return errno == EEXIST && lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace quillmere
