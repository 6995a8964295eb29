#include "slides/SlideColorScheme.h"

#include <array>
#include <string_view>

#include "component/StepRunner.h"
#include "component/objectmodel/PowerPointVersion.h"
#include "component/trace/ExportLog.h"
#include "component/xml/XmlHelpers.h"
#include "slides/ThemeTables.h"

namespace quillmere {
namespace {

struct SchemeColor {
  std::string_view element;
  std::int32_t index;  // Office theme-colour index
};

// The order the host reads them in.
constexpr std::array<SchemeColor, 12> kSchemeColors{{{"Accent1", 5},
                                                      {"Accent2", 6},
                                                      {"Accent3", 7},
                                                      {"Accent4", 8},
                                                      {"Accent5", 9},
                                                      {"Accent6", 10},
                                                      {"Dark1", 1},
                                                      {"Dark2", 3},
                                                      {"FollowedHyperlink", 12},
                                                      {"Hyperlink", 11},
                                                      {"Light1", 2},
                                                      {"Light2", 4}}};

std::int32_t ColorOf(const Object& scheme, std::int32_t index) {
  return scheme.Child("Colors", index).Get("RGB").AsLong();
}

}  // namespace

void ColorSchemeProperties(const Object& slide, pugi::xml_node slideElement) {
  StepRunner run([](const ComError& e, int step) {
    WriteExportLog(e.Description() + " in Quillmere.bXML.HyperlinkProperties at line " + std::to_string(step));
    return StepAction::Continue;
  });
  pugi::xml_node element = AppendContainer(slideElement, "ColorScheme");
  Object scheme;
  run.Step(1, [&] { scheme = slide.Child("ThemeColorScheme"); });
  run.Step(2, [&] { AddElement(16, element, "Name", ThemeColorSchemeName(scheme)); });
  int step = 3;
  for (const SchemeColor& color : kSchemeColors)
    run.Step(step++, [&] { AddElement(16, element, color.element, std::to_string(ColorOf(scheme, color.index))); });
}

bool SlideColorsMatchLayout(const Object& slide) {
  if (PowerPointMajorVersion() < 12) return true;
  Object own = slide.Child("ThemeColorScheme");
  Object layout = slide.Child("CustomLayout").Child("ThemeColorScheme");
  for (const SchemeColor& color : kSchemeColors)
    if (ColorOf(own, color.index) != ColorOf(layout, color.index)) return false;
  return true;
}

}  // namespace quillmere
