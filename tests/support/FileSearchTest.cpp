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

  // Byte order puts upper case first and folders never match; stars must give back what they took ("*e*1*.g?f");
  // brackets are plain characters.
  for (auto [pattern, want] :
       {std::pair{"*.swf", "Movie.SWF"}, std::pair{"MOVIE?.swf", "movie2.swf"}, std::pair{"media1.*", "media1.png"},
        std::pair{"*e*1*.g?f", "media10.gif"}, std::pair{"[x].swf", "[x].swf"}, std::pair{"*.SWF*", "Movie.SWF"},
        std::pair{"notes.tx", ""}, std::pair{"?notes.txt", ""}, std::pair{"", ""}})
    EXPECT_EQ(FindFirstFile(in, pattern), want) << pattern;
  EXPECT_EQ(FindFirstFolder(in), "a folder.swf");
  EXPECT_EQ(FindFirstFile((folder / "missing").string(), "*"), "");
  fs::remove_all(folder);
}

}  // namespace
}  // namespace quillmere
