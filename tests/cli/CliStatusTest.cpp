// Decks that cannot be exported: the exit code is the status, stdout stays
// empty and stderr holds exactly one line that names the deck and the status.

#include <gtest/gtest.h>

#include <fstream>

#include "tests/cli/CliHarness.h"

namespace quillmere::clitest {
namespace {

class CliStatus : public ::testing::Test {
 protected:
  void ExpectFailure(const std::filesystem::path& deck, int status, const std::string& name) {
    ChildResult r = RunCli(sandbox_, {"presentation", deck.string(), "-o", (sandbox_.Root() / "out").string()});
    ASSERT_EQ(r.exitCode, status) << Describe(r) << "\nstderr:\n" << r.err;
    EXPECT_EQ(r.out, "");
    std::vector<std::string> lines = Lines(r.err);
    ASSERT_EQ(lines.size(), 1u) << r.err;
    const std::string& line = lines[0];
    EXPECT_EQ(line.rfind("quillmere: " + deck.string() + ": ", 0), 0u) << line;
    EXPECT_NE(line.find("(status " + std::to_string(status) + ", " + name + ")"), std::string::npos) << line;
    EXPECT_FALSE(std::filesystem::exists(sandbox_.Root() / "out" / "presentationinfo.xml"));
  }

  Sandbox sandbox_;
};

TEST_F(CliStatus, MissingDeckCannotBeOpened) {
  ExpectFailure(sandbox_.Root() / "no-such-deck.pptx", 4, "ERR_PRESENTATION_OPEN_FAILED");
}

TEST_F(CliStatus, EncryptedDeckIsPasswordProtected) {
  ExpectFailure(CorpusDir() / "made__notes-encrypted.pptx", 11, "ERR_PASSWORD_PROTECTED_OPEN_FAILED");
}

TEST_F(CliStatus, FuzzedPackageCannotBeOpened) {
  ExpectFailure(CorpusDir() / "poi__clusterfuzz-testcase-minimized-POIXSLFFuzzer-6254434927378432.pptx", 4,
                "ERR_PRESENTATION_OPEN_FAILED");
}

TEST_F(CliStatus, TruncatedDeckCannotBeOpened) {
  std::ifstream in(SampleDeck(), std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_GT(bytes.size(), 4096u);
  // Cutting off the zip's central directory leaves only local entries, which no reader trusts.
  const std::filesystem::path cut = sandbox_.Root() / "truncated.pptx";
  std::ofstream(cut, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size() / 2));
  ExpectFailure(cut, 4, "ERR_PRESENTATION_OPEN_FAILED");
}

}  // namespace
}  // namespace quillmere::clitest
