#pragma once
// The slide-show transition of a slide as SlideShowTransition answers it,
// read from p:transition, or from the branch of an mc:AlternateContent around
// it that PowerPoint would take.

#include <optional>

#include <pugixml.hpp>

#include "engine/model/slides/TransitionEffect.h"

namespace quillmere::engine {

// PpTransitionSpeed
inline constexpr int kSpeedSlow = 1;
inline constexpr int kSpeedMedium = 2;
inline constexpr int kSpeedFast = 3;
// PpSoundEffectType
inline constexpr int kSoundNone = 0;
inline constexpr int kSoundStopPrevious = 1;
inline constexpr int kSoundFile = 2;

struct SlideTransition {
  int entryEffect = kEffectNone;      // PpEntryEffect
  int speed = kSpeedFast;             // PpTransitionSpeed
  std::optional<int> durationMs;      // p14:dur
  bool advanceOnClick = true;
  std::optional<int> advanceAfterMs;  // advTm
  int soundEffect = kSoundNone;       // PpSoundEffectType
  bool hidden = false;                // p:sld show="0"

  // p14:dur when given, else the duration the speed stands for.
  float DurationSeconds() const;
};

// The transition of a p:sld root; a slide without one has the defaults.
// Of an mc:AlternateContent the first mc:Choice whose required namespaces
// are all known here (2010, 2012 and 2015 PowerPoint) is taken, else the
// mc:Fallback; an effect unknown in the branch taken is the fallback's effect.
SlideTransition ReadSlideTransition(const pugi::xml_node& sld);

}  // namespace quillmere::engine
