#include "support/zip/ZipFileWriting.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "support/files/Paths.h"

namespace quillmere {

FolderHandle::~FolderHandle() {
  if (fd_ >= 0) close(fd_);
}

FolderHandle& FolderHandle::operator=(FolderHandle&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) close(fd_);
    fd_ = other.fd_;
    other.fd_ = -1;
  }
  return *this;
}

FolderHandle OpenExtractionFolder(const std::string& folder) {
  return FolderHandle(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

FolderHandle OpenSubfolder(const FolderHandle& root, const std::vector<std::string>& folders, bool create) {
  FolderHandle current(fcntl(root.Fd(), F_DUPFD_CLOEXEC, 0));
  for (const std::string& name : folders) {
    if (!current.IsOpen()) break;
    if (create && mkdirat(current.Fd(), name.c_str(), 0755) != 0 && errno != EEXIST) return FolderHandle();
    // O_NOFOLLOW: a link planted where a folder should be must not lead elsewhere.
    current = FolderHandle(openat(current.Fd(), name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  }
  return current;
}

std::optional<struct stat> ExistingEntry(const FolderHandle& folder, const std::string& name) {
  struct stat st {};
  if (fstatat(folder.Fd(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return std::nullopt;
  return st;
}

ExtractedFile::ExtractedFile(const FolderHandle& folder, std::string name)
    : folderFd_(folder.Fd()), name_(std::move(name)) {
  for (int attempt = 0; attempt < 8 && fd_ < 0; ++attempt) {
    temporaryName_ = "." + name_ + "." + RandomName(8) + ".part";
    if (temporaryName_.size() > 255) temporaryName_ = "." + RandomName(16) + ".part";
    fd_ = openat(folderFd_, temporaryName_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd_ < 0 && errno != EEXIST) break;
  }
}

ExtractedFile::~ExtractedFile() { Abandon(); }

bool ExtractedFile::Write(const char* data, std::size_t size) {
  while (size > 0) {
    ssize_t n = write(fd_, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

bool ExtractedFile::Commit(std::time_t modified) {
  struct timespec times[2] = {{modified, 0}, {modified, 0}};
  bool ok = futimens(fd_, times) == 0;
  ok = close(fd_) == 0 && ok;
  fd_ = -1;
  // renameat replaces a link at the target name itself, never what it points to.
  if (ok && renameat(folderFd_, temporaryName_.c_str(), folderFd_, name_.c_str()) == 0) {
    temporaryName_.clear();
    return true;
  }
  Abandon();
  return false;
}

void ExtractedFile::Abandon() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  if (!temporaryName_.empty()) unlinkat(folderFd_, temporaryName_.c_str(), 0);
  temporaryName_.clear();
}

}  // namespace quillmere
