// Project archives through ole32's structured storage. The checks of the file's own layout run
// first, on a handle that denies writers, as on Linux: ole32 would walk a huge directory too.
#include "support/storage/ProjectStorage.h"

#include <io.h>
#include <windows.h>

#include <algorithm>
#include <ctime>
#include <optional>
#include <vector>

#include "support/files/windows/DiskFile.h"
#include "support/files/windows/FileTimes.h"
#include "support/storage/CompoundFileDirectory.h"
#include "support/storage/PositionedRead.h"
#include "support/storage/StorageCommon.h"
#include "support/storage/windows/ComStorage.h"
#include "support/text/windows/WideText.h"

namespace quillmere::storage {
namespace {

struct Folder {
  ComPtr<IStorage> storage;
  std::shared_ptr<Budget> budget;
};

struct Enumeration {
  std::shared_ptr<Folder> folder;
  std::vector<StorageElement> elements;
  std::size_t index = 0;
};

using Handles = HandleTable<Folder, Enumeration>;

Handles& Table() {
  static Handles table;
  return table;
}

const wchar_t* WideName(const std::u16string& name) { return reinterpret_cast<const wchar_t*>(name.c_str()); }

std::int32_t OpenStatus(HRESULT status) {
  switch (status) {
    case STG_E_SHAREVIOLATION:
    case STG_E_LOCKVIOLATION: return kStorageBusy;
    case STG_E_FILENOTFOUND:
    case STG_E_PATHNOTFOUND: return kStorageNotFound;
    case STG_E_ACCESSDENIED: return kStorageAccessDenied;
    default: return kStorageNotAnArchive;
  }
}

// The layout checks on the file itself; kStorageOk with its size when it may be opened.
std::int32_t CheckLayout(const std::string& archivePath, std::uint64_t& size) {
  // FILE_SHARE_READ only: a program writing the archive makes this fail, and the caller tries again.
  int fd = OpenDiskFileForReading(archivePath, FILE_SHARE_READ);
  if (fd < 0) {
    switch (GetLastError()) {
      case ERROR_FILE_NOT_FOUND:
      case ERROR_PATH_NOT_FOUND: return kStorageNotFound;
      case ERROR_SHARING_VIOLATION:
      case ERROR_LOCK_VIOLATION: return kStorageBusy;
      case ERROR_BAD_FILE_TYPE: return kStorageNotAnArchive;
      default: return kStorageAccessDenied;
    }
  }
  std::optional<std::uint64_t> fileSize = OpenFileSize(fd);
  std::optional<std::uint64_t> capacity = DirectoryCapacity(fd, kMaxArchiveEntries + kDirectorySlack);
  bool rootHasSiblings = RootEntryHasSiblings(fd);
  _close(fd);
  if (!fileSize) return kStorageAccessDenied;
  if (capacity && *capacity > kMaxArchiveEntries + kDirectorySlack) return kStorageTooLarge;
  if (rootHasSiblings) return kStorageNotAnArchive;
  size = *fileSize;
  return kStorageOk;
}

bool HasStorageNamed(IStorage* storage, const std::u16string& name) {
  std::vector<StorageElement> elements;
  if (FAILED(ListElements(storage, elements))) return false;
  return std::any_of(elements.begin(), elements.end(),
                     [&](const StorageElement& e) { return e.isStorage && e.name == name; });
}

}  // namespace

std::int32_t OpenStorage(const std::string& archivePath, Handle& storage) {
  storage = 0;
  DWORD attributes = GetFileAttributesW(Wide(archivePath).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? kStorageNotFound : kStorageAccessDenied;
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return kStorageNotAnArchive;
  std::uint64_t size = 0;
  if (std::int32_t checked = CheckLayout(archivePath, size); checked != kStorageOk) return checked;
  ComPtr<IStorage> root;
  if (HRESULT status = OpenCompoundFile(archivePath, root); FAILED(status)) return OpenStatus(status);
  auto budget = std::make_shared<Budget>(Budget{size});
  storage = Table().Add(std::make_shared<Folder>(Folder{std::move(root), std::move(budget)}));
  return kStorageOk;
}

std::int32_t BeginFolderEnum(Handle folder, Handle& enumeration) {
  enumeration = 0;
  std::shared_ptr<Folder> open = Table().Find<Folder>(folder);
  if (!open) return kStorageInvalidHandle;
  std::vector<StorageElement> elements;
  // A directory that cannot be walked lists as empty, as a damaged one does on Linux.
  if (FAILED(ListElements(open->storage.Get(), elements)) || elements.empty()) return kStorageNoMoreEntries;
  enumeration = Table().Add(std::make_shared<Enumeration>(Enumeration{std::move(open), std::move(elements), 0}));
  return kStorageOk;
}

std::int32_t GetFolderEnumData(Handle enumeration, NameBuffer name, std::int32_t& nameLength,
                               std::int32_t& entryType) {
  nameLength = 0;
  entryType = 0;
  std::shared_ptr<Enumeration> open = Table().Find<Enumeration>(enumeration);
  if (!open) return kStorageInvalidHandle;
  if (open->index >= open->elements.size()) return kStorageNoMoreEntries;
  const StorageElement& element = open->elements[open->index];
  entryType = element.isStorage ? kEntryFolder : kEntryFile;
  std::size_t length = std::min(element.name.size(), name.size() - 1);
  std::copy_n(element.name.begin(), length, name.begin());
  name[length] = u'\0';
  nameLength = static_cast<std::int32_t>(length);
  return kStorageOk;
}

std::int32_t NextFolderEnum(Handle enumeration) {
  std::shared_ptr<Enumeration> open = Table().Find<Enumeration>(enumeration);
  if (!open) return kStorageInvalidHandle;
  if (open->index < open->elements.size()) ++open->index;
  return open->index >= open->elements.size() ? kStorageNoMoreEntries : kStorageOk;
}

std::int32_t CloseFolderEnum(Handle enumeration) {
  return Table().Remove<Enumeration>(enumeration) ? kStorageOk : kStorageInvalidHandle;
}

std::int32_t OpenFolder(Handle parent, std::u16string_view name, Handle& folder) {
  folder = 0;
  std::shared_ptr<Folder> open = Table().Find<Folder>(parent);
  if (!open) return kStorageInvalidHandle;
  std::u16string wanted(name);
  ComPtr<IStorage> sub;
  if (FAILED(open->storage->OpenStorage(WideName(wanted), nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, nullptr, 0,
                                        sub.Receive())))
    return kStorageNotFound;
  folder = Table().Add(std::make_shared<Folder>(Folder{std::move(sub), open->budget}));
  return kStorageOk;
}

std::int32_t ReadFile(Handle folder, std::u16string_view storedName, const std::string& destinationPath) {
  std::shared_ptr<Folder> open = Table().Find<Folder>(folder);
  if (!open) return kStorageInvalidHandle;
  std::u16string name(storedName);
  ComPtr<IStream> stream;
  HRESULT status = open->storage->OpenStream(WideName(name), nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0,
                                             stream.Receive());
  if (FAILED(status))
    return status == STG_E_FILENOTFOUND || HasStorageNamed(open->storage.Get(), name) ? kStorageNotFound
                                                                                      : kStorageReadFault;
  STATSTG stat{};
  if (FAILED(stream->Stat(&stat, STATFLAG_NONAME))) return kStorageReadFault;
  std::uint64_t size = stat.cbSize.QuadPart;
  if (size > open->budget->bytesLeft) return kStorageTooLarge;
  open->budget->bytesLeft -= size;
  // The stream's own time stamp; now when it has none (compound files may leave streams undated).
  std::time_t modified = UnixTime(stat.mtime);
  if (modified <= 0) modified = std::time(nullptr);
  return CopyStreamTo(
      destinationPath, size,
      [&](char* buffer, std::size_t n) {
        ULONG read = 0;
        return SUCCEEDED(stream->Read(buffer, static_cast<ULONG>(n), &read)) && read == n;
      },
      modified);
}

std::int32_t CloseFolder(Handle folder) {
  return Table().Remove<Folder>(folder) ? kStorageOk : kStorageInvalidHandle;
}

}  // namespace quillmere::storage
