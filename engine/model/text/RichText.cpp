#include "engine/model/text/RichText.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "support/text/Utf16Units.h"

namespace quillmere::engine {
namespace {

// Symbol fonts are addressed through this private-use block: U+F020 is the
// font's character 0x20 and so on.
constexpr char32_t kSymbolBlock = 0xF000;
constexpr char32_t kSymbolBlockEnd = 0xF0FF;

class FontTable {
 public:
  std::size_t IndexOf(const std::string& name, bool symbol) {
    auto it = std::find_if(fonts_.begin(), fonts_.end(), [&](const Font& f) { return f.name == name && f.symbol == symbol; });
    if (it != fonts_.end()) return static_cast<std::size_t>(it - fonts_.begin());
    fonts_.push_back({name, symbol});
    return fonts_.size() - 1;
  }
  std::string Text() const {
    std::string table = "{\\fonttbl";
    for (std::size_t i = 0; i < fonts_.size(); ++i)
      table += "{\\f" + std::to_string(i) + "\\fnil\\fcharset" + (fonts_[i].symbol ? "2 " : "0 ") + fonts_[i].name + ";}";
    return table + "}";
  }

 private:
  struct Font {
    std::string name;
    bool symbol;
  };
  std::vector<Font> fonts_;
};

// One UTF-16 unit as RTF's signed \u keyword with '?' for readers without Unicode.
void AppendUnit(std::string& out, unsigned unit) {
  out += "\\u" + std::to_string(static_cast<int>(static_cast<std::int16_t>(unit))) + "?";
}

void AppendCharacter(std::string& out, char32_t cp) {
  switch (cp) {
    case '\\': out += "\\\\"; return;
    case '{': out += "\\{"; return;
    case '}': out += "\\}"; return;
    case '\r': out += "\\par "; return;
    case '\v': out += "\\line "; return;
    case '\t': out += "\\tab "; return;
    default: break;
  }
  if (cp >= 0x20 && cp < 0x80) out += static_cast<char>(cp);
  else if (cp < kFirstSupplementary) AppendUnit(out, static_cast<unsigned>(cp));
  else {
    char32_t v = cp - kFirstSupplementary;
    AppendUnit(out, 0xD800 + static_cast<unsigned>(v >> 10));
    AppendUnit(out, 0xDC00 + static_cast<unsigned>(v & 0x3FF));
  }
}

}  // namespace

std::string RichTextOf(const std::vector<RichTextRun>& runs) {
  FontTable fonts;
  std::string body;
  for (const RichTextRun& run : runs) {
    long halfPoints = std::lround(run.size * 2);
    std::string letters = "{\\f" + std::to_string(fonts.IndexOf(run.font, false)) + "\\fs" + std::to_string(halfPoints) + " ";
    std::string pending;
    auto flush = [&] {
      if (!pending.empty()) body += letters + pending + "}";
      pending.clear();
    };
    ForEachCodePoint(run.text, [&](char32_t cp, std::size_t) {
      if (run.symbolFont.empty() || cp < kSymbolBlock || cp > kSymbolBlockEnd) {
        AppendCharacter(pending, cp);
        return;
      }
      flush();
      unsigned code = static_cast<unsigned>(cp - kSymbolBlock);
      body += "{\\field{\\*\\fldinst SYMBOL " + std::to_string(code) + " \\\\f \"" + run.symbolFont + "\" \\\\s " +
              std::to_string(halfPoints / 2) + "}{\\fldrslt{\\f" + std::to_string(fonts.IndexOf(run.symbolFont, true)) +
              "\\fs" + std::to_string(halfPoints) + " ";
      AppendCharacter(body, cp);
      body += "}}}";
    });
    flush();
  }
  return "{\\rtf1\\ansi\\ansicpg1252\\deff0" + fonts.Text() + "\\pard\\plain " + body + "\\par}";
}

}  // namespace quillmere::engine
