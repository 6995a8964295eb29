#include "support/storage/ProjectStorage.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <memory>
#include <optional>
#include <vector>


#include "support/files/Paths.h"
#include "support/storage/CompoundFileDirectory.h"
#include "support/storage/GsfLibrary.h"
#include "support/storage/GsfObjects.h"
#include "support/storage/StorageCommon.h"
#include "support/text/Utf16Text.h"
#include "support/zip/ZipFileWriting.h"

namespace quillmere::storage {
namespace {

struct Folder {
  GsfPtr<GsfInfile> infile;
  std::shared_ptr<Budget> budget;
};

struct Enumeration {
  std::shared_ptr<Folder> folder;
  int index = 0;
  int count = 0;
};

using Handles = HandleTable<Folder, Enumeration>;

Handles& Table() {
  static Handles table;
  return table;
}

bool IsFolder(GsfInput* input) {
  return input && IsInfile(*Gsf(), input) && Gsf()->infile_num_children(reinterpret_cast<GsfInfile*>(input)) >= 0;
}

bool HasChildNamed(GsfInfile* folder, const std::string& name) {
  for (int i = 0, n = Gsf()->infile_num_children(folder); i < n; ++i) {
    const char* child = Gsf()->infile_name_by_index(folder, i);
    if (child && name == child) return true;
  }
  return false;
}

// The stream's own time stamp; now when it has none (compound files may leave streams undated).
std::time_t StreamTime(GsfInput* stream) {
  GDateTime* modified = Gsf()->input_get_modtime(stream);
  gint64 seconds = modified ? g_date_time_to_unix(modified) : 0;
  return seconds > 0 ? static_cast<std::time_t>(seconds) : std::time(nullptr);
}

std::int32_t CopyStream(GsfInput* stream, const std::string& destinationPath) {
  auto size = static_cast<std::uint64_t>(std::max<gsf_off_t>(Gsf()->input_size(stream), 0));
  auto read = [&](char* buffer, std::size_t n) {
    return Gsf()->input_read(stream, n, reinterpret_cast<guint8*>(buffer)) != nullptr;
  };
  return CopyStreamTo(destinationPath, size, read, StreamTime(stream));
}

}  // namespace

std::int32_t OpenStorage(const std::string& archivePath, Handle& storage) {
  storage = 0;
  if (!Gsf()) return kStorageAccessDenied;  // nothing to read it with
  // O_NONBLOCK: a FIFO planted at the path must not hang the open.
  int fd = open(archivePath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? kStorageNotFound : kStorageAccessDenied;
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    return kStorageNotAnArchive;
  }
  if (flock(fd, LOCK_SH | LOCK_NB) != 0) {
    int error = errno;
    close(fd);
    return error == EWOULDBLOCK ? kStorageBusy : kStorageAccessDenied;
  }
  std::optional<std::uint64_t> capacity = DirectoryCapacity(fd, kMaxArchiveEntries + kDirectorySlack);
  if (capacity && *capacity > kMaxArchiveEntries + kDirectorySlack) {
    close(fd);
    return kStorageTooLarge;
  }
  if (RootEntryHasSiblings(fd)) {
    close(fd);
    return kStorageNotAnArchive;
  }
  FILE* file = fdopen(fd, "rb");
  if (!file) {
    close(fd);
    return kStorageAccessDenied;
  }
  // The input owns the file from here on; the lock goes when the last handle on the archive closes.
  GsfPtr<GsfInput> input(Gsf()->input_stdio_new_FILE(archivePath.c_str(), file, FALSE));
  if (!input) {
    fclose(file);
    return kStorageAccessDenied;
  }
  GError* error = nullptr;
  GsfPtr<GsfInfile> infile(Gsf()->infile_msole_new(input.get(), &error));
  if (error) g_error_free(error);
  if (!infile) return kStorageNotAnArchive;
  auto budget = std::make_shared<Budget>(Budget{static_cast<std::uint64_t>(st.st_size)});
  storage = Table().Add(std::make_shared<Folder>(Folder{std::move(infile), std::move(budget)}));
  return kStorageOk;
}

std::int32_t BeginFolderEnum(Handle folder, Handle& enumeration) {
  enumeration = 0;
  std::shared_ptr<Folder> open = Table().Find<Folder>(folder);
  if (!open) return kStorageInvalidHandle;
  int count = Gsf()->infile_num_children(open->infile.get());
  if (count <= 0) return kStorageNoMoreEntries;
  enumeration = Table().Add(std::make_shared<Enumeration>(Enumeration{std::move(open), 0, count}));
  return kStorageOk;
}

std::int32_t GetFolderEnumData(Handle enumeration, NameBuffer name, std::int32_t& nameLength,
                               std::int32_t& entryType) {
  nameLength = 0;
  entryType = 0;
  std::shared_ptr<Enumeration> open = Table().Find<Enumeration>(enumeration);
  if (!open) return kStorageInvalidHandle;
  if (open->index >= open->count) return kStorageNoMoreEntries;
  GsfInfile* folder = open->folder->infile.get();
  // A stream whose blocks cannot be followed opens as nothing; it is reported
  // as a file so that reading it tells the caller it is damaged.
  GsfPtr<GsfInput> child(Gsf()->infile_child_by_index(folder, open->index));
  entryType = IsFolder(child.get()) ? kEntryFolder : kEntryFile;
  // Children are found by walking a list; the child's own name saves a second walk.
  const char* utf8 = child ? Gsf()->input_name(child.get()) : Gsf()->infile_name_by_index(folder, open->index);
  std::u16string text = ToUtf16(utf8 ? utf8 : "");
  std::size_t length = std::min(text.size(), name.size() - 1);
  std::copy_n(text.begin(), length, name.begin());
  name[length] = u'\0';
  nameLength = static_cast<std::int32_t>(length);
  return kStorageOk;
}

std::int32_t NextFolderEnum(Handle enumeration) {
  std::shared_ptr<Enumeration> open = Table().Find<Enumeration>(enumeration);
  if (!open) return kStorageInvalidHandle;
  if (open->index < open->count) ++open->index;
  return open->index >= open->count ? kStorageNoMoreEntries : kStorageOk;
}

std::int32_t CloseFolderEnum(Handle enumeration) {
  return Table().Remove<Enumeration>(enumeration) ? kStorageOk : kStorageInvalidHandle;
}

std::int32_t OpenFolder(Handle parent, std::u16string_view name, Handle& folder) {
  folder = 0;
  std::shared_ptr<Folder> open = Table().Find<Folder>(parent);
  if (!open) return kStorageInvalidHandle;
  GsfPtr<GsfInput> child(Gsf()->infile_child_by_name(open->infile.get(), FromUtf16(name).c_str()));
  if (!IsFolder(child.get())) return kStorageNotFound;
  GsfPtr<GsfInfile> sub(reinterpret_cast<GsfInfile*>(child.release()));
  folder = Table().Add(std::make_shared<Folder>(Folder{std::move(sub), open->budget}));
  return kStorageOk;
}

std::int32_t ReadFile(Handle folder, std::u16string_view storedName, const std::string& destinationPath) {
  std::shared_ptr<Folder> open = Table().Find<Folder>(folder);
  if (!open) return kStorageInvalidHandle;
  std::string name = FromUtf16(storedName);
  GsfPtr<GsfInput> stream(Gsf()->infile_child_by_name(open->infile.get(), name.c_str()));
  if (!stream) return HasChildNamed(open->infile.get(), name) ? kStorageReadFault : kStorageNotFound;
  if (IsFolder(stream.get())) return kStorageNotFound;
  auto size = static_cast<std::uint64_t>(std::max<gsf_off_t>(Gsf()->input_size(stream.get()), 0));
  if (size > open->budget->bytesLeft) return kStorageTooLarge;
  open->budget->bytesLeft -= size;
  return CopyStream(stream.get(), destinationPath);
}

std::int32_t CloseFolder(Handle folder) {
  return Table().Remove<Folder>(folder) ? kStorageOk : kStorageInvalidHandle;
}

}  // namespace quillmere::storage
