#include "shapes/ShapeClassification.h"

#include "objectmodel/powerpoint/Enumerations.h"
#include "objectmodel/trace/Trace.h"
#include "shapes/ShapeImageExport.h"
#include "shapes/TextEffects.h"

namespace quillmere {
namespace {

constexpr std::int32_t kLargeGroupMembers = 30;

bool IsImportedNarration(const Object& shape) {
  Value found =
      shape.Child("Parent").Child("TimeLine").Child("MainSequence").Get("FindFirstAnimationFor", shape.Ptr());
  if (!found.IsObject()) return false;  // Nothing: the sound is not animated
  Object effect(found);
  return effect && effect.Get("Index").AsLong() == 1;
}

bool HasPatternFill(const Object& shape) {
  Object fill = shape.Child("Fill");
  return fill.Get("Visible").AsBool() && fill.Get("Type").AsLong() == fill_type::kPatterned;
}

}  // namespace

bool IsConnector(const Object& shape) {
  return shape.Get("Type").AsLong() == shape_type::kAutoShape && shape.Get("Connector").AsBool();
}

bool HasText(const Object& shape) {
  return shape.Get("HasTextFrame").AsBool() && shape.Child("TextFrame").Get("HasText").AsBool();
}

bool IsLargeEmfGroup(const Object& group) {
  Object items = group.Child("GroupItems");
  std::int32_t count = items.Count();
  if (count <= kLargeGroupMembers) return false;
  for (std::int32_t i = 1; i <= count; ++i)
    if (!CanExportAsEmf(items.Item(i))) return false;
  return true;
}

ShapeClass ClassifyShape(const Object& shape, std::int16_t majorVersion, StepRunner& run) {
  using namespace shape_type;
  ShapeClass c;
  run.Step(1, [&] { c.firstType = shape.Get("Type").AsLong(); });
  run.Step(2, [&] { c.type = shape.Get("Type").AsLong(); });
  run.Step(3, [&] {
    Trace("ShapeProperties: Name - " + shape.Get("Name").AsString() + "/Type - " + std::to_string(c.type));
  });
  run.Step(4, [&] { c.textEffects = ShapeHasTextEffects(shape, majorVersion); });
  run.Step(5, [&] {
    if (c.type == kPlaceholder && shape.Child("Parent").TypeName() != "Slide") c.textEffects = false;
  });
  run.Step(6, [&] {
    if (majorVersion == 14 && HasEquationText(shape, majorVersion)) {
      c.type = kPicture;
      Trace("ShapeProperties: Shape has equation in text treating it as a picture.");
    }
  });
  run.Step(7, [&] {
    if (c.type == kMedia && shape.Get("MediaType").AsLong() == media_type::kSound)
      c.narration = IsImportedNarration(shape);
  });
  if (c.narration) return c;
  run.Step(8, [&] {
    if (c.type == kAutoShape && HasPatternFill(shape)) {
      Trace("ShapeProperties: Treating patterns as pictures.");
      c.type = kPicture;
      c.patternPicture = true;
    }
  });
  run.Step(9, [&] {
    if (c.type != kFreeform) return;
    c.freeform = true;
    c.freeformWithText = HasText(shape);
  });
  run.Step(10, [&] {
    if (c.type == kGroup && IsLargeEmfGroup(shape)) c.type = kPicture;
  });
  if (c.type == kFreeform || c.type == kLinkedPicture || c.textEffects) c.type = kPicture;
  run.Step(11, [&] {
    if (c.type != kPlaceholder || majorVersion <= 11) return;
    std::int32_t contained = shape.Child("PlaceholderFormat").Get("ContainedType").AsLong();
    if (contained == kTable || contained == kChart) c.type = contained;
  });
  return c;
}

}  // namespace quillmere
