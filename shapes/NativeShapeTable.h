#pragma once
// The auto shapes the host draws itself from their properties; every other
// auto shape is exported as an image.

#include <cstdint>

namespace quillmere {

// True for an AutoShapeType the host draws natively; false outside 0..200.
bool IsNativeAutoShape(std::int32_t autoShapeType);

}  // namespace quillmere
