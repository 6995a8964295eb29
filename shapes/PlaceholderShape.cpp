#include "objectmodel/powerpoint/Enumerations.h"
#include "objectmodel/xml/XmlHelpers.h"
#include "shapes/NativeShapeTable.h"
#include "shapes/ShapeBranches.h"
#include "shapes/TextProperties.h"

namespace quillmere {
namespace {

// PowerPoint 2003 reports what a placeholder holds only on a copy of it.
std::int32_t ContainedTypeOf(const Object& placeholder) {
  Object copy = placeholder.Child("Duplicate").Item(1);
  std::int32_t type = 0;
  try {
    type = copy.Get("Type").AsLong();
  } catch (const std::exception&) {
    copy.Call("Delete");
    throw;
  }
  copy.Call("Delete");
  return type;
}

bool HoldsPicture(std::int32_t contained) {
  return contained == shape_type::kLinkedPicture || contained == shape_type::kPicture;
}

}  // namespace

void WritePlaceholder(ExportContext& context, ShapeContext& c) {
  std::int32_t placeholderType = 0, contained = 0;
  c.run.Step(400, [&] { placeholderType = c.shape.Child("PlaceholderFormat").Get("Type").AsLong(); });
  c.run.Step(401, [&] {
    contained = c.majorVersion >= 12 ? c.shape.Child("PlaceholderFormat").Get("ContainedType").AsLong()
                                     : ContainedTypeOf(c.shape);
  });
  if (c.majorVersion < 12 && HoldsPicture(contained)) placeholderType = placeholder::kPicture;
  AddElement(kShapeIndent, c.element, "PlaceholderType", std::to_string(placeholderType));
  AddElement(kShapeIndent, c.element, "ContainedType", std::to_string(contained));
  if (HoldsPicture(contained)) {
    WritePicture(context, c);
    return;
  }
  bool hasFrame = false;
  c.run.Step(404, [&] { hasFrame = c.shape.Get("HasTextFrame").AsBool(); });
  if (hasFrame) PlaceholderTextFrame(context, c.shape, c.element);
  if (contained == shape_type::kTextBox) {
    AddElement(kShapeIndent, c.element, "Image", "");
    return;
  }
  std::int32_t autoShapeType = 0;
  c.run.Step(402, [&] {
    autoShapeType = ResolveAutoShapeType(c.shape);
    AddElement(kShapeIndent, c.element, "AutoShapeType", std::to_string(autoShapeType));
  });
  if (contained != shape_type::kAutoShape) {
    WriteDefaultImage(context, c);
    return;
  }
  bool plain = IsNativeAutoShape(autoShapeType);
  if (!plain && autoShapeType == auto_shape::kNotPrimitive)
    c.run.Step(403, [&] { plain = !FillOrLineVisible(c.shape); });
  if (plain) {
    AddElement(kShapeIndent, c.element, "Image", "");
    return;
  }
  WriteAutoShapeImage(context, c, autoShapeType);
}

}  // namespace quillmere
