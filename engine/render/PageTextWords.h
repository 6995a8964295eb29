#pragma once
// The answer to the render protocol's "text <page>" request: what LibreOffice
// reads as the text of each shape of a page, written as words of one reply
// line and read back. Encoding and decoding live together so that the server
// and SlideRenderer cannot drift apart.
//
// Five words a shape and three more for each of its paragraphs: its path
// ("4.0", as in "shapes" requests), the table cell ("row.column" from 0, or
// "-" for a shape's own text), its name, its text (its paragraphs joined by
// \n, each field as U+FFFC) and the number of paragraphs; then for each
// paragraph its first portion's font size in points and font name, and the
// bullet's code point: 0 for none, -1 for a number, -2 for a picture.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillmere::engine::renderprotocol {

// Where a field's text stood: LibreOffice shows its own value for it.
inline constexpr std::string_view kFieldMark = "\xEF\xBF\xBC";  // U+FFFC
inline constexpr int kNumbered = -1, kPictureBullet = -2;

struct ParagraphLook {
  double size = 0;  // points
  std::string font;
  int bullet = 0;   // code point; 0 none, kNumbered, kPictureBullet
  bool operator==(const ParagraphLook&) const = default;
};

struct ShapeText {
  std::vector<int> path;
  int row = -1, column = -1;  // a table cell; -1 for the shape's own text
  std::string name, text;
  std::vector<ParagraphLook> paragraphs;
  bool operator==(const ShapeText&) const = default;
};

std::vector<std::string> PageTextWords(const std::vector<ShapeText>& shapes);
// Nothing when the words do not make whole shapes.
std::optional<std::vector<ShapeText>> PageTextFromWords(const std::vector<std::string>& words);

}  // namespace quillmere::engine::renderprotocol
