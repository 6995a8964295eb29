#include "shapes/ImagePreparation.h"

namespace quillmere {

ImageSettings PrepareForImage(const Object& shape, const ImagePreparation& how, std::int16_t majorVersion) {
  ImageSettings saved;
  saved.shadow = shape.Child("Shadow").Get("Visible").AsBool();
  saved.threeD = shape.Child("ThreeD").Get("Visible").AsBool();
  saved.visible = shape.Get("Visible").AsBool();
  saved.rotation = shape.Get("Rotation").AsSingle();
  shape.Child("Shadow").Put("Visible", false);
  shape.Child("ThreeD").Put("Visible", false);
  if (how.hideLine) {
    saved.line = shape.Child("Line").Get("Visible").AsBool();
    shape.Child("Line").Put("Visible", false);
  }
  shape.Put("Visible", true);
  shape.Put("Rotation", 0.0f);
  if (how.undoFlips) saved.flips = UndoFlips(shape);
  if (majorVersion > 11) {
    saved.glowRadius = shape.Child("Glow").Get("Radius").AsSingle();
    saved.reflection = shape.Child("Reflection").Get("Type").AsLong();
    saved.softEdge = shape.Child("SoftEdge").Get("Type").AsLong();
    shape.Child("Glow").Put("Radius", 0.0f);
    shape.Child("Reflection").Put("Type", 0);
    shape.Child("SoftEdge").Put("Type", 0);
  }
  return saved;
}

void RestoreImageSettings(const Object& shape, const ImageSettings& settings, const ImagePreparation& how,
                          std::int16_t majorVersion) {
  if (majorVersion > 11) {
    shape.Child("Glow").Put("Radius", settings.glowRadius);
    shape.Child("Reflection").Put("Type", settings.reflection);
    shape.Child("SoftEdge").Put("Type", settings.softEdge);
  }
  ReapplyFlips(shape, settings.flips);
  shape.Put("Rotation", settings.rotation);
  shape.Put("Visible", settings.visible);
  if (how.hideLine) shape.Child("Line").Put("Visible", settings.line);
  shape.Child("ThreeD").Put("Visible", settings.threeD);
  shape.Child("Shadow").Put("Visible", settings.shadow);
}

}  // namespace quillmere
