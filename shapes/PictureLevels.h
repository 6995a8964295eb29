#pragma once
// PowerPoint's picture brightness and contrast (0..1, 0.5 neutral) as the
// host's -100..100.

#include <string>

#include "objectmodel/xml/XmlHelpers.h"

namespace quillmere {

inline std::string PictureLevelText(float value) { return RoundedText((value - 0.5) / 0.5 * 100); }

}  // namespace quillmere
