#include "shapes/RunText.h"

namespace quillmere {
namespace {

void ReplaceAll(std::string& text, char from, std::string_view to) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == from) out += to;
    else out += c;
  }
  text = std::move(out);
}

void CutAt(std::string& text, std::string_view marker) {
  std::size_t at = text.find(marker);
  if (at != std::string::npos) text.erase(at);
}

}  // namespace

std::string EscapedRunText(std::string_view text) {
  std::string out(text);
  CutAt(out, "\r\n");
  ReplaceAll(out, '\v', "&#11;");
  CutAt(out, "\r");
  ReplaceAll(out, ' ', "&#160;");
  ReplaceAll(out, '\t', "&#9;");
  return out;
}

}  // namespace quillmere
