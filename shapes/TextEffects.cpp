#include "shapes/TextEffects.h"

#include "objectmodel/powerpoint/Enumerations.h"
#include "objectmodel/trace/Trace.h"
#include "shapes/ShapeClassification.h"

namespace quillmere {
namespace {

bool ThreeDRotated(const Object& shape) {
  Object threeD = shape.Child("TextFrame2").Child("ThreeD");
  if (!threeD.Get("Visible").AsBool()) return false;
  return threeD.Get("RotationX").AsSingle() != 0 || threeD.Get("RotationY").AsSingle() != 0 ||
         threeD.Get("RotationZ").AsSingle() != 0;
}

bool ColouredUnderline(const Object& font) {
  if (font.Get("UnderlineStyle").AsLong() == 0) return false;
  std::int32_t underline = font.Child("UnderlineColor").Get("RGB").AsLong();
  return underline > 0 && underline != font.Child("Fill").Child("ForeColor").Get("RGB").AsLong();
}

}  // namespace

bool HasTextFx(const Object& shape, std::int32_t runIndex, std::int16_t majorVersion) {
  if (majorVersion < 12) {
    Trace("HasTextFx: Older version not applicable.");
    return false;
  }
  Object font = shape.Child("TextFrame2").Child("TextRange").Child("Runs", runIndex).Child("Font");
  return font.Child("Reflection").Get("Type").AsLong() != 0 || font.Child("Glow").Get("Radius").AsSingle() != 0 ||
         font.Get("WordArtFormat").AsLong() != tri_state::kMixed || ThreeDRotated(shape) ||
         font.Child("Line").Get("Visible").AsBool() || font.Child("Fill").Get("Type").AsLong() != fill_type::kSolid ||
         font.Get("UnderlineStyle").AsLong() > underline::kSingleLine || ColouredUnderline(font) ||
         font.Get("Equalize").AsBool() || font.Get("Smallcaps").AsBool() || font.Get("Strikethrough").AsBool() ||
         font.Get("DoubleStrikeThrough").AsBool();
}

bool ShapeHasTextEffects(const Object& shape, std::int16_t majorVersion) {
  std::int32_t type = shape.Get("Type").AsLong();
  if (majorVersion < 12) return type == shape_type::kTextEffect;
  if (type == shape_type::kGroup) return false;
  if (HasText(shape)) {
    std::int32_t runs = shape.Child("TextFrame2").Child("TextRange").Child("Runs").Count();
    for (std::int32_t i = 1; i <= runs; ++i)
      if (HasTextFx(shape, i, majorVersion)) return true;
  }
  return shape.Child("TextEffect").Get("PresetShape").AsLong() != 0;
}

bool HasEquationText(const Object& shape, std::int16_t majorVersion) {
  if (majorVersion <= 12 || !HasText(shape)) return false;
  return shape.Child("TextFrame2").Child("TextRange").Get("Text").AsString() !=
         shape.Child("TextEffect").Get("Text").AsString();
}

}  // namespace quillmere
