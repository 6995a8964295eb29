#include "support/files/Paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "tests/helpers/IsolatedUserFolders.h"

namespace quillmere {
namespace {

namespace fs = std::filesystem;
using PathsTest = testing::IsolatedUserFolders;

TEST(PathText, SeparatorsParentsAndBaseNames) {
  for (auto [in, want] : {std::pair{"", ""}, std::pair{"/out/", "/out/"}, std::pair{"/out", "/out/"}})
    EXPECT_EQ(AddPathSeparator(in), want) << in;
  EXPECT_EQ(StripTrailingSeparator(""), "");
  EXPECT_EQ(StripTrailingSeparator("/out//"), "/out/");

  EXPECT_EQ(GetParentFolder("/decks/talk.pptx"), "/decks/");
  EXPECT_EQ(GetParentFolder("/talk.pptx"), "/");
  EXPECT_EQ(GetParentFolder("talk.pptx"), "");

  EXPECT_EQ(GetFileBaseName("/m/intro.swf", ".SWF"), "intro");
  EXPECT_EQ(GetFileBaseName("/m/intro.swf"), "intro.swf");
  EXPECT_EQ(GetFileBaseName("/m/.swf", ".swf"), ".swf") << "the name must be longer than the suffix";
  EXPECT_EQ(GetFileBaseName("/m.d/archive.tar.gz", "", true), "archive.tar");
  EXPECT_EQ(GetFileBaseName("/m.d/noext", "", true), "noext");
  EXPECT_EQ(GetFileBaseName("/m/clip_T.png", "_t", true), "clip");
}

TEST(PathText, RandomNamesAreLowerCaseAlphanumeric) {
  std::string name = RandomName(64);
  ASSERT_EQ(name.size(), 64u);
  for (char c : name) EXPECT_TRUE((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) << c;
  EXPECT_NE(RandomName(16), RandomName(16));
  EXPECT_EQ(RandomName(0), "");
}

TEST_F(PathsTest, CreateFolderPathAndExistence) {
  fs::path deep = Folder("tmp") / "one" / "two" / "three";
  CreateFolderPath(deep.string() + "/");
  EXPECT_TRUE(fs::is_directory(deep));
  CreateFolderPath(deep.string());  // already there: no effect, no error

  std::ofstream(deep / "file.txt") << "x";
  fs::create_symlink(deep / "gone", deep / "dangling");
  EXPECT_TRUE(FileExistsByFind((deep / "file.txt").string()));
  EXPECT_TRUE(FileExistsByFind(deep.string()));
  EXPECT_TRUE(FileExistsByFind((deep / "dangling").string()));
  EXPECT_FALSE(FileExistsByFind((deep / "missing").string()));
  EXPECT_FALSE(FileExistsByFind(""));
  // Unlike the directory-entry check, existence follows links and never throws.
  EXPECT_TRUE(PathExists((deep / "file.txt").string()));
  EXPECT_FALSE(PathExists((deep / "dangling").string()));
  EXPECT_FALSE(PathExists((deep / std::string(5000, 'n')).string()));
  EXPECT_FALSE(PathExists(""));
}

TEST_F(PathsTest, TempFolderIsPerThreadAndRemovable) {
  std::string base = Folder("tmp").string() + "/corvanta/lumidesk/";
  std::string mine = GetTempFolder();
  ASSERT_EQ(mine.rfind(base, 0), 0u) << mine;
  EXPECT_EQ(mine.size(), base.size() + 9);
  EXPECT_EQ(mine.back(), '/');
  EXPECT_TRUE(fs::is_directory(mine));
  EXPECT_EQ(GetTempFolder(), mine);

  std::string other;
  std::thread([&] {
    other = GetTempFolder();
    RemoveTempFolder();
  }).join();
  EXPECT_NE(other, mine);
  EXPECT_FALSE(fs::exists(other));
  EXPECT_TRUE(fs::is_directory(mine)) << "another thread's cleanup must leave this folder";

  std::ofstream(mine + "work.tmp") << "x";
  RemoveTempFolder();
  EXPECT_FALSE(fs::exists(mine));
  EXPECT_EQ(GetTempFolder(), mine) << "the name stays for the thread's life";
  RemoveTempFolder();
}

TEST_F(PathsTest, TempFolderFallsBackToSystemTemp) {
  std::ofstream(Folder("tmp") / "corvanta") << "a file where the folder should be";
  std::string fallback = GetTempFolder();
  EXPECT_EQ(fallback, Folder("tmp").string() + "/");
}

}  // namespace
}  // namespace quillmere
