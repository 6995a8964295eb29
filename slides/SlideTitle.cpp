#include "slides/SlideTitle.h"

#include "objectmodel/powerpoint/Tags.h"

namespace quillmere {
namespace {

constexpr std::string_view kNoBreakSpace = "&#160;";
constexpr std::string_view kLineBreakMark = "&#11;";

std::string ReplaceSpaces(std::string text) {
  for (std::size_t pos = text.find(' '); pos != std::string::npos; pos = text.find(' ', pos + kNoBreakSpace.size()))
    text.replace(pos, 1, kNoBreakSpace);
  return text;
}

std::string CutBefore(const std::string& text, std::string_view mark) { return text.substr(0, text.find(mark)); }

}  // namespace

std::string GetTitlePlaceholderText(const Object& slide, const std::string& fallback) {
  try {
    Object shapes = slide.Child("Shapes");
    if (!shapes.Get("HasTitle").AsBool()) return fallback;
    std::string text = shapes.Child("Title").Child("TextFrame").Child("TextRange").Get("TrimText").AsString();
    if (text.empty()) return fallback;
    text = CutBefore(text, "\r\n");
    if (text.find('\v') != std::string::npos) text = CutBefore(text, "\v") + std::string(kLineBreakMark);
    return ReplaceSpaces(CutBefore(text, "\r"));
  } catch (const std::exception&) {
    return fallback;
  }
}

std::string GetSlideTitle(const Object& slide) {
  std::string title;
  try {
    std::string fallback = "Slide " + std::to_string(slide.Get("SlideIndex").AsLong());
    title = GetTitlePlaceholderText(slide, fallback);
    std::string tag = GetTag(slide, "CORVANTA_TITLE_TAG");
    if (!tag.empty() && tag != fallback) title = tag;
  } catch (const std::exception&) {
    // The title reached so far stands.
  }
  return ReplaceSpaces(title);
}

}  // namespace quillmere
