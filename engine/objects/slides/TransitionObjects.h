#pragma once
// The slide-show transition of a slide and its sound.

#include <memory>
#include <string>

#include "engine/core/EngineObject.h"
#include "engine/model/slides/TransitionReader.h"

namespace quillmere::engine {

class SoundEffectObject final : public EngineObject<SoundEffectObject> {
 public:
  static constexpr std::string_view kTypeName = "SoundEffect";
  static const MemberTable<SoundEffectObject>& Members();
  SoundEffectObject(std::shared_ptr<EngineSession> s, int t, std::string n = {})
      : EngineObject(std::move(s)), type(t), name(std::move(n)) {}
  int type;  // PpSoundEffectType
  std::string name;  // of the sound file played, "" for none
};

class SlideShowTransitionObject final : public EngineObject<SlideShowTransitionObject> {
 public:
  static constexpr std::string_view kTypeName = "SlideShowTransition";
  static const MemberTable<SlideShowTransitionObject>& Members();
  SlideShowTransitionObject(std::shared_ptr<EngineSession> s, SlideTransition t)
      : EngineObject(s), transition(t), sound(std::make_shared<SoundEffectObject>(s, t.soundEffect)) {}
  SlideTransition transition;
  std::shared_ptr<SoundEffectObject> sound;
};

}  // namespace quillmere::engine
