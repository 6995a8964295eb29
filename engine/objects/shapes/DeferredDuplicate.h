#pragma once
// Shape.Duplicate without the copy, until a call needs it: the copy takes its
// ids at once, reads as the shape it copies for the members a copy answers the
// same (its type, its auto shape type, a scaling refused for its kind), and a
// Delete before any other call leaves nothing to undo. Any other call, on any
// object, first makes the copy where Duplicate would have put it.

#include <memory>

#include "engine/objects/shapes/ShapeRangeObjects.h"

namespace quillmere::engine {

std::shared_ptr<ShapeRangeObject> DuplicateLater(ShapeObject& original);

}  // namespace quillmere::engine
