#pragma once
// Walking a project archive's folders and copying the files a policy takes
// into a folder on disk, in the archive's order. Whatever the archive says,
// nothing is written outside the destination folder: names that could reach
// out are refused and logged, sub-folders are only entered through folders
// the walk made itself, and a file whose short name "_rel.lst" lists is
// written under its long name only when that name is safe too.
//
// An archive that nests deeper, or holds more entries, than any real one,
// or whose data is damaged or claims more bytes than the archive holds,
// stops the walk: what was written stays, nothing more is.

#include <cstdint>
#include <string>
#include <vector>

#include "support/storage/ProjectStorage.h"

namespace quillmere {

struct ProjectArchiveLimits {
  int maxDepth = 32;                 // folders below the root; the authoring tools nest three or four
  std::uint64_t maxEntries = storage::kMaxArchiveEntries;  // entries met in one walk
};

struct WalkedEntry {
  std::string path;        // below the archive's root, '/' between folders, long names; folders end in '/'
  std::string storedName;  // the entry's own name in the archive
  bool isFolder = false;
  bool taken = false;      // extracted, or entered
  bool systemStream = false;  // the compound file's own (a name starting below 0x20): never extracted
};

// What a walk takes; asked entry by entry in the archive's order, except that
// a folder's "_rel.lst" comes first so that its short names find their long ones.
class ArchiveWalkPolicy {
 public:
  virtual ~ArchiveWalkPolicy() = default;
  virtual bool TakeFile(const std::string& storedName) = 0;
  virtual bool EnterFolder(const std::string& name) = 0;
  // After each folder, entered or not.
  virtual void PassedFolder(const std::string& name) { (void)name; }
  // Every entry with a safe name, taken or not, and every system stream.
  virtual void Met(const WalkedEntry& entry) { (void)entry; }
};

struct ArchiveWalkResult {
  bool stopped = false;               // the archive broke a limit or is damaged
  std::vector<std::string> problems;  // each refused or unwritten entry, and why the walk stopped
  std::uint64_t filesWritten = 0;
};

// Walks the folder (an archive's storage handle for the whole archive) into
// destinationFolder, which must exist.
ArchiveWalkResult WalkProjectArchive(storage::Handle folder, const std::string& destinationFolder,
                                     ArchiveWalkPolicy& policy, const ProjectArchiveLimits& limits = {});

}  // namespace quillmere
