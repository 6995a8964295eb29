#include "support/storage/RelationshipFile.h"

#include <array>
#include <cstdint>

#include "support/files/FileBytes.h"
#include "support/text/Utf16Text.h"

namespace quillmere {
namespace {

// Far more than the lines of the largest folder an archive may hold; a
// larger file is read this far, so that it cannot exhaust memory.
constexpr std::int64_t kMaxRelationshipFileBytes = 4 << 20;

// Windows-1252 from 0x80 to 0x9F; the five unassigned codes stand for themselves.
constexpr std::array<char16_t, 32> kAnsiHigh{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool StartsWith(std::string_view bytes, std::initializer_list<unsigned char> mark) {
  if (bytes.size() < mark.size()) return false;
  std::size_t i = 0;
  for (unsigned char b : mark)
    if (static_cast<unsigned char>(bytes[i++]) != b) return false;
  return true;
}

unsigned char Byte(std::string_view bytes, std::size_t i) { return static_cast<unsigned char>(bytes[i]); }

std::string DecodeUtf16(std::string_view bytes, bool bigEndian) {
  std::u16string units;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    unsigned high = Byte(bytes, bigEndian ? i : i + 1), low = Byte(bytes, bigEndian ? i + 1 : i);
    units += static_cast<char16_t>(high << 8 | low);
  }
  return FromUtf16(units);
}

std::string DecodeUtf32Be(std::string_view bytes) {
  std::string out;
  for (std::size_t i = 0; i + 3 < bytes.size(); i += 4)
    AppendUtf8(out, static_cast<char32_t>(Byte(bytes, i)) << 24 | static_cast<char32_t>(Byte(bytes, i + 1)) << 16 |
                        static_cast<char32_t>(Byte(bytes, i + 2)) << 8 | Byte(bytes, i + 3));
  return out;
}

std::string DecodeAnsi(std::string_view bytes) {
  if (IsValidUtf8(bytes)) return std::string(bytes);
  std::string out;
  for (unsigned char c : bytes) AppendUtf8(out, c >= 0x80 && c <= 0x9F ? kAnsiHigh[c - 0x80] : c);
  return out;
}

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

}  // namespace

TextEncoding DetectTextEncoding(std::string_view bytes) {
  if (StartsWith(bytes, {0xEF, 0xBB, 0xBF})) return TextEncoding::Utf8;
  if (StartsWith(bytes, {0xFE, 0xFF})) return TextEncoding::Utf16Be;
  if (StartsWith(bytes, {0x00, 0x00, 0xFE, 0xFF})) return TextEncoding::Utf32Be;
  if (StartsWith(bytes, {0xFF, 0xFE})) return TextEncoding::Utf16Le;
  return TextEncoding::Ansi;
}

std::string DecodeText(std::string_view bytes) {
  switch (DetectTextEncoding(bytes)) {
    case TextEncoding::Utf8: return std::string(bytes.substr(3));
    case TextEncoding::Utf16Be: return DecodeUtf16(bytes.substr(2), true);
    case TextEncoding::Utf16Le: return DecodeUtf16(bytes.substr(2), false);
    case TextEncoding::Utf32Be: return DecodeUtf32Be(bytes.substr(4));
    case TextEncoding::Ansi: break;
  }
  return DecodeAnsi(bytes);
}

std::vector<NamePair> ParseRelationships(std::string_view bytes) {
  std::string text = DecodeText(bytes);
  std::vector<NamePair> pairs;
  for (std::string_view line : Lines(text)) {
    std::size_t bar = line.find('|');
    if (bar == std::string_view::npos) continue;
    std::string_view longName = line.substr(bar + 1);
    longName = longName.substr(0, longName.find('|'));
    if (bar == 0 || longName.empty()) continue;
    pairs.push_back({std::string(line.substr(0, bar)), std::string(longName)});
  }
  return pairs;
}

std::vector<NamePair> ReadRelationshipFile(const std::string& path) {
  std::vector<std::uint8_t> bytes = ReadFileBytes(path, kMaxRelationshipFileBytes - 1);
  return ParseRelationships(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::string EncodeRelationships(const std::vector<NamePair>& pairs) {
  std::u16string text;
  for (const NamePair& pair : pairs) text += ToUtf16(pair.shortName + "|" + pair.longName + "\r\n");
  std::string bytes = "\xFF\xFE";
  for (char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

}  // namespace quillmere
