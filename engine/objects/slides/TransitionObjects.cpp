#include "engine/objects/slides/TransitionObjects.h"

namespace quillmere::engine {

const MemberTable<SoundEffectObject>& SoundEffectObject::Members() {
  static const MemberTable<SoundEffectObject> table{
      {.name = "Type", .get = [](SoundEffectObject& o, Args) { return Value(o.type); }},
      {.name = "Name", .get = [](SoundEffectObject& o, Args) { return Value(o.name); }},
  };
  return table;
}

const MemberTable<SlideShowTransitionObject>& SlideShowTransitionObject::Members() {
  using T = SlideShowTransitionObject;
  static const MemberTable<T> table{
      {.name = "AdvanceOnClick", .get = [](T& o, Args) { return MsoBool(o.transition.advanceOnClick); }},
      {.name = "AdvanceOnTime",
       .get = [](T& o, Args) { return MsoBool(o.transition.advanceAfterMs.has_value()); }},
      {.name = "AdvanceTime",
       .get = [](T& o, Args) { return Value(static_cast<float>(o.transition.advanceAfterMs.value_or(0)) / 1000.0f); }},
      {.name = "EntryEffect", .get = [](T& o, Args) { return Value(o.transition.entryEffect); }},
      {.name = "Hidden", .get = [](T& o, Args) { return MsoBool(o.transition.hidden); }},
      {.name = "SoundEffect", .get = [](T& o, Args) { return Value(o.sound); }},
      {.name = "Speed", .get = [](T& o, Args) { return Value(o.transition.speed); }},
      {.name = "Duration", .sinceVersion = 14, .get = [](T& o, Args) { return Value(o.transition.DurationSeconds()); }},
  };
  return table;
}

}  // namespace quillmere::engine
