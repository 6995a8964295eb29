#include "cli/HugePageHeap.h"

#include <stdlib.h>
#include <unistd.h>

#include <string_view>

namespace quillmere::cli {
namespace {

constexpr const char* kTunables = "GLIBC_TUNABLES";
constexpr std::string_view kHugePages = "glibc.malloc.hugetlb=1";
// Set for the second start only: what it added to the tunables is taken away again.
constexpr const char* kRestarted = "QUILLMERE_HUGE_PAGE_HEAP";

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

void StartWithHugePageHeap(char** argv) {
  // Under AddressSanitizer its own allocator serves every block.
#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)
  const char* given = getenv(kTunables);
  if (getenv(kRestarted)) {
    unsetenv(kRestarted);
    if (given) SetOrUnset(kTunables, TunablesWithoutHugePages(given));
    return;
  }
  std::optional<std::string> wanted = TunablesWithHugePages(given);
  if (!wanted) return;  // the user's own choice
  std::optional<std::string> before = given ? std::optional<std::string>(given) : std::nullopt;
  setenv(kTunables, wanted->c_str(), 1);
  setenv(kRestarted, "1", 1);
  execv("/proc/self/exe", argv);
  // No second start (no /proc, say): go on with the heap as it is.
  unsetenv(kRestarted);
  SetOrUnset(kTunables, before);
#else
  (void)argv;
#endif
}

}  // namespace quillmere::cli
