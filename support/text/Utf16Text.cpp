#include "support/text/Utf16Text.h"

#include "support/text/Utf16Units.h"

namespace quillmere {
namespace {

bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

std::u16string ToUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  ForEachCodePoint(utf8, [&](char32_t cp, std::size_t) {
    if (cp >= kFirstSupplementary) {
      cp -= kFirstSupplementary;
      out += static_cast<char16_t>(0xD800 + (cp >> 10));
      out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      out += static_cast<char16_t>(IsHighSurrogate(cp) || IsLowSurrogate(cp) ? kReplacementCharacter : cp);
    }
  });
  return out;
}

std::string FromUtf16(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    char32_t unit = utf16[i];
    if (IsHighSurrogate(unit) && i + 1 < utf16.size() && IsLowSurrogate(utf16[i + 1])) {
      AppendUtf8(out, kFirstSupplementary + ((unit - 0xD800) << 10) + (utf16[++i] - 0xDC00));
      continue;
    }
    AppendUtf8(out, unit);
  }
  return out;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp > 0x10FFFF || IsHighSurrogate(cp) || IsLowSurrogate(cp)) cp = kReplacementCharacter;
  auto put = [&](unsigned value) { out += static_cast<char>(value); };
  if (cp < 0x80) {
    put(cp);
  } else if (cp < 0x800) {
    put(0xC0 | (cp >> 6));
    put(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    put(0xE0 | (cp >> 12));
    put(0x80 | ((cp >> 6) & 0x3F));
    put(0x80 | (cp & 0x3F));
  } else {
    put(0xF0 | (cp >> 18));
    put(0x80 | ((cp >> 12) & 0x3F));
    put(0x80 | ((cp >> 6) & 0x3F));
    put(0x80 | (cp & 0x3F));
  }
}

// Conversion replaces whatever is not UTF-8, so the round trip keeps exactly the valid text.
bool IsValidUtf8(std::string_view bytes) {
  return bytes.find('\0') == std::string_view::npos && FromUtf16(ToUtf16(bytes)) == bytes;
}

}  // namespace quillmere
