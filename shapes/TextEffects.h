#pragma once
// Whether a shape's text uses effects the host cannot reproduce (WordArt,
// glow, 3-D, gradient letters, ...), in which case the shape is exported as a
// picture.

#include <cstdint>

#include "objectmodel/automation/Object.h"

namespace quillmere {

bool ShapeHasTextEffects(const Object& shape, std::int16_t majorVersion);
// Run runIndex (1-based) of the shape's text; always false before version 12.
bool HasTextFx(const Object& shape, std::int32_t runIndex, std::int16_t majorVersion);
// An equation: the text PowerPoint 2010 shows differs from the plain text.
bool HasEquationText(const Object& shape, std::int16_t majorVersion);

}  // namespace quillmere
