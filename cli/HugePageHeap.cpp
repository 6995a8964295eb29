#include "cli/HugePageHeap.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <string_view>
#include <vector>

#include "cli/CommandLine.h"
#include "support/zip/ZipListing.h"

namespace quillmere::cli {
namespace {

constexpr const char* kTunables = "GLIBC_TUNABLES";
constexpr std::string_view kHugePages = "glibc.malloc.hugetlb=1";
// Set for the second start only: what it added to the tunables is taken away again.
constexpr const char* kRestarted = "QUILLMERE_HUGE_PAGE_HEAP";
// Where a description takes about 150 ms on a 2-core machine, so that 6 % of it outweighs the second start.
constexpr std::uint64_t kLargeDeckXml = 2 * 1024 * 1024;

// 0 for what is not a readable zip: a .ppt, say, is converted before it is read.
std::uint64_t UnpackedXmlBytes(const std::string& deck) {
  UnzipStatus status = kUnzipOk;
  ZipArchive zip = OpenZipArchive(deck, &status);
  std::vector<ZipListedEntry> entries;
  if (!zip || ListZipEntries(zip.get(), ZipLimits{}, entries) != kUnzipOk) return 0;
  std::uint64_t bytes = 0;
  for (const ZipListedEntry& entry : entries)
    if (entry.name.ends_with(".xml") || entry.name.ends_with(".rels")) bytes += entry.size;
  return bytes;
}

// Unused where the restart is compiled out.
[[maybe_unused]] void SetOrUnset(const char* name, const std::optional<std::string>& value) {
  if (value)
    setenv(name, value->c_str(), 1);
  else
    unsetenv(name);
}

}  // namespace

std::optional<std::string> TunablesWithHugePages(const char* given) {
  std::string_view tunables = given ? given : "";
  if (tunables.find("glibc.malloc.hugetlb") != std::string_view::npos) return std::nullopt;
  return tunables.empty() ? std::string(kHugePages) : std::string(tunables) + ":" + std::string(kHugePages);
}

std::optional<std::string> TunablesWithoutHugePages(const std::string& withHugePages) {
  if (withHugePages == kHugePages) return std::nullopt;
  const std::string added = ":" + std::string(kHugePages);
  if (!withHugePages.ends_with(added)) return withHugePages;  // not what the first start made
  return withHugePages.substr(0, withHugePages.size() - added.size());
}

bool HugePagesPayOff(const Invocation& run) {
  switch (run.command) {
    case Command::BatchWorker: return true;
    case Command::Presentation:
    case Command::Slides:
    case Command::Slide: return UnpackedXmlBytes(run.deck) >= kLargeDeckXml;
    default: return false;
  }
}

void StartWithHugePageHeap(char** argv, const std::function<bool()>& worthIt) {
  // Under AddressSanitizer its own allocator serves every block.
#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)
  const char* given = getenv(kTunables);
  if (getenv(kRestarted)) {
    unsetenv(kRestarted);
    if (given) SetOrUnset(kTunables, TunablesWithoutHugePages(given));
    return;
  }
  std::optional<std::string> wanted = TunablesWithHugePages(given);
  if (!wanted || !worthIt()) return;  // the user's own choice, or not worth a second start
  std::optional<std::string> before = given ? std::optional<std::string>(given) : std::nullopt;
  setenv(kTunables, wanted->c_str(), 1);
  setenv(kRestarted, "1", 1);
  execv("/proc/self/exe", argv);
  // No second start (no /proc, say): go on with the heap as it is.
  unsetenv(kRestarted);
  SetOrUnset(kTunables, before);
#else
  (void)argv;
  (void)worthIt;
#endif
}

}  // namespace quillmere::cli
