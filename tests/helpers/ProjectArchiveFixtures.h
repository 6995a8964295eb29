#pragma once
// Project archives in tests: read back with libgsf's own compound-file reader
// (GsfInfileMSOle, not our storage layer), and damaged on purpose by patching
// their directory entries in place.

#include <fcntl.h>
#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-stdio.h>
#include <gsf/gsf-input.h>
#include <gsf/gsf-utils.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "support/storage/ProjectArchiveWriter.h"
#include "tests/helpers/IsolatedUserFolders.h"
#include "tests/helpers/TestFiles.h"
#include "utilities/archive/ProjectFileHandler.h"

namespace quillmere::testing {

// An archive and an export beside it, as the media writers see them: the
// archive in a folder of its own (decks/course.qpk unless a test places it),
// the output folder in export/, and there an earlier export that no
// extraction may touch.
class ArchiveBesideExport : public IsolatedUserFolders {
 protected:
  void SetUp() override { Place("decks/course.qpk", "presentation_files"); }

  void Place(const char* archive, const char* out) {
    IsolatedUserFolders::SetUp();
    archive_ = root_ / archive;
    parent_ = root_ / "export";
    out_ = parent_ / out;
    std::filesystem::create_directories(archive_.parent_path());
    std::filesystem::create_directories(parent_ / "earlier export");
    WriteFile(parent_ / "earlier export" / "slide1.png", "an earlier export");
    earlier_ = Tree(parent_);
  }

  // One request of a handler set up as the media writers set it up: ExtractNarration, ExtractWO or ExtractMovie.
  using Request = void (cProjectFileHandler::*)(std::string&);
  void Ask(cProjectFileHandler& handler, Request request, std::string name) const {
    std::string archive = archive_.string();
    handler.SetExtractToFolder(out_.string());
    handler.SetProjectFilename(archive);
    (handler.*request)(name);
  }

  // What the output folder holds; nothing when there is none.
  std::vector<std::string> Extracted() const {
    return std::filesystem::exists(out_) ? Tree(out_) : std::vector<std::string>{};
  }
  // The output folder's parent as it is, but for the output folder.
  std::vector<std::string> BesidesTheOutput() const {
    std::vector<std::string> names = Tree(parent_);
    const std::string out = out_.filename().string();
    std::erase_if(names, [&](const std::string& name) { return name == out || name.rfind(out + "/", 0) == 0; });
    return names;
  }

  std::filesystem::path archive_, parent_, out_;
  std::vector<std::string> earlier_;  // the parent folder's tree before the test
};

inline std::string RandomBytes(std::size_t size, unsigned seed = 7) {
  std::mt19937 engine(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(engine());
  return bytes;
}

inline void WriteArchive(const std::filesystem::path& archive, const std::function<void(ProjectArchiveWriter&)>& fill) {
  ProjectArchiveWriter writer(archive.string());
  fill(writer);
  ASSERT_TRUE(writer.Close()) << writer.Error();
}

// The archive of these files, written in this order: folders are begun and
// ended as the paths go ('/' between folders; "name/" is a folder alone).
inline void WriteArchive(const std::filesystem::path& archive,
                         const std::vector<std::pair<std::string, std::string>>& files) {
  WriteArchive(archive, [&](ProjectArchiveWriter& w) {
    std::vector<std::string> open;
    for (const auto& [path, bytes] : files) {
      std::vector<std::string> folders;
      for (std::size_t from = 0, slash; (slash = path.find('/', from)) != std::string::npos; from = slash + 1)
        folders.push_back(path.substr(from, slash - from));
      std::size_t same = 0;
      while (same < open.size() && same < folders.size() && open[same] == folders[same]) ++same;
      for (; open.size() > same; open.pop_back()) w.EndFolder();
      for (; open.size() < folders.size(); open.push_back(folders[open.size()])) w.BeginFolder(folders[open.size()]);
      if (!path.ends_with('/')) w.AddFile(path.substr(path.rfind('/') + 1), bytes);
    }
  });
}

inline std::filesystem::file_time_type FileTime(std::time_t when) {
  return std::filesystem::file_time_type::clock::from_sys(std::chrono::system_clock::from_time_t(when));
}

inline void SetModified(const std::filesystem::path& file, std::time_t when) {
  std::filesystem::last_write_time(file, FileTime(when));
}

// A local time; zip time stamps keep even seconds only.
inline std::time_t LocalTime(int year, int month, int day, int hour, int minute = 0, int second = 0) {
  std::tm tm{};
  tm.tm_year = year - 1900, tm.tm_mon = month - 1, tm.tm_mday = day;
  tm.tm_hour = hour, tm.tm_min = minute, tm.tm_sec = second, tm.tm_isdst = -1;
  return std::mktime(&tm);
}

// Holds an exclusive lock on a file, as a program that changes an archive in place does.
class ArchiveLock {
 public:
  explicit ArchiveLock(const std::filesystem::path& file) : fd_(open(file.c_str(), O_RDONLY | O_CLOEXEC)) {
    EXPECT_EQ(flock(fd_, LOCK_EX | LOCK_NB), 0);
  }
  ~ArchiveLock() { Release(); }
  ArchiveLock(const ArchiveLock&) = delete;
  ArchiveLock& operator=(const ArchiveLock&) = delete;
  void Release() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
  }

 private:
  int fd_;
};

inline void ReadBackFolder(GsfInfile* folder, const std::string& path, std::map<std::string, std::string>& entries) {
  for (int i = 0, n = gsf_infile_num_children(folder); i < n; ++i) {
    GsfInput* child = gsf_infile_child_by_index(folder, i);
    std::string name = gsf_infile_name_by_index(folder, i);
    if (!child) {
      entries[path + name] = "<unopenable>";
      continue;
    }
    if (GSF_IS_INFILE(child) && gsf_infile_num_children(GSF_INFILE(child)) >= 0) {
      entries[path + name + "/"] = "";
      ReadBackFolder(GSF_INFILE(child), path + name + "/", entries);
    } else {
      std::string bytes(static_cast<std::size_t>(gsf_input_size(child)), '\0');
      if (!bytes.empty() && !gsf_input_read(child, bytes.size(), reinterpret_cast<guint8*>(bytes.data())))
        bytes = "<unreadable>";
      entries[path + name] = bytes;
    }
    g_object_unref(child);
  }
}

// Every entry as libgsf reads it: the path ('/' between folders, folders
// ending in '/') and the file's bytes. Empty when the archive does not open.
inline std::map<std::string, std::string> ReadBackWithLibgsf(const std::filesystem::path& archive) {
  gsf_init();
  std::map<std::string, std::string> entries;
  GsfInput* input = gsf_input_stdio_new(archive.c_str(), nullptr);
  if (!input) return entries;
  GsfInfile* root = gsf_infile_msole_new(input, nullptr);
  if (root) {
    ReadBackFolder(root, "", entries);
    g_object_unref(root);
  }
  g_object_unref(input);
  return entries;
}

inline std::string Utf16Le(const std::string& ascii) {
  std::string out;
  for (char c : ascii) out += std::string{c, '\0'};
  return out;
}

// Where the directory entry named `ascii` starts in the archive's bytes.
inline std::size_t EntryOffset(const std::string& bytes, const std::string& ascii) {
  const std::string name = Utf16Le(ascii) + std::string(2, '\0');
  for (std::size_t at = bytes.find(name); at != std::string::npos; at = bytes.find(name, at + 1)) {
    // Entries are 128 bytes long and aligned; their name length counts the terminator, in bytes.
    if (at % 128 == 0 && static_cast<unsigned char>(bytes[at + 0x40]) == name.size()) return at;
  }
  ADD_FAILURE() << "no directory entry named " << ascii;
  return std::string::npos;
}

inline void SetLe32(std::string& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

inline std::uint32_t GetLe32(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

inline constexpr std::size_t kEntryStartSector = 0x74;
inline constexpr std::size_t kEntrySize = 0x78;

// Gives the entry another name of the same length (which may be no name a
// writer would store), another first sector or another size.
inline void PatchEntry(const std::filesystem::path& archive, const std::string& name,
                       std::optional<std::string> newName, std::optional<std::uint32_t> startSector = {},
                       std::optional<std::uint32_t> size = {}) {
  std::string bytes = ReadFile(archive);
  std::size_t at = EntryOffset(bytes, name);
  if (at == std::string::npos) return;
  if (newName) {
    ASSERT_EQ(newName->size(), name.size());
    bytes.replace(at, 2 * name.size(), Utf16Le(*newName));
  }
  if (startSector) SetLe32(bytes, at + kEntryStartSector, *startSector);
  if (size) SetLe32(bytes, at + kEntrySize, *size);
  WriteFile(archive, bytes);
}

// Makes the directory's first sector its own successor in the allocation
// table: a directory that never ends. Small archives only (one table sector).
inline void LoopDirectory(const std::filesystem::path& archive) {
  std::string bytes = ReadFile(archive);
  unsigned shift = static_cast<unsigned char>(bytes[0x1E]);
  std::uint32_t directory = GetLe32(bytes, 0x30), table = GetLe32(bytes, 0x4C);
  ASSERT_LT(directory, (1u << shift) / 4);
  SetLe32(bytes, ((table + 1) << shift) + 4 * directory, directory);
  WriteFile(archive, bytes);
}

inline std::uint32_t EntryStartSector(const std::filesystem::path& archive, const std::string& name) {
  std::string bytes = ReadFile(archive);
  std::size_t at = EntryOffset(bytes, name);
  return at == std::string::npos ? 0 : GetLe32(bytes, at + kEntryStartSector);
}

}  // namespace quillmere::testing
