#include "engine/model/media/PictureFileType.h"

#include <cstdint>

#include "support/text/Text.h"

namespace quillmere::engine {
namespace {

bool StartsWith(std::string_view bytes, std::string_view magic) { return bytes.substr(0, magic.size()) == magic; }

std::uint32_t Little32(std::string_view bytes, std::size_t at) {
  auto byte = [&](std::size_t i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])); };
  return byte(0) | byte(1) << 8 | byte(2) << 16 | byte(3) << 24;
}

// An EMF starts with its header record (type 1) carrying " EMF" at byte 40.
bool IsEmf(std::string_view bytes) {
  return bytes.size() >= 44 && Little32(bytes, 0) == 1 && bytes.substr(40, 4) == " EMF";
}

// A WMF starts with the placeable header's key, or with the plain header:
// type 1 (memory) or 2 (disk) and a header of 9 words.
bool IsWmf(std::string_view bytes) {
  if (StartsWith(bytes, "\xD7\xCD\xC6\x9A")) return true;
  return bytes.size() >= 18 && (bytes[0] == 1 || bytes[0] == 2) && bytes[1] == 0 && bytes[2] == 9 && bytes[3] == 0;
}

// SVG is text: an XML declaration or the svg element first, after any byte order mark and blanks.
bool IsSvg(std::string_view bytes) {
  if (StartsWith(bytes, "\xEF\xBB\xBF")) bytes.remove_prefix(3);
  std::size_t start = bytes.find_first_not_of(" \t\r\n");
  if (start == std::string_view::npos) return false;
  std::string_view text = bytes.substr(start, 1024);
  return (StartsWith(text, "<?xml") || StartsWith(text, "<svg") || StartsWith(text, "<!--")) &&
         text.find("<svg") != std::string_view::npos;
}

}  // namespace

std::string_view PictureFileExtension(std::string_view bytes, std::string_view partName) {
  if (StartsWith(bytes, "\x89PNG\r\n\x1A\n")) return "png";
  if (StartsWith(bytes, "\xFF\xD8\xFF")) return "jpg";
  if (StartsWith(bytes, "GIF87a") || StartsWith(bytes, "GIF89a")) return "gif";
  if (IsEmf(bytes)) return "emf";
  if (IsWmf(bytes)) return "wmf";
  if (StartsWith(bytes, "\x1F\x8B")) return LowerAscii(partName).ends_with(".wmz") ? "wmz" : "emz";
  if (StartsWith(bytes, "BM")) return "bmp";
  if (StartsWith(bytes, std::string_view("II*\0", 4)) || StartsWith(bytes, std::string_view("MM\0*", 4))) return "tif";
  if (IsSvg(bytes)) return "svg";
  return {};
}

}  // namespace quillmere::engine
