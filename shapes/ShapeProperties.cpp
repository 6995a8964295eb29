#include "shapes/ShapeProperties.h"

#include "media/CharacterImages.h"
#include "objectmodel/ExportContext.h"
#include "objectmodel/trace/Trace.h"
#include "objectmodel/xml/XmlHelpers.h"
#include "shapes/FillProperties.h"
#include "shapes/LineProperties.h"
#include "shapes/ShadowProperties.h"
#include "shapes/ShapeBranches.h"
#include "shapes/ShapeEffects.h"
#include "shapes/ShapeErrorHandler.h"
#include "shapes/ShapeGeometry.h"
#include "shapes/TableProperties.h"

namespace quillmere {
namespace {

constexpr int kAttributeIndent = 4;

void WriteIdentity(ShapeContext& c) {
  c.run.Step(12, [&] { AddAttribute(kAttributeIndent, c.element, "id", std::to_string(c.shape.Get("id").AsLong())); });
  c.run.Step(13, [&] { AddAttribute(kAttributeIndent, c.element, "name", c.shape.Get("Name").AsString()); });
  AddAttribute(kAttributeIndent, c.element, "character", BoolText(IsCharacter(c.shape)));
  AppendLineBreak(c.element);
  // A text box drawn as another auto shape is written as that auto shape.
  c.run.Step(14, [&] {
    if (c.kind.type == shape_type::kTextBox && c.shape.Get("AutoShapeType").AsLong() != 1)
      c.kind.type = shape_type::kAutoShape;
  });
  AddElement(kShapeIndent, c.element, "Type", std::to_string(c.kind.type));
}

void WriteFillLineShadow(ExportContext& context, ShapeContext& c) {
  if (c.kind.type == shape_type::kGroup || c.kind.firstType == shape_type::kGroup) return;
  Object owner;
  c.run.Step(60, [&] { owner = c.shape.Child("Parent"); });
  if (c.kind.type != shape_type::kTable) {
    Trace("ShapeProperties: Reading Fill");
    FillProperties(context, c.shape, c.element, "Fill", owner);
    Trace("ShapeProperties: Reading Line");
    LineProperties(context, c.shape, c.element, Object());
  }
  Trace("ShapeProperties: Reading Shadow");
  ShadowProperties(context, c.shape, c.element, owner);
}

void WriteTypeSpecific(ExportContext& context, ShapeContext& c) {
  using namespace shape_type;
  if (c.kind.textEffects) {
    WritePicture(context, c);
    return;
  }
  switch (c.kind.type) {
    case kAutoShape:
    case kCallout:
    case kTextBox:
      WriteAutoShape(context, c);
      break;
    case kGroup:
      WriteGroupItems(context, c);
      break;
    case kLinkedPicture:
    case kPicture:
      WritePicture(context, c);
      break;
    case kPlaceholder:
      WritePlaceholder(context, c);
      break;
    case kMedia:
      WriteMedia(context, c);
      break;
    case kTable:
      TableProperties(context, c.shape, c.element);
      break;
    default:
      WriteDefaultImage(context, c);
      break;
  }
}

}  // namespace

void ShapeProperties(ExportContext& context, const Object& shape, pugi::xml_node parent, bool countProgress) {
  if (countProgress) context.CountProgress();
  StepRunner run = ShapeSteps(context, shape, " in Quillmere.bXML.ShapeProperties at line ");
  std::int16_t major = 0;
  run.Step(0, [&] { major = context.MajorVersion(); });
  ShapeClass kind = ClassifyShape(shape, major, run);
  if (kind.narration) {
    Trace("ShapeProperties: Narration already imported, skipping it.");
    Trace("ShapeProperties: Exit");
    return;
  }
  ShapeContext c{shape, AppendContainer(parent, "Shape"), run, major, kind};
  WriteIdentity(c);
  WriteShapeFrame(context, c);
  WriteConnector(context, c);
  WriteFlipsAndEffects(context, c);
  WriteFillLineShadow(context, c);
  WriteAdjustments(context, c);
  run.Step(70, [&] { AddElement(kShapeIndent, c.element, "Visible", BoolText(shape.Get("Visible").AsBool())); });
  run.Step(71,
           [&] { AddElement(kShapeIndent, c.element, "AlternativeText", shape.Get("AlternativeText").AsString()); });
  if (context.CheckAbort()) return;
  WriteTypeSpecific(context, c);
  Trace("ShapeProperties: Exit");
}

}  // namespace quillmere
