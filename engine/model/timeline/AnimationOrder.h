#pragma once
// The legacy per-shape view of a timeline (Shape.AnimationSettings): which
// shapes are animated and in what order, as PowerPoint numbers them for
// programs written before its timeline model.

#include <cstdint>
#include <vector>

#include "engine/model/timeline/AnimationTimeline.h"

namespace quillmere::engine {

// The ids of the animated shapes, first played first: a narration PowerPoint
// recorded (p:audio isNarration) plays as the slide starts, before the main
// sequence; then each shape at its first main-sequence effect.
std::vector<std::uint32_t> AnimatedShapes(const AnimationTimeline& timeline);

// The 1-based place of the shape among them, 0 when it is not animated.
int AnimationOrderOf(const AnimationTimeline& timeline, std::uint32_t shapeId);

}  // namespace quillmere::engine
