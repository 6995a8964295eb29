#include "shapes/ShapeFlips.h"

namespace quillmere {
namespace {

constexpr std::int32_t kFlipHorizontal = 0;
constexpr std::int32_t kFlipVertical = 1;

}  // namespace

Flips UndoFlips(const Object& shape) {
  Flips flips{shape.Get("HorizontalFlip").AsBool(), shape.Get("VerticalFlip").AsBool()};
  ReapplyFlips(shape, flips);
  return flips;
}

// Flipping twice restores the shape, so undoing and re-applying are one operation.
void ReapplyFlips(const Object& shape, const Flips& flips) {
  if (flips.horizontal) shape.Call("Flip", kFlipHorizontal);
  if (flips.vertical) shape.Call("Flip", kFlipVertical);
}

}  // namespace quillmere
