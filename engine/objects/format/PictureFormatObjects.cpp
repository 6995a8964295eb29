#include <array>
#include <string_view>

#include "engine/model/document/DrawingUnits.h"
#include "engine/model/document/XmlNames.h"
#include "engine/model/media/PictureSize.h"
#include "engine/model/shapes/ShapeGeometry.h"
#include "engine/model/text/ShapeText.h"
#include "engine/objects/format/ShapeFormatObjects.h"

namespace quillmere::engine {
namespace {

constexpr float kNeutralLevel = 0.5f;

pugi::xml_node Blip(const PictureFormatObject& f) { return ChildNamed(BlipFillOf(f.shape->element), "blip"); }

// a14:brightnessContrast of an Office 2010 image effect in the blip's extension list.
pugi::xml_node ImageEffectLevels(const pugi::xml_node& blip) {
  for (pugi::xml_node ext : ChildNamed(blip, "extLst").children())
    for (pugi::xml_node layer : ChildNamed(ChildNamed(ext, "imgProps"), "imgLayer").children())
      if (pugi::xml_node levels = ChildNamed(layer, "brightnessContrast")) return levels;
  return {};
}

// Brightness and Contrast run 0..1 with the picture as it is at 0.5; the
// file keeps them as -100%..100% changes (a:lum, or the 2010 image effect).
float Level(const PictureFormatObject& f, const char* attribute) {
  pugi::xml_node blip = Blip(f);
  pugi::xml_node lum = ChildNamed(blip, "lum");
  if (!lum.attribute(attribute)) lum = ImageEffectLevels(blip);
  return kNeutralLevel + static_cast<float>(lum.attribute(attribute).as_double() / kFractionUnit / 2.0);
}

// Crops in points of the uncropped picture at its present size (see PictureSize.h).
float Crop(const PictureFormatObject& f, double PictureCrop::*side, bool vertical) {
  ShapeObject& s = *f.shape;
  PictureCrop crop = CropOf(s.element);
  Frame frame = SlideFrame(*s.doc, s.part, s.element);
  double uncropped = vertical ? UncroppedExtent(frame.height, crop.top, crop.bottom)
                              : UncroppedExtent(frame.width, crop.left, crop.right);
  return static_cast<float>(crop.*side * uncropped);
}

// MsoPresetTextEffectShape, in order from msoTextEffectShapePlainText (1).
constexpr std::array<std::string_view, 40> kTextWarps{
    "textPlain",         "textStop",          "textTriangle",        "textTriangleInverted",
    "textChevron",       "textChevronInverted", "textRingInside",    "textRingOutside",
    "textArchUp",        "textArchDown",      "textCircle",          "textButton",
    "textArchUpPour",    "textArchDownPour",  "textCirclePour",      "textButtonPour",
    "textCurveUp",       "textCurveDown",     "textCanUp",           "textCanDown",
    "textWave1",         "textWave2",         "textDoubleWave1",     "textWave4",
    "textInflate",       "textDeflate",       "textInflateBottom",   "textDeflateBottom",
    "textInflateTop",    "textDeflateTop",    "textDeflateInflate",  "textDeflateInflateDeflate",
    "textFadeRight",     "textFadeLeft",      "textFadeUp",          "textFadeDown",
    "textSlantUp",       "textSlantDown",     "textCascadeUp",       "textCascadeDown"};

// The WordArt shape the text is warped to; 0 for text that is not warped.
int TextWarp(const ShapeObject& s) {
  std::string_view warp =
      ChildNamed(ChildNamed(ChildNamed(s.element, "txBody"), "bodyPr"), "prstTxWarp").attribute("prst").value();
  for (std::size_t i = 0; i < kTextWarps.size(); ++i)
    if (kTextWarps[i] == warp) return static_cast<int>(i) + 1;
  return 0;
}

}  // namespace

template <>
const MemberTable<PictureFormatObject>& PictureFormatObject::Members() {
  static const MemberTable<PictureFormatObject> table{
      {.name = "Brightness", .get = [](PictureFormatObject& f, Args) { return Value(Level(f, "bright")); }},
      {.name = "Contrast", .get = [](PictureFormatObject& f, Args) { return Value(Level(f, "contrast")); }},
      {.name = "CropLeft", .get = [](PictureFormatObject& f, Args) { return Value(Crop(f, &PictureCrop::left, false)); }},
      {.name = "CropRight",
       .get = [](PictureFormatObject& f, Args) { return Value(Crop(f, &PictureCrop::right, false)); }},
      {.name = "CropTop", .get = [](PictureFormatObject& f, Args) { return Value(Crop(f, &PictureCrop::top, true)); }},
      {.name = "CropBottom",
       .get = [](PictureFormatObject& f, Args) { return Value(Crop(f, &PictureCrop::bottom, true)); }},
      // A colour made transparent (a:clrChange) is what PowerPoint's "set transparent colour" writes.
      {.name = "TransparentBackground",
       .get = [](PictureFormatObject& f, Args) { return MsoBool(static_cast<bool>(ChildNamed(Blip(f), "clrChange"))); }},
  };
  return table;
}

template <>
const MemberTable<TextEffectFormatObject>& TextEffectFormatObject::Members() {
  static const MemberTable<TextEffectFormatObject> table{
      {.name = "PresetShape", .get = [](TextEffectFormatObject& f, Args) { return Value(TextWarp(*f.shape)); }},
      {.name = "Text",
       .get = [](TextEffectFormatObject& f, Args) { return Value(TextOfBody(ChildNamed(f.shape->element, "txBody"))); }},
  };
  return table;
}

}  // namespace quillmere::engine
