#include "shapes/SymbolFonts.h"

#include <algorithm>
#include <array>
#include <vector>

#include "support/platform/Clipboard.h"
#include "support/text/Utf16Units.h"

namespace quillmere {
namespace {

// Traditional and Simplified Chinese, Japanese, Korean, Russian, Belarusian,
// Chinese (Singapore, Macao), Tibetan, Chinese (Hong Kong).
constexpr std::array<std::int32_t, 10> kLeftAlone{1028, 1041, 1042, 1049, 1059, 2052, 2073, 3076, 4100, 5124};

// Windows-1252 holds every code below 0x80 and from 0xA0 to 0xFF as itself,
// and leaves five codes of 0x80-0x9F unassigned, which also map to themselves;
// every other character has another ANSI code or none ('?').
bool AnsiCodeDiffers(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return false;
  return cp != 0x81 && cp != 0x8D && cp != 0x8F && cp != 0x90 && cp != 0x9D;
}

struct CharacterAt {
  std::size_t position;  // 1-based, in units
  std::size_t units;
};

std::vector<CharacterAt> CharactersToCheck(const std::string& text) {
  std::vector<CharacterAt> found;
  ForEachCodePoint(text, [&](char32_t cp, std::size_t at) {
    if (AnsiCodeDiffers(cp)) found.push_back({at + 1, Utf16UnitsOf(cp)});
  });
  return found;
}

void ClearClipboard() {
  CustomClipboard clipboard;
  if (clipboard.ClipboardOpen()) clipboard.ClearClipboard();
}

}  // namespace

bool NeedsSymbolFontRepair(std::int32_t languageId) {
  return std::find(kLeftAlone.begin(), kLeftAlone.end(), languageId) == kLeftAlone.end();
}

void FixSymbolFonts(const Object& range, StepRunner& run, int step) {
  std::vector<CharacterAt> characters;
  if (!run.Step(step, [&] { characters = CharactersToCheck(range.Get("Text").AsString()); })) return;
  for (const CharacterAt& c : characters) {
    run.Step(step + 1, [&] {
      Object character = range.Child("Characters", static_cast<std::int32_t>(c.position), static_cast<std::int32_t>(c.units));
      character.Call("Copy");
      std::string font = SymbolFontFromClipboard();
      if (!font.empty()) character.Child("Font").Put("Name", font);
    });
  }
  if (!characters.empty()) ClearClipboard();
}

std::string SymbolFontFromClipboard() {
  CustomClipboard clipboard;
  ClipboardFormat format = clipboard.AddFormat(kRichTextFormat);
  if (!clipboard.ClipboardOpen()) return {};
  std::optional<std::string> rtf;
  if (clipboard.IsDataAvailableForFormat(format)) rtf = clipboard.GetTextData(format);
  clipboard.ClipboardClose();
  if (!rtf) return {};
  std::size_t field = rtf->find("fldinst SYMBOL");
  if (field == std::string::npos) return {};
  std::size_t marker = rtf->find("\\\\f", field);
  if (marker == std::string::npos) return {};
  std::size_t open = rtf->find('"', marker);
  if (open == std::string::npos) return {};
  std::size_t close = rtf->find('"', open + 1);
  if (close == std::string::npos) return {};
  return rtf->substr(open + 1, close - open - 1);
}

}  // namespace quillmere
