#pragma once
// Images are exported unflipped, since the host applies the flips itself.

#include "objectmodel/automation/Object.h"

namespace quillmere {

struct Flips {
  bool horizontal = false, vertical = false;
};

// Undoes the shape's flips and returns them.
Flips UndoFlips(const Object& shape);
void ReapplyFlips(const Object& shape, const Flips& flips);

}  // namespace quillmere
