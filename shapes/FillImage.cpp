#include "shapes/FillImage.h"

#include "media/OriginalPicture.h"
#include "media/SlideBackground.h"
#include "objectmodel/ExportContext.h"
#include "objectmodel/StepRunner.h"
#include "objectmodel/powerpoint/Enumerations.h"
#include "shapes/ShapeImageExport.h"
#include "support/files/Paths.h"

namespace quillmere {
namespace {

// Makes a copy show nothing but the fill, unrotated, in the frame of the shape.
void MakePlain(const Object& copy, bool picture) {
  Object fill = copy.Child("Fill");
  if (picture) fill.Put("TextureTile", false);
  fill.Put("Transparency", 0.0f);
  copy.Put("AutoShapeType", auto_shape::kRectangle);
  copy.Child("Line").Put("Visible", false);
  copy.Child("ThreeD").Put("Visible", false);
  copy.Put("Rotation", 0.0f);
}

// Runs work on a plain copy of the shape and deletes the copy again, also
// when making it plain or the work fails (PowerPoint 2003 has no TextureTile).
template <class Work>
std::string WithPlainCopy(const Object& shape, bool picture, Work work) {
  Object copy = shape.Child("Duplicate").Item(1);
  std::string path;
  try {
    MakePlain(copy, picture);
    path = work(copy);
  } catch (const std::exception&) {
    LeavingOutOnFailure([&] { copy.Call("Delete"); });
    throw;
  }
  LeavingOutOnFailure([&] { copy.Call("Delete"); });
  return path;
}

// A slide of the presentation that shows the page's background, and what to
// delete once it has been drawn (the slide first).
struct TemporaryBackgroundSlide {
  Object slide;
  Object layout;  // made for a master only

  ~TemporaryBackgroundSlide() {
    LeavingOutOnFailure([&] {
      if (slide) slide.Call("Delete");
    });
    LeavingOutOnFailure([&] {
      if (layout) layout.Call("Delete");
    });
  }
};

void PrepareBackgroundSlide(ExportContext& context, const Object& page, TemporaryBackgroundSlide& temporary) {
  std::string_view type = page.TypeName();
  if (type == "Slide") {
    temporary.slide = page.Child("Duplicate").Item(1);
    return;
  }
  Object layout = page;
  if (type == "Master") {
    Object layouts = page.Child("CustomLayouts");
    temporary.layout = layouts.Child("Add", layouts.Count() + 1);
    layout = temporary.layout;
  } else if (type != "CustomLayout") {
    return;
  }
  Object slides = context.presentation.Child("Slides");
  temporary.slide = slides.Child("AddSlide", slides.Count() + 1, layout.Ptr());
}

}  // namespace

std::string ExportPictureFill(ExportContext& context, const Object& shape) {
  return WithPlainCopy(shape, true, [&context](const Object& copy) {
    std::string path = NewImagePath(context, ".png");
    ExportPng(context, copy, path, kImageScale);
    return path;
  });
}

std::string ExportTextureFill(ExportContext& context, const Object& shape) {
  return WithPlainCopy(shape, false, [&context](const Object& copy) {
    std::string source = GetOriginalPicture(context, copy);
    if (source.empty()) return std::string();
    std::size_t dot = source.rfind('.');
    std::string target = context.outputFolder + RandomName(8) + "_" +
                         (dot == std::string::npos ? std::string() : source.substr(dot));
    return CopyFileOverwriting(source, target) ? target : std::string();
  });
}

std::string ExportBackgroundImage(ExportContext& context, const Object& page) {
  TemporaryBackgroundSlide temporary;
  LeavingOutOnFailure([&] { PrepareBackgroundSlide(context, page, temporary); });
  if (!temporary.slide) return {};
  std::string path = NewImagePath(context, ".png");
  ExportSlideBackground(temporary.slide, path);
  return path;
}

}  // namespace quillmere
