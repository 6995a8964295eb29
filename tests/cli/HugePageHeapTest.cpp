#include <gtest/gtest.h>

#include "cli/HugePageHeap.h"

namespace quillmere::cli {
namespace {

// The second start must hand its children the environment the user gave it.
TEST(HugePageHeap, TheUsersTunablesAreKeptAndComeBackUnchanged) {
  EXPECT_EQ(TunablesWithHugePages(nullptr), "glibc.malloc.hugetlb=1");
  EXPECT_EQ(TunablesWithHugePages(""), "glibc.malloc.hugetlb=1");
  EXPECT_EQ(TunablesWithHugePages("glibc.malloc.hugetlb=0"), std::nullopt);
  EXPECT_EQ(TunablesWithHugePages("glibc.malloc.check=3:glibc.malloc.hugetlb=2"), std::nullopt);
  for (const char* given : {"glibc.malloc.check=3", "glibc.malloc.tcache_count=0:glibc.malloc.mxfast=0"}) {
    std::optional<std::string> with = TunablesWithHugePages(given);
    ASSERT_TRUE(with);
    EXPECT_EQ(*with, std::string(given) + ":glibc.malloc.hugetlb=1");
    EXPECT_EQ(TunablesWithoutHugePages(*with), given);
  }
  EXPECT_EQ(TunablesWithoutHugePages(*TunablesWithHugePages(nullptr)), std::nullopt);
  EXPECT_EQ(TunablesWithoutHugePages("glibc.malloc.check=3"), "glibc.malloc.check=3");
}

}  // namespace
}  // namespace quillmere::cli
