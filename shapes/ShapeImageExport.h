#pragma once
// Images of shapes the host cannot draw from their properties, written into
// the output folder under random names, with the PNG/EMF fallbacks PowerPoint
// needs for shapes one of the two formats cannot render.

#include <cstdint>
#include <string>
#include <string_view>

#include "objectmodel/automation/Object.h"

namespace quillmere {

struct ExportContext;

// Output folder + 8 random characters + extension (".png").
std::string NewImagePath(ExportContext& context, std::string_view extension);

// PNG at slideScale times the slide size.
void ExportPng(ExportContext& context, const Object& target, const std::string& path, float slideScale);
// PNG at the given multiple of the slide size; on an unspecified failure EMF
// to a new name. The last path attempted, even when that export failed.
std::string ExportPngOrEmf(ExportContext& context, const Object& target, float slideScale);
// EMF; on an unspecified failure PNG at 2.1 times the slide size to a new name.
std::string ExportEmfOrPng(ExportContext& context, const Object& target);
// EMF only; a failure is traced.
std::string ExportEmf(ExportContext& context, const Object& target);

// False only for the auto shape EMF cannot render (161).
bool CanExportAsEmf(const Object& shape);

// The shape together with an empty companion of its frame, so the image
// covers exactly the shape's frame even where its outline or effects reach
// beyond it. EMF when the shape allows it, otherwise PNG.
std::string ExportFormattedImage(ExportContext& context, const Object& shape);

// The slide-size multiple most images are exported at.
inline constexpr float kImageScale = 2.1f;

}  // namespace quillmere
