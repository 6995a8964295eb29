// The "text" reply survives the trip through one protocol line: quotes,
// line breaks and tabs in names and text, empty texts, fonts and cells; a
// reply that does not make whole shapes is refused.

#include <gtest/gtest.h>

#include "engine/render/PageTextWords.h"
#include "engine/render/RenderProtocol.h"

namespace quillmere::testing {
namespace {

using namespace engine::renderprotocol;

TEST(PageTextWordsTest, ShapesSurviveOneReplyLineAndBrokenRepliesAreRefused) {
  std::vector<ShapeText> shapes{
      {{3, 0}, -1, -1, "Title \"quoted\"", "first\nsecond\twith tab\n",
       {{18, "Arial", 8226}, {10.5, "MS PGothic", kNumbered}, {24, "", 0}}},
      {{5}, 2, 1, "Table 1", "", {}},
      {{7}, -1, -1, "", std::string("page ") + std::string(kFieldMark), {{12, "Calibri", kPictureBullet}}}};
  std::string line = JoinWords(PageTextWords(shapes));
  EXPECT_EQ(line.find('\n'), std::string::npos);
  std::optional<std::vector<std::string>> words = SplitWords(line);
  ASSERT_TRUE(words);
  EXPECT_EQ(PageTextFromWords(*words), shapes);
  EXPECT_EQ(PageTextFromWords({}), std::vector<ShapeText>{});

  EXPECT_FALSE(PageTextFromWords({"1", "-", "name", "text"}));                   // a word short
  EXPECT_FALSE(PageTextFromWords({"1.x", "-", "name", "text", "0"}));            // a path that is no number
  EXPECT_FALSE(PageTextFromWords({"1", "2", "name", "text", "0"}));              // a cell without its column
  EXPECT_FALSE(PageTextFromWords({"1", "-", "name", "text", "2", "18", "Arial", "0"}));  // a paragraph short
  EXPECT_FALSE(PageTextFromWords({"1", "-", "name", "text", "1", "18", "Arial", "•"}));  // a bullet not as a number
}

}  // namespace
}  // namespace quillmere::testing
