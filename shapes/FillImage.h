#pragma once
// The image of a texture or picture fill: for a shape, from a plain rectangle
// copy of it; for a background, from a temporary slide showing it.

#include <string>

#include "objectmodel/automation/Object.h"

namespace quillmere {

struct ExportContext;

// The path of the picture fill's image, exported as PNG at 2.1 times the slide size.
std::string ExportPictureFill(ExportContext& context, const Object& shape);

// The texture's own source picture, copied into the output folder; empty when none was found.
std::string ExportTextureFill(ExportContext& context, const Object& shape);

// The background of a slide, master or custom layout as a PNG file in the
// output folder; empty when no temporary slide could be made for it.
std::string ExportBackgroundImage(ExportContext& context, const Object& page);

}  // namespace quillmere
