// Decks that cannot be exported: the exit code is the status, stdout stays
// empty and stderr holds exactly one line that names the deck, the status
// and, for a deck that cannot be opened, why.

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/cli/CliHarness.h"
#include "tests/engine/package/PackageTestFiles.h"
#include "tests/helpers/TextPieces.h"

namespace quillmere::clitest {
namespace {

class CliStatus : public ::testing::Test {
 protected:
  void ExpectFailure(const std::filesystem::path& deck, int status, const std::string& name,
                     const std::string& reason = {}) {
    ChildResult r = RunCli(sandbox_, {"presentation", deck.string(), "-o", (sandbox_.Root() / "out").string()});
    ASSERT_EQ(r.exitCode, status) << Describe(r) << "\nstderr:\n" << r.err;
    EXPECT_EQ(r.out, "");
    std::vector<std::string> lines = Lines(r.err);
    ASSERT_EQ(lines.size(), 1u) << r.err;
    const std::string& line = lines[0];
    EXPECT_EQ(line.rfind("quillmere: " + deck.string() + ": ", 0), 0u) << line;
    testing::ExpectHas(line, {"(status " + std::to_string(status) + ", " + name + ")", ": " + reason + " (status"});
    EXPECT_FALSE(std::filesystem::exists(sandbox_.Root() / "out" / "presentationinfo.xml"));
  }

  Sandbox sandbox_;
};

TEST_F(CliStatus, MissingDeckCannotBeOpenedAndEncryptedDeckIsPasswordProtected) {
  ExpectFailure(sandbox_.Root() / "no-such-deck.pptx", 4, "ERR_PRESENTATION_OPEN_FAILED", "the file does not exist");
  ExpectFailure(CorpusDir() / "made__notes-encrypted.pptx", 11, "ERR_PASSWORD_PROTECTED_OPEN_FAILED",
                "the presentation is password protected");
}

TEST_F(CliStatus, DamagedPackagesCannotBeOpenedAndSayWhy) {
  ExpectFailure(CorpusDir() / "poi__clusterfuzz-testcase-minimized-POIXSLFFuzzer-6254434927378432.pptx", 4,
                "ERR_PRESENTATION_OPEN_FAILED", "the zip is truncated (no central directory)");
  ExpectFailure(CorpusDir() / "poi__pp40only.ppt", 4, "ERR_PRESENTATION_OPEN_FAILED", "the file is not a presentation");
  // Two entries of one name: which one a reader takes is a choice no reader should make.
  std::vector<engine::packagetest::StoredEntry> entries = engine::packagetest::MinimalDeck();
  entries.push_back(entries.front());
  const std::filesystem::path twice = sandbox_.Root() / "twice.pptx";
  engine::packagetest::WriteFile(twice, engine::packagetest::StoredZip(entries));
  ExpectFailure(twice, 4, "ERR_PRESENTATION_OPEN_FAILED", "the zip holds the entry [Content_Types].xml twice");
}

}  // namespace
}  // namespace quillmere::clitest
