#pragma once
// The storage library under cProjectFileHandler: it opens a project archive,
// walks its folders and copies the files in them to disk. A project archive is
// an OLE compound file (structured storage); its storages are the folders and
// its streams the files, read through libgsf on Linux and ole32 on Windows.
//
// Handles are 32-bit values that stand for an open archive (which is also its
// root folder), a sub-folder or an enumeration; every call answers a status.
// Entry names are UTF-16, as the compound file keeps them; paths on disk are
// our usual UTF-8 paths.
//
// Busy archives: a program that changes an archive in place holds an exclusive
// flock() on it (on Windows: has it open for writing); OpenStorage takes a
// shared one (denies writers) and answers kStorageBusy while the other is held,
// so that the caller can try again.
//
// Entries: an archive whose directory has room for more than kMaxArchiveEntries
// (and the root, and a last sector's spare slots) is not opened.
//
// Damaged archives: no archive yields more bytes than its file holds (streams
// are stored uncompressed), so ReadFile refuses a stream, or a run of streams
// from one open archive, that would add up to more: a directory that claims
// more, or entries that share their data, are refused before anything is
// written.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace quillmere::storage {

using Handle = std::int32_t;

// As many as a zip may hold (ZipLimits); real project archives hold hundreds.
inline constexpr std::uint64_t kMaxArchiveEntries = 20000;

inline constexpr std::int32_t kStorageOk = 0;
// NextFolderEnum: no entry is current any more; BeginFolderEnum: the folder is empty.
inline constexpr std::int32_t kStorageNoMoreEntries = 1;
// OpenStorage: another program holds the archive; try again.
inline constexpr std::int32_t kStorageBusy = static_cast<std::int32_t>(0x80030002u);
inline constexpr std::int32_t kStorageNotFound = static_cast<std::int32_t>(0x80030003u);  // no such file or entry
inline constexpr std::int32_t kStorageAccessDenied = static_cast<std::int32_t>(0x80030005u);
inline constexpr std::int32_t kStorageInvalidHandle = static_cast<std::int32_t>(0x80030006u);
inline constexpr std::int32_t kStorageWriteFault = static_cast<std::int32_t>(0x8003001Du);  // the destination
inline constexpr std::int32_t kStorageReadFault = static_cast<std::int32_t>(0x8003001Eu);   // damaged stream data
inline constexpr std::int32_t kStorageNotAnArchive = static_cast<std::int32_t>(0x800300FBu);
// More bytes than the file holds (ReadFile), or more entries than an archive may hold (OpenStorage).
inline constexpr std::int32_t kStorageTooLarge = static_cast<std::int32_t>(0x80030111u);

// Entry types of GetFolderEnumData.
inline constexpr std::int32_t kEntryFolder = 1;
inline constexpr std::int32_t kEntryFile = 2;

// GetFolderEnumData's name buffer: 1024 bytes of UTF-16.
inline constexpr std::size_t kNameBufferUnits = 512;
using NameBuffer = std::span<char16_t, kNameBufferUnits>;

std::int32_t OpenStorage(const std::string& archivePath, Handle& storage);
std::int32_t BeginFolderEnum(Handle folder, Handle& enumeration);
// The current entry's name (nameLength units, no terminator counted) and type.
std::int32_t GetFolderEnumData(Handle enumeration, NameBuffer name, std::int32_t& nameLength,
                               std::int32_t& entryType);
std::int32_t NextFolderEnum(Handle enumeration);
std::int32_t CloseFolderEnum(Handle enumeration);
std::int32_t OpenFolder(Handle parent, std::u16string_view name, Handle& folder);
// Writes the stream to destinationPath through a temporary file in its
// folder, so that a failure leaves nothing there and a link already at that
// name is replaced, not followed. The file takes the stream's time stamp.
std::int32_t ReadFile(Handle folder, std::u16string_view storedName, const std::string& destinationPath);
// Closes a folder, or an archive given its storage handle.
std::int32_t CloseFolder(Handle folder);

// A handle closed when it goes out of scope (0 holds nothing).
template <std::int32_t (*Close)(Handle)>
class Scoped {
 public:
  Scoped() = default;
  explicit Scoped(Handle handle) : handle_(handle) {}
  ~Scoped() {
    if (handle_ != 0) Close(handle_);
  }
  Scoped(const Scoped&) = delete;
  Scoped& operator=(const Scoped&) = delete;

  Handle Get() const { return handle_; }

 private:
  Handle handle_ = 0;
};
using ScopedFolder = Scoped<CloseFolder>;
using ScopedEnumeration = Scoped<CloseFolderEnum>;

}  // namespace quillmere::storage
