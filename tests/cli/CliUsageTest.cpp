// The command line itself: help, version and the usage errors that must end
// with 64 before any export starts.

#include <gtest/gtest.h>

#include "QuillmereVersion.h"
#include "tests/cli/CliHarness.h"
#include "tests/helpers/TextPieces.h"

namespace quillmere::clitest {
namespace {

class CliUsage : public ::testing::Test {
 protected:
  ChildResult Run(const std::vector<std::string>& args) {
    return RunCli(sandbox_, args, Within(std::chrono::seconds(30)));
  }
  Sandbox sandbox_;
};

TEST_F(CliUsage, HelpListsEveryCommandAndTheUsageExitCodeAndCommandHelpExitsZero) {
  ChildResult r = Run({"--help"});
  ASSERT_EQ(r.exitCode, 0) << Describe(r) << r.err;
  testing::ExpectHas(r.out, {"presentation", "slides", "slide", "thumbnails", "trace", "--emulate-version", "--trace",
                             "--version", "64"});
  EXPECT_EQ(r.err, "");

  r = Run({"slides", "--help"});
  EXPECT_EQ(r.exitCode, 0) << Describe(r) << r.err;
  testing::ExpectHas(r.out, {"LIST"});
}

TEST_F(CliUsage, VersionIsTheProjectVersion) {
  ChildResult r = Run({"--version"});
  ASSERT_EQ(r.exitCode, 0) << Describe(r) << r.err;
  const std::string expected = "quillmere " + std::to_string(QUILLMERE_VERSION_MAJOR) + "." +
                               std::to_string(QUILLMERE_VERSION_MINOR) + "." + std::to_string(QUILLMERE_VERSION_PATCH) +
                               "." + std::to_string(QUILLMERE_VERSION_TWEAK) + "\n";
  EXPECT_EQ(r.out, expected);
}

TEST_F(CliUsage, BadCommandLinesExitWithUsageCode) {
  const std::string deck = SampleDeck().string();
  ExpectUsageErrors(sandbox_, {{},
                               {"convert", deck},
                               {"presentation"},
                               {"presentation", deck, "extra"},
                               {"presentation", deck, "--no-such-option"},
                               {"slides", deck},
                               {"slide", deck},
                               {"slide", deck, "two"},
                               {"--emulate-version", "13", "presentation", deck},
                               {"--emulate-version", "presentation", deck},
                               {"presentation", deck, "-o"}});
}

// The tool reads serve's options itself and hands a good command line on to the program with the service.
TEST_F(CliUsage, ServeIsCheckedHereAndRunByItsOwnProgram) {
  ChildResult help = Run({"serve", "--help"});
  EXPECT_EQ(help.exitCode, 0) << Describe(help) << help.err;
  testing::ExpectHas(help.out, {"--token-file"});
  ExpectUsageErrors(sandbox_, {{"serve", "--listen", "no-port"}, {"serve", "--workers", "0"}});
  ChildOptions options = Within(std::chrono::seconds(30));
  options.env = sandbox_.Environment();
  options.env.push_back("QUILLMERE_SERVE_PROGRAM=" + (sandbox_.Root() / "no-such-program").string());
  ChildResult missing = RunChild(CliPath(), {"serve", "--listen", "127.0.0.1:0"}, options);
  EXPECT_EQ(missing.exitCode, 69) << Describe(missing);
  testing::ExpectHas(missing.err, {"cannot start " + (sandbox_.Root() / "no-such-program").string()});
}

}  // namespace
}  // namespace quillmere::clitest
