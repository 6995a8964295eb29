#pragma once
// The image of a texture or picture fill, from a plain rectangle copy of the shape.

#include <string>

#include "component/automation/Object.h"

namespace quillmere {

// The path of the picture fill's image, exported as PNG at 2.1 times the slide size.
std::string ExportPictureFill(const Object& shape);

}  // namespace quillmere
