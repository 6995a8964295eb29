#include "shapes/FillImage.h"

#include "shapes/ShapeImageExport.h"

namespace quillmere {
namespace {

constexpr std::int32_t kRectangle = 1;

// A copy showing nothing but the fill, unrotated, in the frame of the shape.
Object PlainFillCopy(const Object& shape) {
  Object copy = shape.Child("Duplicate").Item(1);
  Object fill = copy.Child("Fill");
  fill.Put("TextureTile", false);
  fill.Put("Transparency", 0.0f);
  copy.Put("AutoShapeType", kRectangle);
  copy.Child("Line").Put("Visible", false);
  copy.Child("ThreeD").Put("Visible", false);
  copy.Put("Rotation", 0.0f);
  return copy;
}

}  // namespace

std::string ExportPictureFill(const Object& shape) {
  Object copy = PlainFillCopy(shape);
  std::string path = NewImagePath(".png");
  try {
    ExportPng(copy, path, kImageScale);
  } catch (const std::exception&) {
    copy.Call("Delete");
    throw;
  }
  copy.Call("Delete");
  return path;
}

}  // namespace quillmere
