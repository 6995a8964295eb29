#pragma once
// Packing a folder into a project archive, as the authoring application
// would keep it: files and folders as they are, names that a compound file
// cannot hold under short names listed with their long names in the folder's
// "_rel.lst". Only what an extraction can give back is packed: links, special
// files, names no extraction would make and the reserved name "_rel.lst" are
// left out and named in the result.

#include <cstdint>
#include <string>
#include <vector>

#include "utilities/archive/ProjectArchiveWalk.h"

namespace quillmere {

struct PackResult {
  bool written = false;               // the archive was written
  std::string error;                  // why not
  std::uint64_t files = 0, folders = 0;
  std::vector<std::string> skipped;   // each entry left out, and why
};

// Writes the folder's contents into a new archive at archivePath (an archive
// there is replaced only when the new one is complete).
PackResult PackFolder(const std::string& folder, const std::string& archivePath,
                      const ProjectArchiveLimits& limits = {});

}  // namespace quillmere
