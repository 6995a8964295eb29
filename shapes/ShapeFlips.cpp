#include "shapes/ShapeFlips.h"

#include "objectmodel/powerpoint/Enumerations.h"

namespace quillmere {

Flips UndoFlips(const Object& shape) {
  Flips flips{shape.Get("HorizontalFlip").AsBool(), shape.Get("VerticalFlip").AsBool()};
  ReapplyFlips(shape, flips);
  return flips;
}

// Flipping twice restores the shape, so undoing and re-applying are one operation.
void ReapplyFlips(const Object& shape, const Flips& flips) {
  if (flips.horizontal) shape.Call("Flip", flip::kHorizontal);
  if (flips.vertical) shape.Call("Flip", flip::kVertical);
}

}  // namespace quillmere
