#pragma once
// Results of listing and extracting a zip. 0 is success, as with Info-ZIP's
// UnZip, so callers written against its status convention keep working; every
// other value is a failure and says which kind.

#include <cstdint>

namespace quillmere {

enum UnzipStatus : std::int32_t {
  kUnzipOk = 0,
  // Done, but some entries were skipped: unsafe names, links, files that could
  // not be replaced safely, or include names that matched nothing.
  kUnzipWarning = 1,
  kUnzipNoZipFile = 2,      // no archive named, or it cannot be opened
  kUnzipNotAZip = 3,        // the file is not a zip archive
  kUnzipDamaged = 4,        // the directory or an entry's data is damaged (CRC, length)
  kUnzipTooLarge = 5,       // the archive exceeds ZipLimits (zip bomb guard); nothing written
  kUnzipWriteFailed = 6,    // the destination folder or a file in it cannot be written
  kUnzipNothingFound = 7,   // none of the include names is in the archive
  kUnzipBadPassword = 8,    // an encrypted entry was skipped: no or wrong password
  kUnzipCancelled = 9,      // stopped through the Cancel or PasswordRequest event
  kUnzipUnsupported = 10,   // a compression or encryption method libzip cannot read
};

}  // namespace quillmere
