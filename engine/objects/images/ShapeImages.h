#pragma once
// Shape.Export and ShapeRange.Export: images of shapes as the engine holds
// them now, drawn by the session's renderer (engine/objects/images/SlideImages.h).

#include <memory>
#include <string_view>
#include <vector>

#include "engine/objects/shapes/ShapeObjects.h"

namespace quillmere::engine {

// (PathName, Filter, ScaleWidth, ScaleHeight): the shapes, all of one slide,
// layout or master, drawn together on a transparent background; a PNG
// (filter 2) at the scale at which the whole slide would be ScaleWidth x
// ScaleHeight pixels, or an EMF (filter 5). Throws ComError: E_FAIL when they cannot be drawn.
Value ExportShapeImages(const std::vector<std::shared_ptr<ShapeObject>>& shapes, std::string_view member, Args args);

}  // namespace quillmere::engine
