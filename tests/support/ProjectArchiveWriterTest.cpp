// Archives our writer and packer make, read back by readers that are not
// ours: libgsf's plain compound-file reader, and olefile where Python has it.

#include "support/storage/ProjectArchiveWriter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "support/storage/CompoundFileNames.h"
#include "tests/helpers/IsolatedUserFolders.h"
#include "tests/helpers/MissingTool.h"
#include "tests/helpers/ProjectArchiveFixtures.h"
#include "tests/helpers/TextPieces.h"
#include "utilities/archive/ProjectArchivePacking.h"

namespace quillmere {
namespace {

namespace fs = std::filesystem;
using testing::RandomBytes;
using testing::ReadBackWithLibgsf;
using testing::ReadFile;
using ::testing::UnorderedElementsAre;
using testing::WriteFile;

// 26 UTF-16 units, two of them a surrogate pair.
const std::string kUnicodeName = "Prüfung 日本語 ✓ \U0001F600 track.mp3";

class ProjectArchiveWriterTest : public testing::IsolatedUserFolders {
 protected:
  void SetUp() override {
    IsolatedUserFolders::SetUp();
    archive_ = root_ / "course.qpk";
  }

  // The archive every reader checks: folders, small and large files, an empty
  // one, a relationship file and a UTF-16 name.
  void WriteCourse() {
    ProjectArchiveWriter writer(archive_.string());
    ASSERT_TRUE(writer.BeginFolder("narration"));
    ASSERT_TRUE(writer.AddFile("slide1.mp3", "ID3 small"));
    ASSERT_TRUE(writer.AddFile(kUnicodeName, big_));
    ASSERT_TRUE(writer.AddFile("empty.txt", ""));
    ASSERT_TRUE(writer.AddRelationships({{"TRACKO~1.MP3", "Track one with a long name.mp3"}}));
    ASSERT_TRUE(writer.EndFolder());
    ASSERT_TRUE(writer.BeginFolder("webobjects"));
    ASSERT_TRUE(writer.BeginFolder("quiz"));
    ASSERT_TRUE(writer.AddFile("index.html", "<html/>"));
    ASSERT_TRUE(writer.Close()) << writer.Error();  // ends the open folders
  }

  // No temporary archive is left beside the target.
  void ExpectNoTemporaryFiles() {
    for (const auto& item : fs::directory_iterator(root_))
      EXPECT_NE(item.path().filename().string().rfind(".course.qpk.", 0), 0u) << "left behind: " << item.path();
  }

  fs::path archive_;
  std::string big_ = RandomBytes(70000, 1);  // beyond the small-block limit of 4096 bytes
};

TEST_F(ProjectArchiveWriterTest, ArchivesReadBackThroughLibgsfsOwnReader) {
  WriteCourse();
  std::map<std::string, std::string> expected = {
      {"narration/", ""},
      {"narration/slide1.mp3", "ID3 small"},
      {"narration/" + kUnicodeName, big_},
      {"narration/empty.txt", ""},
      {"narration/_rel.lst", EncodeRelationships({{"TRACKO~1.MP3", "Track one with a long name.mp3"}})},
      {"webobjects/", ""},
      {"webobjects/quiz/", ""},
      {"webobjects/quiz/index.html", "<html/>"},
  };
  EXPECT_EQ(ReadBackWithLibgsf(archive_), expected);
  ExpectNoTemporaryFiles();
}

// The first Python that has olefile (Debian's python3-olefile lives in the system's own); empty when none has.
std::string PythonWithOlefile() {
  for (std::string python : {"python3", "/usr/bin/python3"})
    if (std::system((python + " -c 'import olefile' 2>/dev/null").c_str()) == 0) return python;
  return "";
}

TEST_F(ProjectArchiveWriterTest, ArchivesReadBackThroughOlefile) {
  std::string python = PythonWithOlefile();
  QUILLMERE_REQUIRE_TOOL(!python.empty(), "Python's olefile");
  WriteCourse();
  std::string command = python +
                        " -c \"import olefile, sys\n"
                        "o = olefile.OleFileIO(sys.argv[1])\n"
                        "for e in sorted(o.listdir(streams=True, storages=True)):\n"
                        "    p = '/'.join(e)\n"
                        "    print(p, o.get_size(p) if o.get_type(p) == olefile.STGTY_STREAM else 'folder')\" " +
                        archive_.string();
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string out;
  for (char buffer[256]; fgets(buffer, sizeof buffer, pipe);) out += buffer;
  ASSERT_EQ(pclose(pipe), 0) << out;
  testing::ExpectHas(
      out, {"narration/" + kUnicodeName + " 70000\n", "webobjects/quiz/index.html 7\n", "narration/empty.txt 0\n"});
}

TEST_F(ProjectArchiveWriterTest, NamesAnArchiveCannotHoldFailTheWriteAndLeaveTheOldArchive) {
  WriteCourse();
  const std::string before = ReadFile(archive_);
  struct Case {
    const char* what;
    std::function<bool(ProjectArchiveWriter&)> write;
  };
  const std::vector<Case> cases = {
      {"32 characters", [](ProjectArchiveWriter& w) { return w.AddFile(std::string(32, 'a'), "x"); }},
      {"a separator", [](ProjectArchiveWriter& w) { return w.BeginFolder("a/b"); }},
      {"a colon", [](ProjectArchiveWriter& w) { return w.AddFile("c:x", "x"); }},
      {"no name", [](ProjectArchiveWriter& w) { return w.AddFile("", "x"); }},
      {"a name twice, in other case",
       [](ProjectArchiveWriter& w) { return w.AddFile("clip.FLV", "x") && w.AddFile("Clip.flv", "y"); }},
      {"a folder ended at the root", [](ProjectArchiveWriter& w) { return w.EndFolder(); }},
      {"a file that is not there",
       [this](ProjectArchiveWriter& w) { return w.AddFileFrom("a", (root_ / "none").string()); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ProjectArchiveWriter writer(archive_.string());
    ASSERT_TRUE(writer.AddFile("first.txt", "written before the fault"));
    EXPECT_FALSE(c.write(writer));
    EXPECT_FALSE(writer.Error().empty());
    EXPECT_FALSE(writer.AddFile("later.txt", "x")) << "a failed archive takes more";
    EXPECT_FALSE(writer.Close());
    EXPECT_EQ(ReadFile(archive_), before) << "the old archive was touched";
    ExpectNoTemporaryFiles();
  }
}

TEST_F(ProjectArchiveWriterTest, PackingGivesLongNamesShortOnesAndLeavesOutWhatCannotComeBack) {
  fs::path folder = root_ / "project";
  const std::string one = "A very long narration track name for slide one.mp3";
  const std::string two = "a very long narration track name for slide two.mp3";
  testing::WriteTree(folder, {{"narration/" + one, "one"},
                              {"narration/" + two, "two"},
                              {"narration/short.mp3", "short"},
                              {"narration/_rel.lst", "a list of our own"},
                              {"videos/clip:1.flv", big_},
                              {"webobjects/A folder name that is far too long to store/", ""}});
  fs::create_symlink("/etc/passwd", folder / "videos" / "link.flv");
  ASSERT_EQ(mkfifo((folder / "videos" / "pipe").c_str(), 0600), 0);

  PackResult result = PackFolder(folder.string(), archive_.string());
  ASSERT_TRUE(result.written) << result.error;
  EXPECT_EQ(result.files, 4u);
  EXPECT_EQ(result.folders, 3u);
  EXPECT_THAT(result.skipped,
              UnorderedElementsAre("narration/_rel.lst: the name is kept for the archive's lists of long names",
                                   "videos/link.flv: links are not packed", "videos/pipe: it is not a regular file",
                                   "webobjects/A folder name that is far too long to store/: an archive cannot hold "
                                   "this folder name: the name is longer than 31 characters"));

  std::map<std::string, std::string> entries = ReadBackWithLibgsf(archive_);
  EXPECT_EQ(entries["narration/AVERYL~1.MP3"], "one");
  EXPECT_EQ(entries["narration/AVERYL~2.MP3"], "two");
  EXPECT_EQ(entries["narration/short.mp3"], "short");
  EXPECT_EQ(entries["videos/CLIP1~1.FLV"], big_);
  EXPECT_EQ(entries.count("webobjects/"), 1u);
  std::vector<NamePair> names = ParseRelationships(entries["narration/_rel.lst"]);
  ASSERT_EQ(names.size(), 2u);
  EXPECT_EQ(names[0].shortName + "|" + names[0].longName, "AVERYL~1.MP3|" + one);
  EXPECT_EQ(names[1].shortName + "|" + names[1].longName, "AVERYL~2.MP3|" + two);
  EXPECT_EQ(ParseRelationships(entries["videos/_rel.lst"]).at(0).longName, "clip:1.flv");
}

TEST(CompoundFileNames, ShortNamesKeepWhatTheyCanOfTheLongOne) {
  std::set<std::string> taken;
  auto make = [&](const std::string& name) {
    std::string made = MakeShortName(name, [&](const std::string& s) { return taken.count(StoredNameKey(s)) != 0; });
    taken.insert(StoredNameKey(made));
    return made;
  };
  for (auto [in, want] : {std::pair{"Introduction narration.mp3", "INTROD~1.MP3"},
                          std::pair{"introduction NARRATION.mp3", "INTROD~2.MP3"},
                          std::pair{"no extension at all", "NOEXTE~1"}, std::pair{"日本語.jpeg", "F~1.JPE"}})
    EXPECT_EQ(make(in), want) << in;
  for (int i = 3; i <= 10; ++i) make("Introduction " + std::to_string(i) + ".mp3");
  EXPECT_EQ(make("Introduction again.mp3"), "INTRO~11.MP3");
  EXPECT_TRUE(StorableName(kUnicodeName));
  EXPECT_FALSE(StorableName(kUnicodeName + "123456"));  // 32 units in 31 characters
}

}  // namespace
}  // namespace quillmere
