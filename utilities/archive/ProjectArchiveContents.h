#pragma once
// A project archive as a whole, for the command line: listing every entry
// with its long name, and extracting every folder and file under their long
// names. Both open a busy archive as cProjectFileHandler does and keep to the
// same limits (ProjectArchiveWalk.h).

#include <cstdint>
#include <string>
#include <vector>

#include "support/platform/Sleeper.h"
#include "utilities/archive/ProjectArchiveWalk.h"

namespace quillmere {

struct ArchiveContents {
  // Of opening the archive (kStorageWriteFault: the folder cannot be made); nothing else is set otherwise.
  std::int32_t openStatus = storage::kStorageOk;
  std::vector<WalkedEntry> entries;               // listing only: every entry, in the archive's order
  ArchiveWalkResult walk;
};

ArchiveContents ListProjectArchive(const std::string& archivePath, Sleeper& sleeper);

// Into folder, which is made when missing. The relationship files are read
// for their long names and not kept.
ArchiveContents ExtractProjectArchive(const std::string& archivePath, const std::string& folder, Sleeper& sleeper);

}  // namespace quillmere
