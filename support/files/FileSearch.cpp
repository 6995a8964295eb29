#include "support/files/FileSearch.h"

#include <cctype>
#include <filesystem>
#include <optional>
#include <system_error>

#include "support/files/Paths.h"

namespace quillmere {
namespace {

namespace fs = std::filesystem;

// The smallest name among the folder's entries that pass keep.
template <class Keep>
std::string SmallestName(std::string_view folder, Keep keep) {
  std::error_code ec;
  fs::directory_iterator it(Utf8Path(folder), ec), end;
  std::optional<std::string> best;
  for (; !ec && it != end; it.increment(ec)) {
    std::string name = Utf8Text(it->path().filename());
    if (keep(*it, name) && (!best || name < *best)) best = name;
  }
  return best.value_or("");
}

bool SameLetter(char a, char b) {
  return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

// '*' for any run of characters, '?' for one, ASCII letters in either case, as the host's search has
// them. A miss after a '*' lets that star take one character more: at worst pattern times name steps.
bool Matches(std::string_view pattern, std::string_view name) {
  std::size_t p = 0, n = 0, star = std::string_view::npos, resume = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      resume = n;
    } else if (p < pattern.size() && (pattern[p] == '?' || SameLetter(pattern[p], name[n]))) {
      ++p;
      ++n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace

std::string FindFirstFile(std::string_view folder, std::string_view pattern) {
  return SmallestName(folder, [&](const fs::directory_entry& entry, const std::string& name) {
    std::error_code ec;
    return entry.is_regular_file(ec) && Matches(pattern, name);
  });
}

std::string FindFirstFolder(std::string_view folder) {
  return SmallestName(folder, [](const fs::directory_entry& entry, const std::string&) {
    std::error_code ec;
    return entry.is_directory(ec);
  });
}

}  // namespace quillmere
