#include "support/FileSearch.h"

#include <fnmatch.h>

#include <filesystem>
#include <optional>
#include <system_error>

namespace quillmere {
namespace {

namespace fs = std::filesystem;

// The smallest name among the folder's entries that pass keep.
template <class Keep>
std::string SmallestName(std::string_view folder, Keep keep) {
  std::error_code ec;
  fs::directory_iterator it(fs::path(folder), ec), end;
  std::optional<std::string> best;
  for (; !ec && it != end; it.increment(ec)) {
    std::string name = it->path().filename().string();
    if (keep(*it, name) && (!best || name < *best)) best = name;
  }
  return best.value_or("");
}

}  // namespace

std::string FindFirstFile(std::string_view folder, std::string_view pattern) {
  std::string glob(pattern);
  return SmallestName(folder, [&](const fs::directory_entry& entry, const std::string& name) {
    std::error_code ec;
    return entry.is_regular_file(ec) && fnmatch(glob.c_str(), name.c_str(), FNM_CASEFOLD) == 0;
  });
}

std::string FindFirstFolder(std::string_view folder) {
  return SmallestName(folder, [](const fs::directory_entry& entry, const std::string&) {
    std::error_code ec;
    return entry.is_directory(ec);
  });
}

}  // namespace quillmere
