#pragma once
// What an animation effect says beyond its timing: EffectInformation (what
// is left after it, how its text is built), EffectParameters (direction,
// amounts, colours) and its Behaviors with the motion, scale, set, rotation
// and property effect of each behaviour.

#include <cstdint>
#include <memory>

#include "engine/core/EngineObject.h"
#include "engine/objects/timeline/TimelineObjects.h"

namespace quillmere::engine {

// A colour an effect names (the dim colour, Color2), as a ColorFormat with RGB.
class AnimationColorObject final : public EngineObject<AnimationColorObject> {
 public:
  static constexpr std::string_view kTypeName = "ColorFormat";
  static const MemberTable<AnimationColorObject>& Members();
  AnimationColorObject(std::shared_ptr<EngineSession> s, std::uint32_t c) : EngineObject(std::move(s)), rgb(c) {}
  std::uint32_t rgb;  // R | G << 8 | B << 16
};

class EffectInformationObject final : public EngineObject<EffectInformationObject> {
 public:
  static constexpr std::string_view kTypeName = "EffectInformation";
  static const MemberTable<EffectInformationObject>& Members();
  EffectInformationObject(std::shared_ptr<EngineSession> s, std::shared_ptr<const EffectObject> e)
      : EngineObject(std::move(s)), effect(std::move(e)) {}
  std::shared_ptr<const EffectObject> effect;
};

class EffectParametersObject final : public EngineObject<EffectParametersObject> {
 public:
  static constexpr std::string_view kTypeName = "EffectParameters";
  static const MemberTable<EffectParametersObject>& Members();
  EffectParametersObject(std::shared_ptr<EngineSession> s, std::shared_ptr<const EffectObject> e)
      : EngineObject(std::move(s)), effect(std::move(e)) {}
  std::shared_ptr<const EffectObject> effect;
};

class AnimationBehaviorsObject final : public EngineObject<AnimationBehaviorsObject> {
 public:
  static constexpr std::string_view kTypeName = "AnimationBehaviors";
  static const MemberTable<AnimationBehaviorsObject>& Members();
  AnimationBehaviorsObject(std::shared_ptr<EngineSession> s, std::shared_ptr<const EffectObject> e)
      : EngineObject(std::move(s)), effect(std::move(e)) {}
  std::shared_ptr<const EffectObject> effect;
};

class AnimationBehaviorObject final : public EngineObject<AnimationBehaviorObject> {
 public:
  static constexpr std::string_view kTypeName = "AnimationBehavior";
  static const MemberTable<AnimationBehaviorObject>& Members();
  AnimationBehaviorObject(std::shared_ptr<EngineSession> s, std::shared_ptr<const EffectObject> e, int i)
      : EngineObject(std::move(s)), effect(std::move(e)), behavior(effect->model.behaviors[i]) {}
  std::shared_ptr<const EffectObject> effect;  // keeps the timeline the behaviour is in
  const AnimBehavior& behavior;
};

// MotionEffect, ScaleEffect, SetEffect, RotationEffect and PropertyEffect of
// a behaviour: one class each, as each is its own type in PowerPoint.
template <int Kind>
class BehaviorEffectObject final : public EngineObject<BehaviorEffectObject<Kind>> {
 public:
  static const std::string_view kTypeName;
  static const MemberTable<BehaviorEffectObject>& Members();
  BehaviorEffectObject(std::shared_ptr<EngineSession> s, std::shared_ptr<const AnimationBehaviorObject> b)
      : EngineObject<BehaviorEffectObject<Kind>>(std::move(s)), owner(std::move(b)) {}
  const AnimBehavior& Behavior() const { return owner->behavior; }
  std::shared_ptr<const AnimationBehaviorObject> owner;
};

}  // namespace quillmere::engine
