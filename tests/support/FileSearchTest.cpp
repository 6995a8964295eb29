#include "support/files/FileSearch.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/files/Paths.h"
#include "tests/helpers/TestFiles.h"

namespace quillmere {
namespace {

namespace fs = std::filesystem;

TEST(FileSearch, MatchesWildcardsWithoutRegardToCaseAndTakesTheFirstName) {
  fs::path folder = fs::temp_directory_path() / ("quillmere-file-search-" + RandomName(8));
  fs::create_directories(folder / "a folder.swf");
  for (const char* name : {"movie2.swf", "Movie.SWF", "notes.txt", "media1.png", "media10.gif", "[x].swf"})
    testing::WriteFile(folder / name, "x");
  const std::string in = folder.string();

  EXPECT_EQ(FindFirstFile(in, "*.swf"), "Movie.SWF");  // byte order: upper case first; folders never match
  EXPECT_EQ(FindFirstFile(in, "MOVIE?.swf"), "movie2.swf");
  EXPECT_EQ(FindFirstFile(in, "media1.*"), "media1.png");
  EXPECT_EQ(FindFirstFile(in, "*e*1*.g?f"), "media10.gif");  // stars that must give back what they took
  EXPECT_EQ(FindFirstFile(in, "[x].swf"), "[x].swf");        // brackets are plain characters
  EXPECT_EQ(FindFirstFile(in, "*.SWF*"), "Movie.SWF");
  EXPECT_EQ(FindFirstFile(in, "notes.tx"), "");
  EXPECT_EQ(FindFirstFile(in, "?notes.txt"), "");
  EXPECT_EQ(FindFirstFile(in, ""), "");
  EXPECT_EQ(FindFirstFolder(in), "a folder.swf");
  EXPECT_EQ(FindFirstFile((folder / "missing").string(), "*"), "");
  fs::remove_all(folder);
}

}  // namespace
}  // namespace quillmere
