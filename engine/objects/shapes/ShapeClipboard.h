#pragma once
// Shape.Copy, ShapeRange.Copy and Shapes.Paste: the shapes copied are kept
// in the session (CopiedShapes.h) until the next copy, and can be pasted into
// any page of any presentation the application has open, any number of times.

#include <memory>
#include <string_view>
#include <vector>

#include "engine/objects/shapes/ShapeObjects.h"

namespace quillmere::engine {

// The shapes must be of one page. Throws ComError as PowerPoint fails.
void CopyShapesToClipboard(const std::vector<std::shared_ptr<ShapeObject>>& shapes, std::string_view member);
// Returns a ShapeRange of the shapes pasted.
Value PasteShapesFromClipboard(ShapesObject& shapes);

}  // namespace quillmere::engine
