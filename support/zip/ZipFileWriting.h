#pragma once
// Writing extracted files below the extraction folder without ever following
// a symbolic link that is already there: folders are walked one level at a
// time relative to the folder above, files are written under a temporary name
// and renamed over the target, so a link in the way is replaced, not followed,
// and a failed entry leaves any earlier file untouched.

#include <sys/stat.h>

#include <cstddef>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

namespace quillmere {

class FolderHandle {
 public:
  FolderHandle() = default;
  explicit FolderHandle(int fd) : fd_(fd) {}
  ~FolderHandle();
  FolderHandle(FolderHandle&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  FolderHandle& operator=(FolderHandle&& other) noexcept;
  FolderHandle(const FolderHandle&) = delete;
  FolderHandle& operator=(const FolderHandle&) = delete;

  int Fd() const { return fd_; }
  bool IsOpen() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

// The extraction folder itself (a link to a folder is fine here: the caller chose it).
FolderHandle OpenExtractionFolder(const std::string& folder);

// The folder below root named by the segments, made when create is set;
// closed (not open) when a segment is a link or not a folder, or cannot be made.
FolderHandle OpenSubfolder(const FolderHandle& root, const std::vector<std::string>& folders, bool create);

// What is at name in the folder, links not followed; nullopt when nothing is.
std::optional<struct stat> ExistingEntry(const FolderHandle& folder, const std::string& name);

class ExtractedFile {
 public:
  ExtractedFile(const FolderHandle& folder, std::string name);
  ~ExtractedFile();  // abandons an uncommitted file
  ExtractedFile(const ExtractedFile&) = delete;
  ExtractedFile& operator=(const ExtractedFile&) = delete;

  bool IsOpen() const { return fd_ >= 0; }
  bool Write(const char* data, std::size_t size);
  // Gives the file its time stamp and its name; false when either fails.
  bool Commit(std::time_t modified);

 private:
  void Abandon();

  int folderFd_;
  std::string name_;
  std::string temporaryName_;
  int fd_ = -1;
};

}  // namespace quillmere
