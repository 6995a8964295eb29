#include "engine/model/timeline/AnimationOrder.h"

#include <algorithm>
#include <unordered_set>

namespace quillmere::engine {

std::vector<std::uint32_t> AnimatedShapes(const AnimationTimeline& timeline) {
  std::vector<std::uint32_t> shapes;
  std::unordered_set<std::uint32_t> seen;
  auto addOnce = [&](std::uint32_t id) {
    if (seen.insert(id).second) shapes.push_back(id);
  };
  for (const AnimMediaNode& media : timeline.mediaNodes)
    if (media.narration && media.shapeId != 0) addOnce(media.shapeId);
  for (const AnimEffectModel& effect : timeline.mainSequence.effects)
    if (effect.shapeId) addOnce(*effect.shapeId);
  return shapes;
}

int AnimationOrderOf(const AnimationTimeline& timeline, std::uint32_t shapeId) {
  std::vector<std::uint32_t> shapes = AnimatedShapes(timeline);
  auto found = std::find(shapes.begin(), shapes.end(), shapeId);
  return found == shapes.end() ? 0 : static_cast<int>(found - shapes.begin()) + 1;
}

}  // namespace quillmere::engine
