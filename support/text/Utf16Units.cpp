#include "support/text/Utf16Units.h"

namespace quillmere {
namespace {

struct Decoded {
  char32_t codePoint;
  std::size_t bytes;
};

Decoded DecodeAt(std::string_view s, std::size_t at) {
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  unsigned char lead = byte(at);
  if (lead < 0x80) return {lead, 1};
  std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
  if (length == 0 || lead > 0xF4 || at + length > s.size()) return {kReplacementCharacter, 1};
  char32_t cp = lead & (0x3F >> (length - 1));
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return {kReplacementCharacter, 1};
    cp = (cp << 6) | (byte(at + i) & 0x3F);
  }
  return {cp, length};
}

// Walks on from byte `at`, where `counted` units lie before, to where unit
// position `units` starts; stops at the string's size when the text is shorter.
void AdvanceToUnit(std::string_view utf8, std::size_t& at, std::size_t& counted, std::size_t units) {
  while (at < utf8.size() && counted < units) {
    Decoded d = DecodeAt(utf8, at);
    counted += Utf16UnitsOf(d.codePoint);
    at += d.bytes;
  }
}

std::size_t ByteOffsetOfUnit(std::string_view utf8, std::size_t units) {
  std::size_t at = 0, counted = 0;
  AdvanceToUnit(utf8, at, counted, units);
  return at;
}

}  // namespace

void ForEachCodePoint(std::string_view utf8, const std::function<void(char32_t, std::size_t)>& visit) {
  std::size_t units = 0;
  for (std::size_t at = 0; at < utf8.size();) {
    Decoded d = DecodeAt(utf8, at);
    visit(d.codePoint, units);
    units += Utf16UnitsOf(d.codePoint);
    at += d.bytes;
  }
}

char32_t FirstCodePoint(std::string_view utf8) { return utf8.empty() ? 0 : DecodeAt(utf8, 0).codePoint; }

std::size_t Utf16Length(std::string_view utf8) {
  std::size_t units = 0;
  ForEachCodePoint(utf8, [&](char32_t cp, std::size_t) { units += Utf16UnitsOf(cp); });
  return units;
}

std::string_view Utf16Slice(std::string_view utf8, std::size_t from, std::size_t to) {
  std::size_t begin = 0, counted = 0;
  AdvanceToUnit(utf8, begin, counted, from);
  if (to < from) return utf8.substr(begin, ByteOffsetOfUnit(utf8, to) - begin);
  // Long runs are sliced character by character: the end is found walking on from the start.
  std::size_t end = begin;
  AdvanceToUnit(utf8, end, counted, to);
  return utf8.substr(begin, end - begin);
}

}  // namespace quillmere
