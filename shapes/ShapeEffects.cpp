#include "shapes/ShapeEffects.h"

#include "objectmodel/ExportContext.h"
#include "objectmodel/powerpoint/Enumerations.h"
#include "objectmodel/trace/Trace.h"
#include "objectmodel/xml/XmlHelpers.h"
#include "shapes/ColorValues.h"

namespace quillmere {
namespace {

constexpr int kGlowColorIndent = 16;

// Shapes whose reflection PowerPoint does not report.
bool WithoutReflection(std::int32_t type) {
  using namespace shape_type;
  return type == kChart || type == kEmbeddedOle || type == kLinkedOle || type == kOleControl || type == kInk ||
         type == kInkComment;
}
// Shapes whose glow colour PowerPoint does not report.
bool WithoutGlowColor(std::int32_t type) {
  using namespace shape_type;
  return type == kEmbeddedOle || type == kLinkedOle || type == kOleControl || type == kTable || type == kInk ||
         type == kInkComment;
}

void WriteDefaultGlow(pugi::xml_node glow) {
  AddElement(kShapeIndent, glow, "ColorType", "1");
  AddElement(kShapeIndent, glow, "Color", "0");
  AddElement(kGlowColorIndent, glow, "DarkLightScale", "0");
  AddElement(kGlowColorIndent, glow, "ColorValue", "0");
}

void WriteGlow(ExportContext& context, ShapeContext& c) {
  pugi::xml_node glow = AppendContainer(c.element, "Glow");
  if (c.majorVersion < 12) {
    AddElement(kShapeIndent, glow, "Radius", "0");
    WriteDefaultGlow(glow);
    return;
  }
  float radius = 0.0f;
  c.run.Step(42, [&] { AddElement(kShapeIndent, glow, "Radius", context.PlatformText(GlowRadius(c.shape))); });
  c.run.Step(43, [&] { radius = c.shape.Child("Glow").Get("Radius").AsSingle(); });
  if (WithoutGlowColor(c.kind.type) || !(radius > 0)) {
    WriteDefaultGlow(glow);
    return;
  }
  Trace("ShapeProperties: Shape type - " + std::to_string(c.kind.type));
  c.run.Step(44, [&] {
    WriteColorGroup(kGlowColorIndent, glow, kPlainColorNames,
                    ResolveColor(c.shape.Child("Glow").Child("Color"), c.shape.Child("Parent"), c.majorVersion),
                    ColorOrder::ScaleFirst);
  });
}

}  // namespace

std::int32_t SoftEdgeType(const Object& shape) {
  Object softEdge = shape.Child("SoftEdge");
  std::int32_t type = softEdge.Get("Type").AsLong();
  if (type != tri_state::kMixed) return type;
  float radius = softEdge.Get("Radius").AsSingle();
  if (radius <= 2.5f) return 2;
  if (radius <= 5.0f) return 3;
  if (radius <= 10.0f) return 4;
  if (radius <= 25.0f) return 5;
  return 6;
}

float GlowRadius(const Object& shape) {
  float radius = shape.Child("Glow").Get("Radius").AsSingle();
  return radius < 0 ? 0.0f : radius;
}

std::int32_t ReadableAdjustmentCount(const Object& shape) {
  Object adjustments = shape.Child("Adjustments");
  std::int32_t count = adjustments.Count();
  for (std::int32_t i = 1; i <= count; ++i) {
    try {
      adjustments.Get("Item", i).AsSingle();
    } catch (const std::exception&) {
      return i - 1;
    }
  }
  return count;
}

void WriteFlipsAndEffects(ExportContext& context, ShapeContext& c) {
  if (c.kind.type != shape_type::kLine) {
    for (std::string_view flip : {"HorizontalFlip", "VerticalFlip"}) {
      c.run.Step(40, [&] {
        AddElement(kShapeIndent, c.element, flip, BoolText(!c.kind.freeformWithText && c.shape.Get(flip).AsBool()));
      });
    }
  }
  if (c.majorVersion < 12) {
    AddElement(kShapeIndent, c.element, "SoftEdge", "0");
    AddElement(kShapeIndent, c.element, "ReflectionType", "0");
  } else {
    c.run.Step(41, [&] { AddElement(kShapeIndent, c.element, "SoftEdge", std::to_string(SoftEdgeType(c.shape))); });
    c.run.Step(45, [&] {
      std::int32_t reflection = WithoutReflection(c.kind.type) ? 0 : c.shape.Child("Reflection").Get("Type").AsLong();
      AddElement(kShapeIndent, c.element, "ReflectionType", std::to_string(reflection));
    });
  }
  WriteGlow(context, c);
}

void WriteAdjustments(ExportContext& context, ShapeContext& c) {
  std::int32_t count = 0;
  c.run.Step(50, [&] { count = ReadableAdjustmentCount(c.shape); });
  if (count <= 0) return;
  pugi::xml_node element = AppendContainer(c.element, "Adjustments");
  c.run.Step(51, [&] {
    Object adjustments = c.shape.Child("Adjustments");
    for (std::int32_t i = 1; i <= count; ++i)
      AddElement(kShapeIndent, element, "Adjustment", context.PlatformText(adjustments.Get("Item", i).AsSingle()));
  });
}

}  // namespace quillmere
