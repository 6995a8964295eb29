#pragma once
// The libzip side of cUnzip that extracts: the work Info-ZIP's UnZip did for
// the caller, with the same option fields and call-backs, over libzip.
// Entries whose names would land outside the folder, and links, are logged and
// skipped; archives beyond ZipLimits are refused before anything is written.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "support/zip/ZipLimits.h"
#include "support/zip/ZipStatus.h"

namespace quillmere {

enum class OverwriteAnswer { Skip, Overwrite, OverwriteAll, SkipAll };

struct UnzipOptions {
  bool extractOnlyNewer = false;    // replace only files older than the entry; make missing ones
  bool spaceToUnderscore = false;   // ' ' in written names becomes '_'
  bool promptToOverwrite = false;   // ask through replace before replacing a file
  std::int32_t quiet = 0;           // 0 every message, 1 problems only, 2 none
  bool testOnly = false;            // read and check every entry, write nothing
  bool useFolderNames = true;       // false: every file lands in the folder itself
  bool overwriteExisting = false;   // replace existing files without asking
  bool convertLineEnds = false;     // CR or LF alone becomes CR LF in text entries
  bool caseSensitiveNames = false;  // how include names are compared with entry names
  ZipLimits limits;
};

struct UnzipCallbacks {
  std::function<void(const std::string& message)> print;
  // Only asked when promptToOverwrite is set and no earlier answer covers the file.
  std::function<OverwriteAnswer(const std::string& file)> replace;
  // False cancels the run. Asked for an encrypted entry the last password does not open.
  std::function<bool(std::string& password, const std::string& entry)> password;
  // Before each entry; true cancels the run.
  std::function<bool(const std::string& entry, std::uint64_t size)> service;
};

// How many times a wrong password is asked for again before the entry is skipped.
inline constexpr int kPasswordAttempts = 3;
// Info-ZIP's password buffer held 256 bytes; longer answers are cut.
inline constexpr std::size_t kMaxPasswordLength = 254;

// Extracts (or tests) the entries named in includes ('/' between folders), or
// every entry when includes is empty, into folder (the current folder when
// empty, as the library this replaces did).
UnzipStatus ExtractZip(const std::string& zipFile, const std::string& folder, const std::vector<std::string>& includes,
                       const UnzipOptions& options, const UnzipCallbacks& callbacks);

}  // namespace quillmere
