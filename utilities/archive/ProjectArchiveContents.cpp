#include "utilities/archive/ProjectArchiveContents.h"

#include <filesystem>
#include <system_error>

#include "support/files/Paths.h"
#include "support/storage/ProjectArchiveOpening.h"
#include "support/storage/RelationshipFile.h"
#include "support/text/Text.h"

namespace quillmere {
namespace {

bool IsRelationshipFile(const WalkedEntry& entry) {
  return !entry.isFolder && LowerAscii(entry.storedName) == kRelationshipFileName;
}

// Every entry; only the relationship files are copied out, for their long names.
class Listing final : public ArchiveWalkPolicy {
 public:
  explicit Listing(std::vector<WalkedEntry>& entries) : entries_(entries) {}
  bool TakeFile(const std::string& storedName) override { return LowerAscii(storedName) == kRelationshipFileName; }
  bool EnterFolder(const std::string&) override { return true; }
  void Met(const WalkedEntry& entry) override { entries_.push_back(entry); }

 private:
  std::vector<WalkedEntry>& entries_;
};

// Everything; the relationship files written on the way are remembered to be removed.
class Everything final : public ArchiveWalkPolicy {
 public:
  bool TakeFile(const std::string&) override { return true; }
  bool EnterFolder(const std::string&) override { return true; }
  void Met(const WalkedEntry& entry) override {
    if (IsRelationshipFile(entry)) relationshipFiles.push_back(entry.path);
  }
  std::vector<std::string> relationshipFiles;
};

// The folder is made once the archive is open, so that a missing archive leaves nothing behind.
ArchiveContents Walk(const std::string& archivePath, const std::string& folder, Sleeper& sleeper,
                     ArchiveWalkPolicy& policy) {
  ArchiveContents contents;
  storage::Handle handle = 0;
  contents.openStatus = OpenStorageRetrying(archivePath, sleeper, handle);
  if (contents.openStatus != storage::kStorageOk) return contents;
  storage::ScopedFolder archive(handle);
  CreateFolderPath(folder);
  if (!FolderExists(folder)) {
    contents.openStatus = storage::kStorageWriteFault;
    return contents;
  }
  contents.walk = WalkProjectArchive(handle, folder, policy);
  return contents;
}

}  // namespace

ArchiveContents ListProjectArchive(const std::string& archivePath, Sleeper& sleeper) {
  std::vector<WalkedEntry> entries;
  Listing listing(entries);
  std::string scratch = GetTempFolder() + "archive-list-" + RandomName(8);
  ArchiveContents contents = Walk(archivePath, scratch, sleeper, listing);
  std::error_code ignored;
  std::filesystem::remove_all(Utf8Path(scratch), ignored);
  contents.entries = std::move(entries);
  return contents;
}

ArchiveContents ExtractProjectArchive(const std::string& archivePath, const std::string& folder, Sleeper& sleeper) {
  Everything everything;
  ArchiveContents contents = Walk(archivePath, StripTrailingSeparator(folder), sleeper, everything);
  std::error_code ignored;
  for (const std::string& path : everything.relationshipFiles)
    std::filesystem::remove(Utf8Path(AddPathSeparator(folder) + path), ignored);
  return contents;
}

}  // namespace quillmere
