#include "slides/SlideColorScheme.h"

#include "objectmodel/ExportContext.h"
#include "objectmodel/StepRunner.h"
#include "objectmodel/trace/ExportLog.h"
#include "objectmodel/xml/XmlHelpers.h"
#include "slides/ThemeTables.h"

namespace quillmere {
namespace {

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
  for (const SchemeSlot& color : kSchemeSlots)
    run.Step(step++, [&] { AddElement(16, element, color.element, std::to_string(ColorOf(scheme, color.themeIndex))); });
}

bool SlideColorsMatchLayout(ExportContext& context, const Object& slide) {
  if (context.MajorVersion() < 12) return true;
  Object own = slide.Child("ThemeColorScheme");
  Object layout = slide.Child("CustomLayout").Child("ThemeColorScheme");
  for (const SchemeSlot& color : kSchemeSlots)
    if (ColorOf(own, color.themeIndex) != ColorOf(layout, color.themeIndex)) return false;
  return true;
}

}  // namespace quillmere
