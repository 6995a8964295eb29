#include "media/CharacterImages.h"
#include "objectmodel/ExportContext.h"
#include "objectmodel/powerpoint/Enumerations.h"
#include "objectmodel/xml/XmlHelpers.h"
#include "shapes/ImagePreparation.h"
#include "shapes/PictureLevels.h"
#include "shapes/ShapeBranches.h"
#include "shapes/ShapeImageExport.h"
#include "support/files/Paths.h"

namespace quillmere {
namespace {

constexpr float kNeutralLevel = 0.5f;

// A level that cannot be read counts as neutral.
float PictureLevel(const Object& shape, std::string_view member) {
  try {
    return shape.Child("PictureFormat").Get(member).AsSingle();
  } catch (const std::exception&) {
    return kNeutralLevel;
  }
}

struct Size {
  float width = 0.0f, height = 0.0f;
};

// The picture's size before cropping, from a copy scaled back to its original size.
Size UncroppedSize(const Object& shape) {
  Object copy = shape.Child("Duplicate").Item(1);
  Size size;
  try {
    copy.Call("ScaleHeight", 1.0f, tri_state::kTrue);
    size = {copy.Get("Width").AsSingle(), copy.Get("Height").AsSingle()};
  } catch (const std::exception&) {
    copy.Call("Delete");
    throw;
  }
  copy.Call("Delete");
  if (size.width == 0) size.width = shape.Get("Width").AsSingle();
  if (size.height == 0) size.height = shape.Get("Height").AsSingle();
  return size;
}

void WriteCrops(ExportContext& context, ShapeContext& c) {
  Size uncropped;
  float width = 0.0f, height = 0.0f;
  c.run.Step(310, [&] { uncropped = UncroppedSize(c.shape); });
  c.run.Step(311, [&] {
    width = c.shape.Get("Width").AsSingle();
    height = c.shape.Get("Height").AsSingle();
  });
  struct Crop {
    std::string_view name;
    float scale;
  };
  const Crop crops[] = {{"CropTop", context.scaleY * height / uncropped.height},
                        {"CropBottom", context.scaleY * height / uncropped.height},
                        {"CropLeft", context.scaleX * width / uncropped.width},
                        {"CropRight", context.scaleX * width / uncropped.width}};
  for (const Crop& crop : crops) {
    c.run.Step(312, [&] {
      AddElement(kShapeIndent, c.element, crop.name,
                 context.DecimalText(c.shape.Child("PictureFormat").Get(crop.name).AsSingle(), crop.scale));
    });
  }
}

std::string ExportPictureImage(ExportContext& context, ShapeContext& c, const Object& target) {
  if (c.kind.freeform) return ExportFormattedImage(context, target);
  if (c.kind.firstType == shape_type::kGroup) return ExportEmfOrPng(context, target);
  return ExportPngOrEmf(context, target, c.kind.patternPicture ? 1.0f : kImageScale);
}

// From a copy, so the slide keeps its effects; from the shape itself, undone
// afterwards, when PowerPoint cannot copy it.
std::string FormattedImage(ExportContext& context, ShapeContext& c) {
  ImagePreparation how{true, !c.kind.freeformWithText};
  Object copy;
  try {
    copy = c.shape.Child("Duplicate").Item(1);
  } catch (const ComError&) {
    ImageSettings saved = PrepareForImage(c.shape, how, c.majorVersion);
    std::string path = ExportPictureImage(context, c, c.shape);
    RestoreImageSettings(c.shape, saved, how, c.majorVersion);
    return path;
  }
  std::string path;
  try {
    copy.Put("Name", RandomName(8));
    PrepareForImage(copy, how, c.majorVersion);
    path = ExportPictureImage(context, c, copy);
  } catch (const ComError&) {
    copy.Call("Delete");
    throw;
  }
  copy.Call("Delete");
  return path;
}

}  // namespace

void WritePicture(ExportContext& context, ShapeContext& c) {
  c.run.Step(300, [&] {
    if (IsCharacter(c.shape)) WriteCharacter(context, c.shape, c.element);
  });
  AddElement(kShapeIndent, c.element, "Brightness", PictureLevelText(PictureLevel(c.shape, "Brightness")));
  AddElement(kShapeIndent, c.element, "Contrast", PictureLevelText(PictureLevel(c.shape, "Contrast")));
  c.run.Step(301, [&] {
    AddElement(kShapeIndent, c.element, "TransparentBackground",
               BoolText(c.shape.Child("PictureFormat").Get("TransparentBackground").AsBool()));
  });
  c.run.Step(302, [&] {
    AddElement(kShapeIndent, c.element, "AutoShapeType",
               c.majorVersion < 12 ? "1" : std::to_string(ResolveAutoShapeType(c.shape)));
  });
  WriteCrops(context, c);
  std::string path;
  c.run.Step(320, [&] { path = FormattedImage(context, c); });
  AddElement(kShapeIndent, c.element, "FormattedImage", path);
}

}  // namespace quillmere
