#pragma once
// Shape.AnimationSettings: the per-shape view of the slide's timeline that
// PowerPoint keeps for programs older than its timeline model (AnimationOrder.h).

#include <memory>

#include "engine/core/EngineObject.h"
#include "engine/objects/shapes/ShapeObjects.h"

namespace quillmere::engine {

class AnimationSettingsObject final : public EngineObject<AnimationSettingsObject> {
 public:
  static constexpr std::string_view kTypeName = "AnimationSettings";
  static const MemberTable<AnimationSettingsObject>& Members();
  AnimationSettingsObject(std::shared_ptr<EngineSession> s, std::shared_ptr<ShapeObject> sh)
      : EngineObject(std::move(s)), shape(std::move(sh)) {}
  // The shape's place among the animated shapes of its part, 0 when it is not animated.
  int Order() const;
  std::shared_ptr<ShapeObject> shape;
};

}  // namespace quillmere::engine
