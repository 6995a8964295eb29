// Windows has no openat: a folder stays open (without delete sharing, so it cannot be moved or
// replaced meanwhile) and what is below it is named by the folder's own final path. Links and
// junctions are refused where a folder is expected and replaced, never followed, where a file goes.
#include "support/zip/ZipFileWriting.h"

#include <io.h>
#include <windows.h>

#include <algorithm>

#include "support/files/Paths.h"
#include "support/files/windows/FileTimes.h"
#include "support/text/windows/WideText.h"

namespace quillmere {
namespace {

constexpr DWORD kFolderShare = FILE_SHARE_READ | FILE_SHARE_WRITE;

HANDLE OsHandle(int fd) { return fd < 0 ? INVALID_HANDLE_VALUE : reinterpret_cast<HANDLE>(_get_osfhandle(fd)); }

// The descriptor that owns the handle from here on; -1 (and the handle closed) when none can be made.
int Adopt(HANDLE handle) {
  if (handle == INVALID_HANDLE_VALUE) return -1;
  int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), 0);
  if (fd < 0) CloseHandle(handle);
  return fd;
}

std::wstring FolderPath(int folderFd) {
  HANDLE folder = OsHandle(folderFd);
  if (folder == INVALID_HANDLE_VALUE) return {};
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD length =
        GetFinalPathNameByHandleW(folder, path.data(), static_cast<DWORD>(path.size()), FILE_NAME_NORMALIZED);
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(length + 1);
  }
}

std::wstring Below(int folderFd, const std::string& name) {
  std::wstring folder = FolderPath(folderFd);
  return folder.empty() ? std::wstring() : folder + L'\\' + Wide(name);
}

bool IsRealFolder(HANDLE handle) {
  BY_HANDLE_FILE_INFORMATION info{};
  return GetFileInformationByHandle(handle, &info) && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
         !(info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

}  // namespace

FolderHandle::~FolderHandle() {
  if (fd_ >= 0) _close(fd_);
}

FolderHandle& FolderHandle::operator=(FolderHandle&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) _close(fd_);
    fd_ = other.fd_;
    other.fd_ = -1;
  }
  return *this;
}

FolderHandle OpenExtractionFolder(const std::string& folder) {
  return FolderHandle(Adopt(CreateFileW(Wide(folder).c_str(), FILE_LIST_DIRECTORY | SYNCHRONIZE, kFolderShare, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)));
}

FolderHandle OpenSubfolder(const FolderHandle& root, const std::vector<std::string>& folders, bool create) {
  HANDLE copy = INVALID_HANDLE_VALUE;
  HANDLE rootHandle = OsHandle(root.Fd());
  if (rootHandle == INVALID_HANDLE_VALUE ||
      !DuplicateHandle(GetCurrentProcess(), rootHandle, GetCurrentProcess(), &copy, 0, FALSE, DUPLICATE_SAME_ACCESS))
    return FolderHandle();
  FolderHandle current(Adopt(copy));
  for (const std::string& name : folders) {
    if (!current.IsOpen()) break;
    std::wstring path = Below(current.Fd(), name);
    if (path.empty()) return FolderHandle();
    if (create && !CreateDirectoryW(path.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
      return FolderHandle();
    HANDLE next = CreateFileW(path.c_str(), FILE_LIST_DIRECTORY | SYNCHRONIZE, kFolderShare, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (next != INVALID_HANDLE_VALUE && !IsRealFolder(next)) {
      CloseHandle(next);
      return FolderHandle();
    }
    current = FolderHandle(Adopt(next));
  }
  return current;
}

// Links are described, not followed: a link or junction is neither a folder nor a regular file here.
std::optional<struct stat> ExistingEntry(const FolderHandle& folder, const std::string& name) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  std::wstring path = Below(folder.Fd(), name);
  if (path.empty() || !GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  struct stat st {};
  if (!(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
    st.st_mode = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? S_IFDIR : S_IFREG;
  st.st_size = static_cast<decltype(st.st_size)>(static_cast<std::uint64_t>(data.nFileSizeHigh) << 32 |
                                                  data.nFileSizeLow);
  st.st_mtime = UnixTime(data.ftLastWriteTime);
  return st;
}

ExtractedFile::ExtractedFile(const FolderHandle& folder, std::string name)
    : folderFd_(folder.Fd()), name_(std::move(name)) {
  for (int attempt = 0; attempt < 8 && fd_ < 0; ++attempt) {
    temporaryName_ = "." + name_ + "." + RandomName(8) + ".part";
    if (temporaryName_.size() > 255) temporaryName_ = "." + RandomName(16) + ".part";
    std::wstring path = Below(folderFd_, temporaryName_);
    if (path.empty()) break;
    // CREATE_NEW fails on anything already there, a link included, so nothing is followed.
    fd_ = Adopt(CreateFileW(path.c_str(), GENERIC_WRITE | FILE_WRITE_ATTRIBUTES, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (fd_ < 0 && GetLastError() != ERROR_FILE_EXISTS) break;
  }
  if (fd_ < 0) temporaryName_.clear();
}

ExtractedFile::~ExtractedFile() { Abandon(); }

bool ExtractedFile::Write(const char* data, std::size_t size) {
  HANDLE file = OsHandle(fd_);
  while (size > 0) {
    DWORD written = 0;
    DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
    if (!WriteFile(file, data, chunk, &written, nullptr) || written == 0) return false;
    data += written;
    size -= written;
  }
  return true;
}

bool ExtractedFile::Commit(std::time_t modified) {
  FILETIME time = FileTime(modified);
  bool ok = SetFileTime(OsHandle(fd_), nullptr, &time, &time);
  ok = _close(fd_) == 0 && ok;
  fd_ = -1;
  // Moving over the target replaces a link there itself, never what it points to.
  std::wstring from = Below(folderFd_, temporaryName_), to = Below(folderFd_, name_);
  if (ok && !from.empty() && !to.empty() && MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    temporaryName_.clear();
    return true;
  }
  Abandon();
  return false;
}

void ExtractedFile::Abandon() {
  if (fd_ >= 0) _close(fd_);
  fd_ = -1;
  if (!temporaryName_.empty()) {
    std::wstring path = Below(folderFd_, temporaryName_);
    if (!path.empty()) DeleteFileW(path.c_str());
  }
  temporaryName_.clear();
}

}  // namespace quillmere
