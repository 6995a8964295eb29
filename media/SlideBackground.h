#pragma once
// A page's background as a picture: a copy of the slide with nothing on it
// but its background, drawn as PNG.

#include <string>

#include "objectmodel/automation/Object.h"

namespace quillmere {

// Writes the background of slide as a PNG file to fileName. Reports nothing:
// the caller finds out whether the file exists.
void ExportSlideBackground(const Object& slide, const std::string& fileName);

}  // namespace quillmere
