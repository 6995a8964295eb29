#include "support/files/FileBytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace quillmere {

std::vector<std::uint8_t> ReadFileBytes(const std::string& path, std::int64_t lastIndex) {
  int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return {};
  struct stat st {};
  std::vector<std::uint8_t> bytes;
  if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
    std::int64_t size = st.st_size;
    if (lastIndex >= 0 && lastIndex + 1 < size) size = lastIndex + 1;
    bytes.resize(static_cast<std::size_t>(size));
    std::size_t got = 0;
    while (got < bytes.size()) {
      ssize_t n = read(fd, bytes.data() + got, bytes.size() - got);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
  }
  close(fd);
  return bytes;
}

}  // namespace quillmere
