#include "shapes/ShapeImageExport.h"

#include "objectmodel/ExportContext.h"
#include "objectmodel/automation/ComError.h"
#include "objectmodel/powerpoint/Enumerations.h"
#include "objectmodel/trace/Trace.h"
#include "objectmodel/xml/NumberText.h"
#include "support/files/Paths.h"

namespace quillmere {
namespace {

// A shape that cannot be exported is not a reason to stop the export.
bool TryExportEmf(const Object& target, const std::string& path) {
  try {
    target.Call("Export", path, shape_format::kEmf);
    return true;
  } catch (const ComError&) {
    Trace("ShapeProperties: Shape failed to export image as emf.");
    return false;
  }
}

// The companion that gives the exported range the shape's own frame.
Object MakeCompanion(const Object& shape, const Object& shapes) {
  Object companion;
  if (shape.Get("Child").AsBool()) {
    companion = shape.Child("Duplicate").Item(1);
  } else {
    companion =
        shapes.Child("AddShape", auto_shape::kRectangle, shape.Get("Left").AsSingle(), shape.Get("Top").AsSingle(),
                     shape.Get("Width").AsSingle(), shape.Get("Height").AsSingle());
  }
  companion.Child("Fill").Put("Visible", false);
  companion.Child("Line").Put("Visible", false);
  companion.Child("ThreeD").Put("Visible", false);
  companion.Put("Rotation", 0.0f);
  companion.Child("TextFrame").Child("TextRange").Put("Text", "  ");
  companion.Call("ZOrder", z_order::kSendToBack);
  return companion;
}

}  // namespace

void ExportPng(ExportContext& context, const Object& target, const std::string& path, float slideScale) {
  target.Call("Export", path, shape_format::kPng,
              static_cast<std::int32_t>(RoundHalfEven(slideScale * context.slideWidth)),
              static_cast<std::int32_t>(RoundHalfEven(slideScale * context.slideHeight)));
}

std::string NewImagePath(ExportContext& context, std::string_view extension) {
  return context.outputFolder + RandomName(8) + std::string(extension);
}

std::string ExportPngOrEmf(ExportContext& context, const Object& target, float slideScale) {
  std::string path = NewImagePath(context, ".png");
  try {
    ExportPng(context, target, path, slideScale);
  } catch (const ComError& e) {
    if (e.Number() != hr::kUnspecified) throw;
    Trace("ShapeProperties: Shape failed to export image as png, falling back to emf.");
    path = NewImagePath(context, ".emf");
    TryExportEmf(target, path);
  }
  return path;
}

std::string ExportEmfOrPng(ExportContext& context, const Object& target) {
  std::string path = NewImagePath(context, ".emf");
  try {
    target.Call("Export", path, shape_format::kEmf);
  } catch (const ComError& e) {
    if (e.Number() != hr::kUnspecified) throw;
    Trace("ShapeProperties: Shape failed to export image as emf, falling back to png.");
    path = NewImagePath(context, ".png");
    ExportPng(context, target, path, kImageScale);
  }
  return path;
}

std::string ExportEmf(ExportContext& context, const Object& target) {
  std::string path = NewImagePath(context, ".emf");
  TryExportEmf(target, path);
  return path;
}

bool CanExportAsEmf(const Object& shape) {
  return shape.Get("Type").AsLong() != shape_type::kAutoShape ||
         shape.Get("AutoShapeType").AsLong() != auto_shape::kChord;
}

std::string ExportFormattedImage(ExportContext& context, const Object& shape) {
  Object shapes = shape.Child("Parent").Child("Shapes");
  Object companion = MakeCompanion(shape, shapes);
  std::string path;
  try {
    Object range = shapes.Child("Range", shape.Get("Name").AsString(), companion.Get("Name").AsString());
    path = CanExportAsEmf(shape) ? ExportEmf(context, range) : ExportPngOrEmf(context, range, kImageScale);
  } catch (const ComError&) {
    companion.Call("Delete");
    throw;
  }
  companion.Call("Delete");
  return path;
}

}  // namespace quillmere
