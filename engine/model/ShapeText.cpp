#include "engine/model/ShapeText.h"

#include "engine/model/XmlNames.h"

namespace quillmere::engine {
namespace {

constexpr char kParagraphEnd = '\r';
constexpr char kLineBreak = '\v';
constexpr std::string_view kTrimmed = " \t\r\n\v";

void AppendRunText(const pugi::xml_node& run, std::string& out) {
  for (pugi::xml_node c = ChildNamed(run, "t").first_child(); c; c = c.next_sibling())
    if (c.type() == pugi::node_pcdata || c.type() == pugi::node_cdata) out += c.value();
}

void AppendParagraph(const pugi::xml_node& paragraph, std::string& out) {
  for (pugi::xml_node c = paragraph.first_child(); c; c = c.next_sibling()) {
    if (c.type() != pugi::node_element) continue;
    std::string_view name = LocalName(c);
    if (name == "r" || name == "fld")
      AppendRunText(c, out);
    else if (name == "br")
      out += kLineBreak;
  }
}

}  // namespace

std::string TextOfBody(const pugi::xml_node& txBody) {
  std::string text;
  bool first = true;
  ForEachChildNamed(txBody, "p", [&](const pugi::xml_node& paragraph) {
    if (!first) text += kParagraphEnd;
    first = false;
    AppendParagraph(paragraph, text);
  });
  return text;
}

std::string TextOfParagraph(const pugi::xml_node& paragraph) {
  std::string text;
  AppendParagraph(paragraph, text);
  return text;
}

std::string_view TrimmedText(std::string_view text) {
  std::size_t begin = text.find_first_not_of(kTrimmed);
  if (begin == std::string_view::npos) return {};
  return text.substr(begin, text.find_last_not_of(kTrimmed) - begin + 1);
}

}  // namespace quillmere::engine
