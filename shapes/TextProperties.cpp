#include "shapes/TextProperties.h"

#include <algorithm>

#include "objectmodel/ExportContext.h"
#include "objectmodel/powerpoint/Enumerations.h"
#include "objectmodel/xml/XmlHelpers.h"
#include "shapes/FontAttributes.h"
#include "shapes/RunText.h"
#include "shapes/ShapeErrorHandler.h"
#include "shapes/SymbolFonts.h"

namespace quillmere {
namespace {

constexpr int kTextPropertiesIndent = 16;
constexpr int kStringIndent = 8;
constexpr float kUnsetMargin = -1000.0f;
constexpr float kLineHeight = 1.2f;

enum class FrameOrder { Shape, Placeholder };

void WriteFrame(ExportContext& context, const Object& shape, pugi::xml_node shapeElement, FrameOrder order) {
  StepRunner run = TextSteps(context, shape);
  pugi::xml_node element = AppendContainer(shapeElement, "TextFrame");
  bool hasFrame = false;
  run.Step(1, [&] { hasFrame = shape.Get("HasTextFrame").AsBool(); });
  if (!hasFrame) return;
  std::int16_t major = context.MajorVersion();
  Object frame;
  run.Step(2, [&] { frame = shape.Child("TextFrame"); });
  auto add = [&](int step, std::string_view name, auto value) {
    run.Step(step, [&] { AddElement(kTextPropertiesIndent, element, name, value()); });
  };
  auto member = [&](std::string_view name) { return [&frame, name] { return std::to_string(frame.Get(name).AsLong()); }; };
  auto margin = [&](std::string_view name, float scale) {
    return [&context, &frame, name, scale] { return context.PlatformText(frame.Get(name).AsSingle() * scale); };
  };
  add(3, "AutoSize", [&] {
    Object sizing = major >= 12 ? shape.Child("TextFrame2") : frame;
    return std::to_string(sizing.Get("AutoSize").AsLong());
  });
  add(4, "MarginLeft", margin("MarginLeft", context.scaleX));
  add(5, "MarginTop", margin("MarginTop", context.scaleY));
  add(6, "MarginRight", margin("MarginRight", context.scaleX));
  add(7, "MarginBottom", margin("MarginBottom", context.scaleY));
  if (order == FrameOrder::Placeholder) add(8, "Orientation", member("Orientation"));
  add(9, "VerticalAnchor", member("VerticalAnchor"));
  add(10, "HorizontalAnchor", member("HorizontalAnchor"));
  if (order == FrameOrder::Shape) add(11, "Orientation", member("Orientation"));
  add(12, "WordWrap", [&] { return BoolText(frame.Get("WordWrap").AsBool()); });
  bool withText = order == FrameOrder::Placeholder;
  if (!withText) run.Step(13, [&] { withText = frame.Get("HasText").AsBool(); });
  if (withText) TextRangeProperties(context, shape, element, "TextRange");
}

// The largest font size among the runs of the paragraph's first line, -1 for a line without text.
float FirstLineFontSize(const Object& paragraph) {
  Object line = paragraph.Child("Lines", 1);
  if (line.Get("Text").AsString().empty()) return -1.0f;
  Object runs = line.Child("Runs");
  float largest = 0.0f;
  for (std::int32_t i = 1, n = runs.Count(); i <= n; ++i) largest = std::max(largest, runs.Item(i).Child("Font").Get("Size").AsSingle());
  return largest;
}

struct ParagraphContext {
  const Object& shape;
  const Object& paragraph;
  pugi::xml_node element;
  StepRunner& run;
  std::int16_t major;
};

void Attribute(ParagraphContext& p, int step, std::string_view name, const std::function<std::string()>& value) {
  p.run.Step(step, [&] { AddAttribute(kTextPropertiesIndent, p.element, name, value()); });
}

void WriteBullet(ExportContext& context, ParagraphContext& p, const Object& format, std::int32_t level) {
  Object bullet;
  std::int32_t type = 0;
  p.run.Step(20, [&] {
    bullet = format.Child("Bullet");
    type = bullet.Get("Type").AsLong();
  });
  Attribute(p, 21, "BulletType", [&] { return std::to_string(type); });
  Attribute(p, 22, "TextDirection", [&] { return std::to_string(format.Get("TextDirection").AsLong()); });
  if (type == 0) return;
  p.run.Step(23, [&] { FontAttributes(context, bullet.Child("Font"), p.element, "Bullet"); });
  if (type == bullet::kNumbered)
    Attribute(p, 24, "BulletNumber", [&] { return std::to_string(bullet.Get("Number").AsLong()); });
  if (type == bullet::kUnnumbered || type == bullet::kPicture)
    Attribute(p, 25, "Character", [&] { return std::to_string(bullet.Get("Character").AsLong()); });
  Attribute(p, 26, "BulletRelativeSize", [&] { return context.PlatformText(bullet.Get("RelativeSize").AsSingle()); });
  Attribute(p, 27, "BulletStyle", [&] { return std::to_string(bullet.Get("Style").AsLong()); });
  Attribute(p, 28, "BulletUseTextColor", [&] { return BoolText(bullet.Get("UseTextColor").AsBool()); });
  Attribute(p, 29, "BulletUseTextFont", [&] { return BoolText(bullet.Get("UseTextFont").AsBool()); });
  Attribute(p, 30, "BulletIndent", [&] {
    Object ruler = p.shape.Child("TextFrame").Child("Ruler").Child("Levels", level);
    float first = ruler.Get("FirstMargin").AsSingle(), left = ruler.Get("LeftMargin").AsSingle();
    if (first < kUnsetMargin) first = 0;
    if (!(left > kUnsetMargin)) left = 0;
    return context.PlatformText((first - left) * context.scaleX);
  });
}

void WriteTabs(ExportContext& context, ParagraphContext& p, const Object& format) {
  p.run.Step(31, [&] {
    bool modern = p.major >= 12;
    Object stops = modern ? format.Child("TabStops") : p.shape.Child("TextFrame").Child("Ruler").Child("TabStops");
    pugi::xml_node tabs = AppendContainer(p.element, "Tabs");
    AddAttribute(kTextPropertiesIndent, tabs, "Default",
                 context.PlatformText(stops.Get("DefaultSpacing").AsSingle() * context.scaleX));
    for (std::int32_t i = 1, n = stops.Count(); i <= n; ++i) {
      Object stop = stops.Item(i);
      pugi::xml_node tab = AppendContainer(tabs, "Tab");
      float position = stop.Get("Position").AsSingle();
      AddAttribute(kTextPropertiesIndent, tab, "Position",
                   context.PlatformText(modern ? position * context.scaleX : position));
      AddAttribute(kTextPropertiesIndent, tab, "Type", std::to_string(stop.Get("Type").AsLong()));
    }
  });
}

// Writes the runs and returns the smallest font size among them (1000 when there are none).
float WriteRuns(ExportContext& context, ParagraphContext& p, const Object& owner) {
  float smallest = 1000.0f;
  Object runs;
  std::int32_t count = 0;
  p.run.Step(40, [&] {
    runs = p.paragraph.Child("Runs");
    count = runs.Count();
  });
  for (std::int32_t j = 1; j <= count; ++j) {
    Object textRun;
    if (!p.run.Step(41, [&] { textRun = p.paragraph.Child("Runs", j); })) continue;
    p.run.Step(42, [&] { smallest = std::min(smallest, textRun.Child("Font").Get("Size").AsSingle()); });
    pugi::xml_node text = AppendContainer(p.element, "Text");
    p.run.Step(43, [&] { AddElement(kStringIndent, text, "String", EscapedRunText(textRun.Get("Text").AsString())); });
    p.run.Step(44, [&] {
      if (p.major >= 12) FontAttributes2007(context, textRun, text, "", owner);
      else FontAttributes(context, textRun.Child("Font"), text, "");
    });
    p.run.Step(45, [&] { AddElement(kTextPropertiesIndent, text, "LanguageID", std::to_string(textRun.Get("LanguageID").AsLong())); });
  }
  return smallest;
}

void WriteSpacing(ExportContext& context, ParagraphContext& p, const Object& format, float smallest) {
  float height = -1.0f;
  p.run.Step(50, [&] {
    height = FirstLineFontSize(p.paragraph);
    if (height > -1) height *= kLineHeight;
  });
  p.run.Step(51, [&] {
    float within = format.Get("SpaceWithin").AsSingle();
    if (format.Get("LineRuleWithin").AsBool()) {
      bool tight = within < 1;
      AddAttribute(kTextPropertiesIndent, p.element, "LineRuleWithin", tight ? "3" : "5");
      AddAttribute(kTextPropertiesIndent, p.element, "SpaceWithin",
                   context.PlatformText(tight ? smallest * kLineHeight * context.scaleY : within * 20));
    } else {
      AddAttribute(kTextPropertiesIndent, p.element, "LineRuleWithin", "4");
      AddAttribute(kTextPropertiesIndent, p.element, "SpaceWithin", context.DecimalText(within, context.scaleY));
    }
  });
  auto space = [&](int step, std::string_view name, std::string_view rule) {
    p.run.Step(step, [&] {
      float value = format.Get(std::string("Space") + std::string(name)).AsSingle();
      if (format.Get(rule).AsBool()) value *= height;
      AddAttribute(kTextPropertiesIndent, p.element, std::string("Space") + std::string(name),
                   context.DecimalText(value, context.scaleY));
    });
  };
  space(52, "Before", "LineRuleBefore");
  space(53, "After", "LineRuleAfter");
}

void WriteIndents(ExportContext& context, ParagraphContext& p, const Object& format, std::int32_t level) {
  Attribute(p, 60, "IndentLevel", [&] { return std::to_string(level); });
  bool modern = p.major >= 12;
  Object ruler;
  if (!modern) p.run.Step(61, [&] { ruler = p.shape.Child("TextFrame").Child("Ruler").Child("Levels", level); });
  Attribute(p, 62, "LeftIndent", [&] {
    return context.DecimalText((modern ? format : ruler).Get(modern ? "LeftIndent" : "LeftMargin").AsSingle(),
                               context.scaleX);
  });
  Attribute(p, 63, "FirstLineIndent", [&] {
    return context.DecimalText((modern ? format : ruler).Get(modern ? "FirstLineIndent" : "FirstMargin").AsSingle(),
                       context.scaleX);
  });
}

void WriteParagraph(ExportContext& context, const Object& shape, const Object& paragraph, pugi::xml_node rangeElement,
                    StepRunner& run, const Object& owner) {
  std::int16_t major = context.MajorVersion();
  ParagraphContext p{shape, paragraph, AppendContainer(rangeElement, "Paragraph"), run, major};
  Object format;
  std::int32_t level = 1;
  run.Step(10, [&] { format = paragraph.Child("ParagraphFormat"); });
  run.Step(11, [&] { level = (major >= 12 ? format : paragraph).Get("IndentLevel").AsLong(); });
  Attribute(p, 12, "Alignment", [&] { return std::to_string(format.Get("Alignment").AsLong()); });
  WriteBullet(context, p, format, level);
  WriteTabs(context, p, format);
  Attribute(p, 32, "BaseLineAlignment", [&] { return std::to_string(format.Get("BaselineAlignment").AsLong()); });
  float smallest = WriteRuns(context, p, owner);
  WriteSpacing(context, p, format, smallest);
  WriteIndents(context, p, format, level);
}

}  // namespace

void TextFrameProperties(ExportContext& context, const Object& shape, pugi::xml_node shapeElement) {
  WriteFrame(context, shape, shapeElement, FrameOrder::Shape);
}

void PlaceholderTextFrame(ExportContext& context, const Object& shape, pugi::xml_node shapeElement) {
  WriteFrame(context, shape, shapeElement, FrameOrder::Placeholder);
}

void TextRangeProperties(ExportContext& context, const Object& shape, pugi::xml_node parent,
                         std::string_view elementName) {
  StepRunner run = TextSteps(context, shape);
  pugi::xml_node element = AppendContainer(parent, elementName);
  Object range, owner;
  run.Step(1,
           [&] { range = shape.Child(context.MajorVersion() >= 12 ? "TextFrame2" : "TextFrame").Child("TextRange"); });
  if (!range) return;
  bool repair = false;
  run.Step(5, [&] { repair = NeedsSymbolFontRepair(range.Get("LanguageID").AsLong()); });
  if (repair) FixSymbolFonts(range, run, 6);
  run.Step(4, [&] { owner = shape.Child("Parent"); });
  std::int32_t count = 0;
  run.Step(2, [&] { count = range.Child("Paragraphs").Count(); });
  if (count == 0) {
    WriteParagraph(context, shape, range, element, run, owner);
    return;
  }
  for (std::int32_t i = 1; i <= count; ++i) {
    Object paragraph;
    if (run.Step(3, [&] { paragraph = range.Child("Paragraphs", i); }))
      WriteParagraph(context, shape, paragraph, element, run, owner);
  }
}

}  // namespace quillmere
