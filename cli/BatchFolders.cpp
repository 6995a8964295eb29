#include "cli/BatchFolders.h"

#include <set>

#include "support/text/Text.h"

namespace quillmere::cli {
namespace {

// Room for a suffix within the 255 bytes most file systems allow for a name.
constexpr std::size_t kMaxNameBytes = 200;

bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

std::string BaseName(const std::string& deck) {
  std::string name = std::filesystem::path(deck).stem().string();
  if (name.empty() || name == "." || name == "..") return "deck";
  if (name.size() > kMaxNameBytes) {
    std::size_t cut = kMaxNameBytes;
    while (cut > 0 && IsUtf8Continuation(name[cut])) --cut;
    name.resize(cut);
  }
  return name;
}

}  // namespace

std::vector<std::string> DeckFolderNames(const std::vector<std::string>& decks) {
  std::vector<std::string> names;
  std::set<std::string> taken;  // lower case: the folder may live on a file system that ignores case
  for (const std::string& deck : decks) {
    const std::string base = BaseName(deck);
    std::string name = base;
    for (int n = 2; taken.contains(LowerAscii(name)); ++n) name = base + "-" + std::to_string(n);
    taken.insert(LowerAscii(name));
    names.push_back(name);
  }
  return names;
}

}  // namespace quillmere::cli
