#include "component/ThumbnailWriter.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include <pugixml.hpp>

#include "component/PresentationInfoWriter.h"
#include "objectmodel/ExportContext.h"
#include "objectmodel/trace/Trace.h"
#include "objectmodel/xml/NumberText.h"
#include "objectmodel/xml/XmlHelpers.h"
#include "slides/SlideTitle.h"
#include "support/files/Paths.h"
#include "support/text/Text.h"

namespace quillmere {
namespace {

// The first "*.png" of the folder in name order, compared without case as the
// image names of a case-insensitive file system would be.
std::string FirstPngName(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(Utf8Path(folder), ec)) {
    std::string name = Utf8Text(entry.path().filename());
    std::string lower = LowerAscii(name);
    if (lower.size() > 4 && lower.ends_with(".png")) names.push_back(name);
  }
  if (names.empty()) return {};
  return *std::min_element(names.begin(), names.end(),
                           [](const std::string& a, const std::string& b) { return LowerAscii(a) < LowerAscii(b); });
}

}  // namespace

std::string GetPowerPointPrefix(ExportContext& context) {
  std::string prefix = "slide";
  std::string name = FirstPngName(context.outputFolder);
  if (!name.empty()) {
    std::string base = GetFileBaseName(name, "", true);
    std::size_t digits = 0;
    while (digits < base.size() && base[base.size() - 1 - digits] >= '0' && base[base.size() - 1 - digits] <= '9')
      ++digits;
    Trace("GetPowerPointPrefix: Name - " + base + " Count - " + std::to_string(digits));
    if (digits > 0) prefix = base.substr(0, base.size() - digits);
  }
  Trace("GetPowerPointPrefix: Prefix - " + prefix);
  return prefix;
}

std::string WriteThumbnailList(ExportContext& context, std::int32_t firstNumber, std::int32_t count, float widthPixels,
                               float heightPixels, const Object& presentation, StepRunner& run) {
  pugi::xml_document doc;
  pugi::xml_node root = AppendContainer(doc, "Presentation");
  AddElement(4, root, "Height", RoundedText(heightPixels));
  AddElement(4, root, "Width", RoundedText(widthPixels));
  pugi::xml_node slides = AppendContainer(root, "Slides");
  std::string prefix = GetPowerPointPrefix(context);

  std::int32_t number = firstNumber;
  for (std::int32_t i = 1; i <= count; ++i) {
    pugi::xml_node slideElement = AppendContainer(slides, "Slide");
    AddAttribute(1, slideElement, "Index", std::to_string(number));
    AddElement(4, slideElement, "Thumbnail", prefix + std::to_string(number) + ".png");
    ++number;
    Object slide;
    try {
      slide = presentation.Child("Slides").Item(i);
    } catch (const std::exception&) {
      continue;  // the element keeps what was written before the failure
    }
    AddElement(4, slideElement, "SlideTitle", GetSlideTitle(slide));
  }

  std::string path = AddPathSeparator(context.outputFolder) + "thumbnails.xml";
  run.Step(230, [&] {
    if (!SaveDocument(doc, path)) throw ComError(hr::kUnspecified, "could not write " + path);
  });
  return path;
}

std::string WriteThumbnails(ExportContext& context, const Object& presentation, StepRunner& run) {
  ReadSlideSize(context, presentation, run, 210);
  ExportSlideImages(context, presentation, run, 215);
  std::int32_t first = 1, count = 0;
  run.Step(220, [&] {
    first = presentation.Child("PageSetup").Get("FirstSlideNumber").AsLong();
    count = presentation.Child("Slides").Count();
  });
  return WriteThumbnailList(context, first, count, context.slideWidth * context.scaleX,
                            context.slideHeight * context.scaleY, presentation, run);
}

}  // namespace quillmere
