#include "shapes/FillProperties.h"

#include "objectmodel/ExportContext.h"
#include "objectmodel/xml/XmlHelpers.h"
#include "shapes/ColorValues.h"
#include "shapes/FillImage.h"
#include "shapes/GradientStops.h"
#include "shapes/PictureLevels.h"
#include "shapes/ShapeErrorHandler.h"
#include "support/text/Text.h"

namespace quillmere {
namespace {

constexpr int kFillPropertiesIndent = 16;
constexpr int kPictureIndent = 8;
enum FillType : std::int32_t { kPattern = 2, kGradient = 3, kTexture = 4, kPicture = 6 };

struct FillContext {
  const Object& owner;  // whose Fill is written
  const Object& page;   // the slide, master or layout of a background
  bool ownerIsShape;
  pugi::xml_node element;
  Object fill;
  StepRunner& run;
  std::int16_t major;
};

void Add(FillContext& f, int step, std::string_view name, auto value, int indent = kFillPropertiesIndent) {
  f.run.Step(step, [&] { AddElement(indent, f.element, name, value()); });
}

std::string Member(ExportContext& context, const Object& object, std::string_view name) {
  return context.PlatformText(object.Get(name).AsSingle());
}
std::string Whole(const Object& object, std::string_view name) { return std::to_string(object.Get(name).AsLong()); }

void WritePictureElements(ExportContext& context, FillContext& f) {
  Object picture;
  f.run.Step(40, [&] { picture = f.owner.Child("PictureFormat"); });
  Add(
      f, 41, "Brightness", [&] { return PictureLevelText(picture.Get("Brightness").AsSingle()); }, kPictureIndent);
  Add(
      f, 42, "Contrast", [&] { return PictureLevelText(picture.Get("Contrast").AsSingle()); }, kPictureIndent);
  Add(
      f, 43, "TransparentBackground", [&] { return BoolText(picture.Get("TransparentBackground").AsBool()); },
      kPictureIndent);
  struct Crop {
    std::string_view name;
    float scale;
  };
  const Crop crops[] = {{"CropTop", context.scaleY},
                        {"CropBottom", context.scaleY},
                        {"CropLeft", context.scaleX},
                        {"CropRight", context.scaleX}};
  for (const Crop& crop : crops) {
    Add(
        f, 44, crop.name,
        [&] {
          return f.ownerIsShape ? context.PlatformText(picture.Get(crop.name).AsSingle() * crop.scale)
                                : std::string("0");
        },
        kPictureIndent);
  }
}

void WriteRotateWithShape(FillContext& f) {
  Add(f, 45, "RotateWithShape", [&] { return BoolText(f.major < 12 || f.fill.Get("RotateWithObject").AsBool()); });
}

// A shape's fill image comes from a plain copy of the shape, a background's from a temporary slide.
void WriteImage(ExportContext& context, FillContext& f, int step,
                std::string (*shapeImage)(ExportContext&, const Object&)) {
  std::string image;
  f.run.Step(step,
             [&] { image = f.ownerIsShape ? shapeImage(context, f.owner) : ExportBackgroundImage(context, f.page); });
  AddElement(kFillPropertiesIndent, f.element, "Image", image);
}

void WriteTexture(ExportContext& context, FillContext& f) {
  Add(f, 50, "TextureName", [&] { return f.fill.Get("TextureName").AsString(); });
  Add(f, 51, "TextureType", [&] { return Whole(f.fill, "TextureType"); });
  WriteImage(context, f, 55, ExportTextureFill);
  if (f.major < 12) {
    for (auto [name, value] : {std::pair{"TextureTile", "True"},
                               {"TextureAlignment", "0"},
                               {"TextureVerticalScale", "1"},
                               {"TextureHorizontalScale", "1"},
                               {"TextureOffsetX", "0"},
                               {"TextureOffsetY", "0"}})
      AddElement(kFillPropertiesIndent, f.element, name, value);
  } else {
    bool tiled = false;
    f.run.Step(52, [&] {
      tiled = f.fill.Get("TextureTile").AsBool();
      AddElement(kFillPropertiesIndent, f.element, "TextureTile", BoolText(tiled));
    });
    if (tiled) {
      Add(f, 53, "TextureAlignment", [&] { return Whole(f.fill, "TextureAlignment"); });
      for (std::string_view name :
           {"TextureVerticalScale", "TextureHorizontalScale", "TextureOffsetX", "TextureOffsetY"})
        Add(f, 54, name, [&] { return Member(context, f.fill, name); });
    }
  }
  if (f.ownerIsShape) WritePictureElements(context, f);
  WriteRotateWithShape(f);
}

void WritePicture(ExportContext& context, FillContext& f) {
  WritePictureElements(context, f);
  WriteImage(context, f, 60, ExportPictureFill);
  WriteRotateWithShape(f);
}

void WriteGradient(ExportContext& context, FillContext& f, const Object& themeOwner) {
  for (std::string_view name : {"GradientColorType", "GradientStyle", "GradientVariant", "PresetGradientType"})
    Add(f, 70, name, [&] { return Whole(f.fill, name); });
  WriteRotateWithShape(f);
  if (f.major >= 12) {
    f.run.Step(71, [&] { WriteGradientStops(context, f.fill, f.element, themeOwner, f.major); });
    return;
  }
  f.run.Step(72, [&] {
    std::int32_t colors = f.fill.Get("GradientColorType").AsLong();
    if (colors == 1 || colors == 2) WriteTwoColorStops(context, f.fill, f.element);
  });
}

}  // namespace

void FillProperties(ExportContext& context, const Object& fillOwner, pugi::xml_node parent,
                    std::string_view elementName, const Object& themeOwner, bool hidden) {
  StepRunner run = ShapeSteps(context, fillOwner, " in Quillmere.bXML.FillProperties at line ");
  pugi::xml_node element = AppendContainer(parent, elementName);
  if (hidden) {
    AddElement(kFillPropertiesIndent, element, "Visible", BoolText(false));
    return;
  }
  FillContext f{fillOwner, themeOwner, LowerAscii(fillOwner.TypeName()) == "shape", element, Object(), run, 0};
  bool visible = false;
  run.Step(1, [&] {
    f.fill = fillOwner.Child("Fill");
    visible = f.fill.Get("Visible").AsBool();
    AddElement(kFillPropertiesIndent, element, "Visible", BoolText(visible));
  });
  if (!visible) return;
  run.Step(2, [&] { f.major = context.MajorVersion(); });
  std::int32_t type = 0;
  run.Step(3, [&] {
    type = f.fill.Get("Type").AsLong();
    AddElement(kFillPropertiesIndent, element, "Type", std::to_string(type));
  });
  Add(f, 4, "Transparency", [&] {
    float transparency = f.major < 12 && type == kGradient ? 0.0f : f.fill.Get("Transparency").AsSingle();
    return context.PlatformText(transparency < 0 ? 0.0f : transparency);
  });
  run.Step(5, [&] { WriteBackColor(kFillPropertiesIndent, element, f.fill.Child("BackColor"), f.major, true); });
  Object owner = themeOwner;
  if (f.ownerIsShape) run.Step(6, [&] { owner = fillOwner.Child("Parent"); });
  run.Step(7, [&] {
    WriteColorGroup(kFillPropertiesIndent, element, kForecolorNames, ResolveColor(f.fill.Child("ForeColor"), owner, f.major),
                    ColorOrder::RgbNameOnly);
  });
  switch (type) {
    case kTexture:
      WriteTexture(context, f);
      break;
    case kPicture:
      WritePicture(context, f);
      break;
    case kPattern:
      Add(f, 8, "Pattern", [&] { return Whole(f.fill, "Pattern"); });
      break;
    case kGradient:
      WriteGradient(context, f, owner);
      break;
    default:
      break;  // solid and background fills have nothing more
  }
}

}  // namespace quillmere
