#include "support/storage/PositionedRead.h"

#include <sys/stat.h>
#include <unistd.h>

namespace quillmere {

bool ReadAt(int fd, std::uint64_t offset, void* buffer, std::size_t size) {
  return pread(fd, buffer, size, static_cast<off_t>(offset)) == static_cast<ssize_t>(size);
}

std::optional<std::uint64_t> OpenFileSize(int fd) {
  struct stat st {};
  if (fstat(fd, &st) != 0) return std::nullopt;
  return static_cast<std::uint64_t>(st.st_size);
}

}  // namespace quillmere
