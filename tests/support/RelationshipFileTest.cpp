// "_rel.lst" lines as the authoring tools wrote them, and as we write them.

#include "support/storage/RelationshipFile.h"

#include <gtest/gtest.h>

namespace quillmere {
namespace {

std::string Pairs(const std::vector<NamePair>& pairs) {
  std::string text;
  for (const NamePair& pair : pairs) text += pair.shortName + "|" + pair.longName + ";";
  return text;
}

TEST(RelationshipFile, LinesOfEveryEndingAndEncodingGiveTheirNames) {
  // CR alone, LF alone and CR LF end lines; a line without both names is no pair; a long name ends at a second '|'.
  const std::string lines = "A~1.MP3|a one.mp3\rB~1.MP3|b two.mp3\nno bar\r\n|no short\r\nC~1|\r\nD~1|d|extra";
  EXPECT_EQ(Pairs(ParseRelationships(lines)), "A~1.MP3|a one.mp3;B~1.MP3|b two.mp3;D~1|d;");
  EXPECT_EQ(Pairs(ParseRelationships("E~1.TXT|\x80 price \xE9t\xE9.txt")), "E~1.TXT|€ price été.txt;")
      << "ANSI that is no UTF-8 is Windows-1252";
  EXPECT_EQ(Pairs(ParseRelationships("E~1.TXT|€ été.txt")), "E~1.TXT|€ été.txt;") << "ANSI that is UTF-8 stays";
  EXPECT_EQ(Pairs(ParseRelationships(std::string("\x00\x00\xFE\xFF\x00\x00\x00X\x00\x00\x00|\x00\x01\xF6\x00", 16))),
            "X|\U0001F600;")
      << "UTF-32 BE";
  EXPECT_EQ(Pairs(ParseRelationships(std::string("\xFE\xFF\x00X\x00|\x00\xFC", 8))), "X|ü;") << "UTF-16 BE";
  EXPECT_EQ(Pairs(ParseRelationships(std::string("\xEF\xBB\xBF") + "A~1|für\nB~1|b")), "A~1|für;B~1|b;")
      << "UTF-8 with its mark";
  EXPECT_EQ(DetectTextEncoding("\xFF\xFE\x00\x00"), TextEncoding::Utf16Le);
  EXPECT_EQ(DetectTextEncoding("plain"), TextEncoding::Ansi);

  const std::vector<NamePair> written = {{"LONGNA~1.MP3", "Long name für \U0001F600.mp3"}, {"B~1", "b"}};
  std::string bytes = EncodeRelationships(written);
  EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
  EXPECT_EQ(Pairs(ParseRelationships(bytes)), Pairs(written));
}

}  // namespace
}  // namespace quillmere
