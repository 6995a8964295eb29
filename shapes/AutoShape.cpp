#include "objectmodel/ExportContext.h"
#include "objectmodel/powerpoint/Enumerations.h"
#include "objectmodel/xml/XmlHelpers.h"
#include "shapes/ImagePreparation.h"
#include "shapes/NativeShapeTable.h"
#include "shapes/ShapeBranches.h"
#include "shapes/ShapeImageExport.h"
#include "shapes/TextProperties.h"

namespace quillmere {
namespace {

enum class CalloutValue { Whole, Flag, Points };

std::string CalloutText(ExportContext& context, const Value& value, CalloutValue kind) {
  switch (kind) {
    case CalloutValue::Flag:
      return BoolText(value.AsBool());
    case CalloutValue::Points:
      return context.PlatformText(value.AsSingle());
    default:
      return std::to_string(value.AsLong());
  }
}

void WriteCallout(ExportContext& context, ShapeContext& c) {
  Object callout;
  c.run.Step(100, [&] { callout = c.shape.Child("Callout"); });
  struct Member {
    std::string_view element, member;
    CalloutValue kind;
  };
  const Member members[] = {
      {"CalloutType", "Type", CalloutValue::Whole},   {"CalloutAccent", "Accent", CalloutValue::Flag},
      {"CalloutAngle", "Angle", CalloutValue::Whole}, {"CalloutBorder", "Border", CalloutValue::Flag},
      {"CalloutDrop", "Drop", CalloutValue::Points},  {"CalloutDropType", "DropType", CalloutValue::Whole},
      {"CalloutGap", "Gap", CalloutValue::Points},    {"CalloutLength", "Length", CalloutValue::Points}};
  for (const Member& m : members)
    c.run.Step(101, [&] {
      AddElement(kShapeIndent, c.element, m.element, CalloutText(context, callout.Get(m.member), m.kind));
    });
}

}  // namespace

bool FillOrLineVisible(const Object& shape) {
  return shape.Child("Fill").Get("Visible").AsBool() || shape.Child("Line").Get("Visible").AsBool();
}

std::int32_t ResolveAutoShapeType(const Object& shape) {
  std::int32_t type = shape.Get("AutoShapeType").AsLong();
  if (type != auto_shape::kNotPrimitive) return type;
  Object copy = shape.Child("Duplicate").Item(1);
  try {
    type = copy.Get("AutoShapeType").AsLong();
  } catch (const std::exception&) {
    copy.Call("Delete");
    throw;
  }
  copy.Call("Delete");
  return type;
}

void WriteAutoShape(ExportContext& context, ShapeContext& c) {
  std::int32_t autoShapeType = auto_shape::kMixed;
  if (c.kind.type == shape_type::kCallout) {
    WriteCallout(context, c);
  } else {
    c.run.Step(102, [&] {
      autoShapeType = c.shape.Get("AutoShapeType").AsLong();
      AddElement(kShapeIndent, c.element, "AutoShapeType", std::to_string(autoShapeType));
    });
    if (autoShapeType != auto_shape::kMixed && IsNativeAutoShape(autoShapeType) && !c.kind.textEffects) {
      AddElement(kShapeIndent, c.element, "Image", "");
      TextFrameProperties(context, c.shape, c.element);
      return;
    }
  }
  WriteAutoShapeImage(context, c, autoShapeType);
}

void WriteAutoShapeImage(ExportContext& context, ShapeContext& c, std::int32_t autoShapeType) {
  float rotation = 0.0f;
  bool showsSomething = false;
  c.run.Step(110, [&] { rotation = c.shape.Get("Rotation").AsSingle(); });
  c.run.Step(111, [&] { showsSomething = FillOrLineVisible(c.shape); });
  std::string path;
  if (showsSomething) {
    Flips flips;
    bool visible = true;
    c.run.Step(112, [&] { c.shape.Put("Rotation", 0.0f); });
    c.run.Step(113, [&] { flips = UndoFlips(c.shape); });
    c.run.Step(114, [&] {
      visible = c.shape.Get("Visible").AsBool();
      if (!visible) c.shape.Put("Visible", true);
    });
    c.run.Step(115, [&] {
      if (autoShapeType == auto_shape::kCircularArrow)
        path = ExportFormattedImage(context, c.shape);
      else if (CanExportAsEmf(c.shape))
        path = ExportEmf(context, c.shape);
      else
        path = ExportPngOrEmf(context, c.shape, kImageScale);
    });
    c.run.Step(116, [&] {
      if (!visible) c.shape.Put("Visible", false);
    });
    c.run.Step(117, [&] { ReapplyFlips(c.shape, flips); });
  }
  AddElement(kShapeIndent, c.element, "Image", path);
  c.run.Step(118, [&] { c.shape.Put("Rotation", rotation); });
  // A placeholder's frame was written before its image.
  if (c.kind.type != shape_type::kPlaceholder) TextFrameProperties(context, c.shape, c.element);
}

}  // namespace quillmere
