#include "shapes/ShadowProperties.h"

#include "objectmodel/ExportContext.h"
#include "objectmodel/xml/NumberText.h"
#include "objectmodel/xml/XmlHelpers.h"
#include "shapes/ColorValues.h"
#include "shapes/ShapeErrorHandler.h"

namespace quillmere {
namespace {

constexpr int kShadowPropertiesIndent = 16;

}  // namespace

void ShadowProperties(ExportContext& context, const Object& shape, pugi::xml_node parent, const Object& owner) {
  StepRunner run = ShapeSteps(context, shape, " in Quillmere.bXML.ShadowProperties at line ");
  pugi::xml_node element = AppendContainer(parent, "Shadow");
  Object shadow;
  bool visible = false;
  run.Step(1, [&] {
    shadow = shape.Child("Shadow");
    visible = shadow.Get("Visible").AsBool();
    AddElement(kShadowPropertiesIndent, element, "Visible", BoolText(visible));
  });
  if (!visible) return;
  std::int16_t major = 0;
  run.Step(2, [&] { major = context.MajorVersion(); });
  bool modern = major >= 12;
  run.Step(3, [&] {
    WriteColorGroup(kShadowPropertiesIndent, element, kForecolorNames, ResolveColor(shadow.Child("ForeColor"), owner, major),
                    ColorOrder::ScaleFirst);
  });
  auto add = [&](int step, std::string_view name, auto value) {
    run.Step(step, [&] { AddElement(kShadowPropertiesIndent, element, name, value()); });
  };
  add(4, "Blur", [&] { return modern ? context.PlatformText(shadow.Get("Blur").AsSingle() * context.scaleX) : "0"; });
  add(5, "OffsetX", [&] { return context.PlatformText(shadow.Get("OffsetX").AsSingle() * context.scaleX); });
  add(6, "OffsetY", [&] { return context.PlatformText(shadow.Get("OffsetY").AsSingle() * context.scaleY); });
  add(7, "RotateWithShape", [&] { return BoolText(modern && shadow.Get("RotateWithShape").AsBool()); });
  add(8, "Size", [&] { return modern ? context.PlatformText(shadow.Get("Size").AsSingle()) : "100"; });
  add(9, "Style", [&] { return modern ? std::to_string(shadow.Get("Style").AsLong()) : "2"; });
  add(10, "Transparency", [&] { return context.PlatformText(shadow.Get("Transparency").AsSingle()); });
  add(11, "Type", [&] { return std::to_string(shadow.Get("Type").AsLong()); });
}

}  // namespace quillmere
