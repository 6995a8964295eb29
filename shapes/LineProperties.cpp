#include "shapes/LineProperties.h"

#include "objectmodel/ExportContext.h"
#include "objectmodel/powerpoint/Enumerations.h"
#include "objectmodel/xml/NumberText.h"
#include "objectmodel/xml/XmlHelpers.h"
#include "shapes/ColorValues.h"
#include "shapes/ShapeErrorHandler.h"

namespace quillmere {
namespace {

constexpr int kLinePropertiesIndent = 16;

void WriteArrowhead(StepRunner& run, int step, pugi::xml_node element, const Object& line, std::string_view end) {
  run.Step(step, [&] {
    std::string prefix(end);
    if (line.Get(prefix + "ArrowheadStyle").AsLong() == arrowhead::kNone) return;
    for (std::string_view part : {"Length", "Style", "Width"})
      AddElement(kLinePropertiesIndent, element, prefix + "ArrowHead" + std::string(part),
                 std::to_string(line.Get(prefix + "Arrowhead" + std::string(part)).AsLong()));
  });
}

}  // namespace

void LineProperties(ExportContext& context, const Object& shape, pugi::xml_node parent, const Object& lineFormat) {
  StepRunner run = ShapeSteps(context, shape, " in Quillmere.bXML.LineProperties at line ");
  pugi::xml_node element = AppendContainer(parent, "Line");
  Object line = lineFormat;
  if (!line) {
    bool freeform = false;
    run.Step(1, [&] { freeform = shape.Get("Type").AsLong() == shape_type::kFreeform; });
    if (freeform) {
      AddElement(kLinePropertiesIndent, element, "Visible", BoolText(false));
      return;
    }
    run.Step(2, [&] { line = shape.Child("Line"); });
  }
  bool visible = false;
  run.Step(3, [&] {
    visible = line.Get("Visible").AsBool();
    AddElement(kLinePropertiesIndent, element, "Visible", BoolText(visible));
  });
  if (!visible) return;
  std::int16_t major = 0;
  run.Step(4, [&] { major = context.MajorVersion(); });
  run.Step(5, [&] { AddElement(kLinePropertiesIndent, element, "Style", std::to_string(line.Get("Style").AsLong())); });
  run.Step(6, [&] {
    float transparency = line.Get("Transparency").AsSingle();
    AddElement(kLinePropertiesIndent, element, "Transparency",
               context.PlatformText(transparency < 0 ? 0.0f : transparency));
  });
  run.Step(7, [&] {
    AddElement(kLinePropertiesIndent, element, "Weight", context.PlatformText(line.Get("Weight").AsSingle()));
  });
  run.Step(8, [&] { WriteBackColor(kLinePropertiesIndent, element, line.Child("BackColor"), major, false); });
  run.Step(9, [&] {
    Object owner = major >= 12 ? shape.Child("Parent") : Object();
    WriteColorGroup(kLinePropertiesIndent, element, kForecolorNames, ResolveColor(line.Child("ForeColor"), owner, major),
                    ColorOrder::ThemeScaleFirst);
  });
  run.Step(10, [&] { AddElement(kLinePropertiesIndent, element, "DashStyle", std::to_string(line.Get("DashStyle").AsLong())); });
  WriteArrowhead(run, 11, element, line, "Begin");
  WriteArrowhead(run, 12, element, line, "End");
}

}  // namespace quillmere
