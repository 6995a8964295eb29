#pragma once
// Text as rich text (RTF), the way the presentation puts copied text on the
// clipboard: a font table, the text in its fonts and sizes, and every symbol
// character as a SYMBOL field that names its symbol font.

#include <string>
#include <vector>

namespace quillmere::engine {

struct RichTextRun {
  std::string text;        // UTF-8; \r ends a paragraph, \v breaks a line
  std::string font;        // the typeface of its letters
  std::string symbolFont;  // the typeface of its symbol characters, "" for none
  double size = 18;        // points
};

std::string RichTextOf(const std::vector<RichTextRun>& runs);

}  // namespace quillmere::engine
