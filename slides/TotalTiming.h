#pragma once
// When each click, with-previous and after-previous effect of a timeline
// starts: PowerPoint keeps no such time, so it is worked out from the click
// times the older authoring tool left in tags, else from the effects' own
// triggers, delays and durations and the user's mouse-click delay.

#include <vector>

#include "objectmodel/automation/Object.h"

namespace quillmere {

// The start, in seconds, of each main-sequence effect whose trigger is none,
// page click, with previous or after previous, in sequence order. Nothing
// that fails to read stops it: what cannot be read counts as nothing.
std::vector<float> GetTotalTiming(const Object& owner);

}  // namespace quillmere
