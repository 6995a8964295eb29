// quillmere archive: a folder packed, listed and extracted elsewhere comes
// back byte for byte; compound files of other writers come out as far as
// they can; bad command lines and unreadable archives say why.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "tests/cli/CliHarness.h"
#include "tests/helpers/ProjectArchiveFixtures.h"
#include "tests/helpers/TestFiles.h"

namespace quillmere::clitest {
namespace {

namespace fs = std::filesystem;
using quillmere::testing::ReadFile;
using quillmere::testing::Tree;
using quillmere::testing::WriteFile;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::UnorderedElementsAre;

class CliArchive : public ::testing::Test {
 protected:
  ChildResult Run(const std::vector<std::string>& args) {
    return RunCli(sandbox_, args, Within(std::chrono::seconds(60)));
  }
  fs::path At(const std::string& name) const { return sandbox_.Root() / name; }
  Sandbox sandbox_;
};

TEST_F(CliArchive, PackedFolderListsAndExtractsElsewhereUnchanged) {
  const fs::path source = At("course");
  const std::string longTrack = "Narration for the first slide of the course.mp3";
  quillmere::testing::WriteTree(source, {{"narration/" + longTrack, "ID3 first"},
                                         {"narration/slide2.mp3", "ID3 second"},
                                         {"webobjects/Quiz 1/index.html", "<html>quiz</html>"},
                                         {"webobjects/Quiz 1/images/Prüfung ✓.png", "PNG"},
                                         {"webobjects/Quiz 1/odd:name.txt", "colon"},
                                         {"videos/clip.flv", quillmere::testing::RandomBytes(300000, 3)},
                                         {"empty folder/", ""}});

  const fs::path archive = At("course.qpk");
  ChildResult pack = Run({"archive", "pack", source.string(), archive.string()});
  ASSERT_EQ(pack.exitCode, 0) << Describe(pack) << pack.err;
  EXPECT_EQ(pack.out, archive.string() + "\n");
  EXPECT_EQ(pack.err, "");

  ChildResult list = Run({"archive", "list", archive.string()});
  ASSERT_EQ(list.exitCode, 0) << Describe(list) << list.err;
  std::vector<std::string> lines = Lines(list.out);
  EXPECT_THAT(lines, Contains("narration/" + longTrack + "  (stored as NARRAT~1.MP3)"));
  EXPECT_THAT(lines, Contains("webobjects/Quiz 1/images/Prüfung ✓.png"));
  EXPECT_THAT(lines, Contains("webobjects/Quiz 1/odd:name.txt  (stored as ODDNAM~1.TXT)"));
  EXPECT_THAT(lines, Contains("empty folder/"));

  const fs::path copy = At("elsewhere") / "copy";
  ChildResult extract = Run({"archive", "extract", archive.string(), "-o", copy.string()});
  ASSERT_EQ(extract.exitCode, 0) << Describe(extract) << extract.err;
  EXPECT_EQ(extract.out, copy.string() + "\n");
  ASSERT_EQ(Tree(copy), Tree(source)) << "the relationship files are not left behind";
  for (const std::string& name : Tree(source)) {
    if (!fs::is_regular_file(source / name)) continue;
    EXPECT_EQ(ReadFile(copy / name), ReadFile(source / name)) << name;
    // Time stamps travel in whole seconds.
    EXPECT_EQ(std::chrono::floor<std::chrono::seconds>(fs::last_write_time(copy / name)),
              std::chrono::floor<std::chrono::seconds>(fs::last_write_time(source / name)))
        << name;
  }
}

TEST_F(CliArchive, BadCommandLinesExitWithUsageCode) {
  ExpectUsageErrors(sandbox_, {{"archive"},
                               {"archive", "list"},
                               {"archive", "unpack", "a.qpk"},
                               {"archive", "extract", "a.qpk", "b.qpk"},
                               {"archive", "pack", "folder-only"},
                               {"archive", "extract", "a.qpk", "-o"}});
}

TEST_F(CliArchive, UnreadableArchivesAndFoldersSayWhy) {
  WriteFile(At("text.qpk"), "not an archive");
  struct Case {
    std::vector<std::string> args;
    int exitCode;
    const char* says;
  };
  const std::vector<Case> cases = {
      {{"archive", "list", At("missing.qpk").string()}, 66, "there is no such file"},
      {{"archive", "list", At("text.qpk").string()}, 65, "not a project archive"},
      {{"archive", "extract", At("text.qpk").string(), "-o", At("out").string()}, 65, "not a project archive"},
      {{"archive", "pack", At("no-folder").string(), At("new.qpk").string()}, 66, "no such folder"},
      {{"archive", "pack", sandbox_.Home().string(), At("no-folder/new.qpk").string()}, 73, "cannot be created"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[1]);
    ChildResult r = Run(c.args);
    EXPECT_EQ(r.exitCode, c.exitCode) << Describe(r) << r.err;
    EXPECT_THAT(r.err, HasSubstr(c.says));
    EXPECT_EQ(r.out, "");
  }
  EXPECT_FALSE(fs::exists(At("out"))) << "a failed extraction makes no folder";
}

// Compound files of other writers hold streams of their own beside the user's: a binary deck's
// property sets (\x05SummaryInformation), \x01CompObj, a writer's marker (\x01Sh33tJ5). Their first
// character is a control character, which no file on disk may carry: they are listed escaped and left
// out of an extraction, and that is no refusal. A control character further in still is one.
TEST_F(CliArchive, SystemStreamsAreListedEscapedAndNotExtracted) {
  const fs::path deck = CorpusDir() / "poi__ppt_with_embeded.ppt";
  ChildResult list = Run({"archive", "list", deck.string()});
  EXPECT_EQ(list.exitCode, 0) << Describe(list) << list.err;
  EXPECT_THAT(Lines(list.out), UnorderedElementsAre("\\x05DocumentSummaryInformation", "\\x05SummaryInformation",
                                                    "Pictures", "Current User", "PowerPoint Document"));
  EXPECT_EQ(list.err, "");
  EXPECT_EQ(list.out.find('\x05'), std::string::npos) << "the name's control character reached the terminal";

  const fs::path guard = At("guard");
  ChildResult extract = Run({"archive", "extract", deck.string(), "-o", (guard / "out").string()});
  EXPECT_EQ(extract.exitCode, 0) << Describe(extract) << extract.err;
  EXPECT_EQ(extract.out, (guard / "out").string() + "\n");
  EXPECT_EQ(extract.err, "");
  EXPECT_THAT(Tree(guard), ElementsAre("out", "out/Current User", "out/Pictures", "out/PowerPoint Document"));
  std::map<std::string, std::string> streams = quillmere::testing::ReadBackWithLibgsf(deck);
  for (const char* name : {"Current User", "Pictures", "PowerPoint Document"})
    EXPECT_EQ(ReadFile(guard / "out" / name), streams[name]) << name;

  const fs::path archive = At("marked.qpk");
  quillmere::testing::WriteArchive(archive, {{"QCompObj", "class id"},
                                             {"webobjects/QSh33tJ5", "marker"},
                                             {"webobjects/page.html", "<html/>"},
                                             {"webobjects/badQname.txt", "inner control character"}});
  for (auto [stored, name] :
       {std::pair{"QCompObj", "\001CompObj"}, {"QSh33tJ5", "\001Sh33tJ5"}, {"badQname.txt", "bad\001name.txt"}})
    quillmere::testing::PatchEntry(archive, stored, name);
  list = Run({"archive", "list", archive.string()});
  EXPECT_EQ(list.exitCode, 65) << Describe(list) << list.err;
  EXPECT_THAT(Lines(list.out),
              UnorderedElementsAre("\\x01CompObj", "webobjects/", "webobjects/\\x01Sh33tJ5", "webobjects/page.html"));
  EXPECT_EQ(list.err, "quillmere: " + archive.string() +
                          ": entry \"webobjects/bad\\x01name.txt\" refused: the name holds a control character\n");
  extract = Run({"archive", "extract", archive.string(), "-o", At("marked").string()});
  EXPECT_EQ(extract.exitCode, 65) << Describe(extract) << extract.err;
  EXPECT_EQ(extract.err, list.err);
  EXPECT_THAT(Tree(At("marked")), ElementsAre("webobjects", "webobjects/page.html"));
}

}  // namespace
}  // namespace quillmere::clitest
