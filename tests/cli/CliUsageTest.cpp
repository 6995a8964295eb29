// The command line itself: help, version and the usage errors that must end
// with 64 before any export starts.

#include <gtest/gtest.h>

#include "QuillmereVersion.h"
#include "tests/cli/CliHarness.h"

namespace quillmere::clitest {
namespace {

class CliUsage : public ::testing::Test {
 protected:
  ChildResult Run(const std::vector<std::string>& args) { return RunCli(sandbox_, args, Within(std::chrono::seconds(30))); }
  Sandbox sandbox_;
};

TEST_F(CliUsage, HelpListsEveryCommandAndTheUsageExitCode) {
  ChildResult r = Run({"--help"});
  ASSERT_EQ(r.exitCode, 0) << Describe(r) << r.err;
  for (const char* word : {"presentation", "slides", "slide", "thumbnails", "trace", "--emulate-version", "--trace",
                           "--version", "64"})
    EXPECT_NE(r.out.find(word), std::string::npos) << word << " missing from:\n" << r.out;
  EXPECT_EQ(r.err, "");
}

TEST_F(CliUsage, CommandHelpExitsZero) {
  ChildResult r = Run({"slides", "--help"});
  EXPECT_EQ(r.exitCode, 0) << Describe(r) << r.err;
  EXPECT_NE(r.out.find("LIST"), std::string::npos) << r.out;
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
  EXPECT_NE(help.out.find("--token-file"), std::string::npos) << help.out;
  ExpectUsageErrors(sandbox_, {{"serve", "--listen", "no-port"}, {"serve", "--workers", "0"}});
  ChildOptions options = Within(std::chrono::seconds(30));
  options.env = sandbox_.Environment();
  options.env.push_back("QUILLMERE_SERVE_PROGRAM=" + (sandbox_.Root() / "no-such-program").string());
  ChildResult missing = RunChild(CliPath(), {"serve", "--listen", "127.0.0.1:0"}, options);
  EXPECT_EQ(missing.exitCode, 69) << Describe(missing);
  EXPECT_NE(missing.err.find("cannot start " + (sandbox_.Root() / "no-such-program").string()), std::string::npos)
      << missing.err;
}

}  // namespace
}  // namespace quillmere::clitest
