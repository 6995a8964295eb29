#pragma once
// The running PowerPoint's major version (10 = 2002, 11 = 2003, 12 = 2007,
// 14 = 2010), which picks the older or newer branch of most writers.

#include <cstdint>

#include "objectmodel/automation/Object.h"

namespace quillmere {

std::int16_t MajorVersionOf(const Object& application);

}  // namespace quillmere
