#pragma once
// A test that needs a program the machine lacks. A developer without it sees the test skipped;
// CI installs every such program (scripts/install-deps.sh), so there a missing one is a failure:
// a skip would hide the install step that went missing.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string_view>

namespace quillmere::testing {

inline bool RunningInCi() {
  const char* ci = std::getenv("CI");
  return ci != nullptr && *ci != '\0' && std::string_view(ci) != "false" && std::string_view(ci) != "0";
}

}  // namespace quillmere::testing

// Ends the test (as GTEST_SKIP or FAIL) when `present` is false; `what` names the program.
#define QUILLMERE_REQUIRE_TOOL(present, what)                                                       \
  if (!(present)) {                                                                                 \
    if (::quillmere::testing::RunningInCi()) FAIL() << what << " is not installed; CI must install it"; \
    GTEST_SKIP() << what << " is not installed";                                                    \
  }
