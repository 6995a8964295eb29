#include "shapes/FontAttributes.h"

#include "objectmodel/ExportContext.h"
#include "objectmodel/StepRunner.h"
#include "objectmodel/powerpoint/Enumerations.h"
#include "objectmodel/trace/ExportLog.h"
#include "objectmodel/trace/Trace.h"
#include "objectmodel/xml/NumberText.h"
#include "objectmodel/xml/XmlHelpers.h"
#include "shapes/ColorValues.h"
#include "shapes/GradientStops.h"
#include "shapes/ShapeErrorHandler.h"

namespace quillmere {
namespace {

constexpr int kFontAttributesIndent = 16;
constexpr ColorGroupNames kFontColorNames{"FontColorType", "FontColor", "FontColorDarkLightScale", "FontColorValue"};

// The 2003 font's writer logs a failed attribute and goes on without retrying.
StepRunner FontSteps(ExportContext& context) {
  return StepRunner([&context](const ComError& e, int step) {
    std::string detail = ErrorLogText("FontAttributes:  ", e, " in FontAttributes at line ", step);
    Trace(detail);
    LogWriterError(context, e, detail);
    return StepAction::Continue;
  });
}

std::string NameOr(const Object& font, std::string_view member, std::string_view fallback) {
  std::string name = font.Get(member).AsString();
  return name.empty() ? std::string(fallback) : name;
}

}  // namespace

void FontAttributes(ExportContext& context, const Object& font, pugi::xml_node target, const std::string& prefix) {
  StepRunner run = FontSteps(context);
  auto add = [&](int step, std::string_view name, auto value) {
    run.Step(step, [&] { AddAttribute(kFontAttributesIndent, target, prefix + std::string(name), value()); });
  };
  add(1, "FontName", [&] { return font.Get("Name").AsString(); });
  add(2, "FontNameComplexScript", [&] { return NameOr(font, "NameComplexScript", "+mn-cs"); });
  add(3, "FontNameFarEast", [&] { return NameOr(font, "NameFarEast", "+mn-ea"); });
  add(4, "FontShadow", [&] { return BoolText(font.Get("Shadow").AsBool()); });
  add(5, "Shadow", [&] { return BoolText(font.Get("Shadow").AsBool()); });
  add(6, "FontBold", [&] { return BoolText(font.Get("Bold").AsBool()); });
  add(7, "FontItalic", [&] { return BoolText(font.Get("Italic").AsBool()); });
  add(8, "FontUnderline", [&] { return std::string(font.Get("Underline").AsBool() ? "2" : "0"); });
  add(9, "FontSubscript", [&] { return BoolText(font.Get("Subscript").AsBool()); });
  add(10, "FontSuperscript", [&] { return BoolText(font.Get("Superscript").AsBool()); });
  add(11, "FontSize", [&] { return context.PlatformText(font.Get("Size").AsSingle()); });
  run.Step(12, [&] {
    Object color = font.Child("Color");
    std::int32_t rgb = color.Get("RGB").AsLong();
    std::string name;
    if (color.Get("Type").AsLong() == kSchemeColorType)
      name = context.MajorVersion() >= 12
                 ? ThemeColorName(static_cast<std::int16_t>(color.Get("ObjectThemeColor").AsLong()))
                 : SchemeColorName(static_cast<std::int16_t>(color.Get("SchemeColor").AsLong()));
    AddAttribute(kFontAttributesIndent, target, prefix + "FontColorType", name.empty() ? "1" : "2");
    AddAttribute(kFontAttributesIndent, target, prefix + "FontColorDarkLightScale", "0");
    AddAttribute(kFontAttributesIndent, target, prefix + "FontColor", name.empty() ? std::to_string(rgb) : name);
    AddAttribute(kFontAttributesIndent, target, prefix + "FontColorValue", std::to_string(rgb));
  });
  // The 2003 font knows none of these.
  for (std::string_view flag : {"Allcaps", "Caps", "DoubleStrikeThrough", "Highlight", "Smallcaps", "Strike",
                                "Strikethrough"})
    AddAttribute(kFontAttributesIndent, target, prefix + std::string(flag), LowerBoolText(false));
}

void FontAttributes2007(ExportContext& context, const Object& textRun, pugi::xml_node target, const std::string& prefix,
                        const Object& owner) {
  StepRunner run = RetryingSteps(context, "FontAttributes2007: ", " in FontAttributes2007 at line ", {});
  Object font;
  if (!run.Step(1, [&] { font = textRun.Child("Font"); })) return;
  auto add = [&](int step, std::string_view name, auto value) {
    run.Step(step, [&] { AddAttribute(kFontAttributesIndent, target, prefix + std::string(name), value()); });
  };
  auto flag = [&](std::string_view member) { return [&font, member] { return BoolText(font.Get(member).AsBool()); }; };
  add(2, "FontName", [&] { return font.Get("Name").AsString(); });
  add(3, "FontNameComplexScript", [&] { return font.Get("NameComplexScript").AsString(); });
  add(4, "FontNameFarEast", [&] { return font.Get("NameFarEast").AsString(); });
  add(5, "FontBold", flag("Bold"));
  add(6, "FontItalic", flag("Italic"));
  add(7, "FontUnderline", [&] { return std::to_string(font.Get("UnderlineStyle").AsLong()); });
  add(8, "FontSubscript", flag("Subscript"));
  add(9, "FontSuperscript", flag("Superscript"));
  add(10, "FontSize", [&] { return context.PlatformText(font.Get("Size").AsSingle()); });
  run.Step(11, [&] {
    ColorGroup color = ResolveColor(font.Child("Fill").Child("ForeColor"), owner, context.MajorVersion());
    for (auto [name, text] : {std::pair{kFontColorNames.kind, &color.kind}, {kFontColorNames.name, &color.name},
                              {kFontColorNames.scale, &color.scale}, {kFontColorNames.value, &color.value}})
      AddAttribute(kFontAttributesIndent, target, prefix + std::string(name), *text);
  });
  run.Step(12, [&] {
    Object fill = font.Child("Fill");
    if (fill.Get("Type").AsLong() == fill_type::kGradient)
      WriteGradientStops(context, fill, target, owner, context.MajorVersion());
  });
  add(13, "Allcaps", flag("Allcaps"));
  add(14, "Caps", flag("Caps"));
  add(15, "DoubleStrikeThrough", flag("DoubleStrikeThrough"));
  add(16, "Highlight", [&] { return BoolText(font.Child("Highlight").Get("RGB").AsLong() != 0); });
  add(17, "Smallcaps", flag("Smallcaps"));
  add(18, "Strike", flag("Strike"));
  add(19, "Strikethrough", flag("Strikethrough"));
  add(20, "Shadow", [&] { return BoolText(font.Child("Shadow").Get("Visible").AsBool()); });
  run.Step(21, [&] {
    float kerning = font.Get("Kerning").AsSingle();
    if (kerning > 0) AddAttribute(kFontAttributesIndent, target, prefix + "Kerning", context.PlatformText(kerning));
  });
  add(22, "Spacing", [&] { return context.PlatformText(font.Get("Spacing").AsSingle()); });
}

}  // namespace quillmere
