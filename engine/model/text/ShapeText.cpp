#include "engine/model/text/ShapeText.h"

#include <algorithm>

#include "engine/model/document/XmlNames.h"
#include "engine/model/document/XmlPrefixes.h"
#include "engine/model/text/TextRuns.h"

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
    if (IsTextRun(c))
      AppendRunText(c, out);
    else if (LocalName(c) == "br")
      out += kLineBreak;
  }
}

// The formatting the body's text began with: the first paragraph's
// properties, and the first run's (else the paragraph end's) character properties.
struct LeadingFormat {
  pugi::xml_node paragraph, run;
};

LeadingFormat LeadingFormatOf(const pugi::xml_node& txBody) {
  pugi::xml_node first = ChildNamed(txBody, "p");
  LeadingFormat format{ChildNamed(first, "pPr"), {}};
  for (pugi::xml_node c = first.first_child(); c && !format.run; c = c.next_sibling()) {
    std::string_view name = LocalName(c);
    if (IsTextRun(c) || name == "br") format.run = ChildNamed(c, "rPr");
    if (name == "endParaRPr") format.run = c;
  }
  return format;
}

// A copy of the character properties under another name (rPr or endParaRPr).
void AppendRunProperties(pugi::xml_node parent, const pugi::xml_node& like, const std::string& name) {
  if (!like) return;
  pugi::xml_node copy = parent.append_copy(like);
  copy.set_name(name.c_str());
}

void AppendParagraphText(pugi::xml_node paragraph, std::string_view text, const pugi::xml_node& runFormat) {
  const std::string run = DrawingName(paragraph, "r"), rPr = DrawingName(paragraph, "rPr"),
                    t = DrawingName(paragraph, "t"), br = DrawingName(paragraph, "br");
  for (std::size_t start = 0; start <= text.size();) {
    std::size_t end = std::min(text.find(kLineBreak, start), text.size());
    if (end > start) {
      pugi::xml_node r = paragraph.append_child(run.c_str());
      AppendRunProperties(r, runFormat, rPr);
      r.append_child(t.c_str()).text().set(std::string(text.substr(start, end - start)).c_str());
    }
    if (end == text.size()) break;
    AppendRunProperties(paragraph.append_child(br.c_str()), runFormat, rPr);
    start = end + 1;
  }
  AppendRunProperties(paragraph, runFormat, DrawingName(paragraph, "endParaRPr"));
}

}  // namespace

void ReplaceBodyText(pugi::xml_node txBody, std::string_view text) {
  LeadingFormat format = LeadingFormatOf(txBody);
  // Kept apart from the body while its paragraphs go.
  pugi::xml_document keep;
  pugi::xml_node paragraphFormat = format.paragraph ? keep.append_copy(format.paragraph) : pugi::xml_node();
  pugi::xml_node runFormat = format.run ? keep.append_copy(format.run) : pugi::xml_node();
  for (pugi::xml_node p = ChildNamed(txBody, "p"); p; p = ChildNamed(txBody, "p")) txBody.remove_child(p);
  const std::string p = DrawingName(txBody, "p");
  for (std::size_t start = 0; start <= text.size();) {
    std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
    pugi::xml_node paragraph = txBody.append_child(p.c_str());
    if (paragraphFormat) paragraph.append_copy(paragraphFormat);
    AppendParagraphText(paragraph, text.substr(start, end - start), runFormat);
    if (end == text.size()) break;
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
}

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

std::string TextOfRun(const pugi::xml_node& run) {
  std::string text;
  AppendRunText(run, text);
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
