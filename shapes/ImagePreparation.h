#pragma once
// A shape about to be exported as an image shows itself alone: no shadow,
// 3-D, glow, reflection or soft edge (the host draws those), visible,
// unrotated and unflipped.

#include <cstdint>

#include "objectmodel/automation/Object.h"
#include "shapes/ShapeFlips.h"

namespace quillmere {

struct ImagePreparation {
  bool hideLine = false;   // pictures: the host draws their outline
  bool undoFlips = true;   // false for a freeform with text, whose flips are not written
};

// Everything PrepareForImage changes, to undo it on the shape itself.
struct ImageSettings {
  bool shadow = false, threeD = false, line = false, visible = false;
  float rotation = 0.0f, glowRadius = 0.0f;
  std::int32_t reflection = 0, softEdge = 0;
  Flips flips;
};

ImageSettings PrepareForImage(const Object& shape, const ImagePreparation& how, std::int16_t majorVersion);
void RestoreImageSettings(const Object& shape, const ImageSettings& settings, const ImagePreparation& how,
                          std::int16_t majorVersion);

}  // namespace quillmere
