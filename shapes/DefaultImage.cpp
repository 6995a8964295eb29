#include "objectmodel/xml/XmlHelpers.h"
#include "shapes/ImagePreparation.h"
#include "shapes/ShapeBranches.h"
#include "shapes/ShapeImageExport.h"

namespace quillmere {

void WriteDefaultImage(ExportContext& context, ShapeContext& c) {
  Object copy;
  c.run.Step(600, [&] { copy = c.shape.Child("Duplicate").Item(1); });
  std::string path;
  if (copy) {
    c.run.Step(601, [&] { PrepareForImage(copy, ImagePreparation{}, c.majorVersion); });
    c.run.Step(602, [&] { path = ExportPngOrEmf(context, copy, kImageScale); });
  }
  AddElement(kShapeIndent, c.element, "Image", path);
  if (copy) c.run.Step(603, [&] { copy.Call("Delete"); });
}

}  // namespace quillmere
