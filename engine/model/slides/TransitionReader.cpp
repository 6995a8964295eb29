#include "engine/model/slides/TransitionReader.h"

#include <algorithm>
#include <array>
#include <sstream>
#include <string>
#include <string_view>

#include "engine/model/document/XmlNames.h"

namespace quillmere::engine {
namespace {

constexpr std::array<std::string_view, 3> kKnownNamespaces = {
    "http://schemas.microsoft.com/office/powerpoint/2010/main",
    "http://schemas.microsoft.com/office/powerpoint/2012/main",
    "http://schemas.microsoft.com/office/powerpoint/2015/09/main",
};

bool RequirementsKnown(const pugi::xml_node& choice) {
  std::istringstream prefixes(choice.attribute("Requires").value());
  std::string prefix;
  bool any = false;
  while (prefixes >> prefix) {
    any = true;
    std::string_view uri = NamespaceOfPrefix(choice, prefix);
    if (std::find(kKnownNamespaces.begin(), kKnownNamespaces.end(), uri) == kKnownNamespaces.end()) return false;
  }
  return any;
}

struct TransitionBranches {
  pugi::xml_node taken;
  pugi::xml_node fallback;  // the mc:Fallback's transition, when there is one
};

TransitionBranches FindTransition(const pugi::xml_node& sld) {
  for (pugi::xml_node c = sld.first_child(); c; c = c.next_sibling()) {
    std::string_view name = LocalName(c);
    if (name == "transition") return {c, {}};
    if (name != "AlternateContent") continue;
    pugi::xml_node fallback = ChildNamed(ChildNamed(c, "Fallback"), "transition");
    pugi::xml_node choice;
    bool holdsTransition = static_cast<bool>(fallback);
    ForEachChildNamed(c, "Choice", [&](const pugi::xml_node& ch) {
      pugi::xml_node transition = ChildNamed(ch, "transition");
      holdsTransition = holdsTransition || transition;
      if (!choice && transition && RequirementsKnown(ch)) choice = transition;
    });
    if (holdsTransition) return {choice ? choice : fallback, fallback};
  }
  return {};
}

// The effect element: the child that is neither the sound nor an extension list.
pugi::xml_node EffectElementOf(const pugi::xml_node& transition) {
  for (pugi::xml_node c = transition.first_child(); c; c = c.next_sibling()) {
    if (c.type() != pugi::node_element) continue;
    std::string_view name = LocalName(c);
    if (name != "sndAc" && name != "extLst") return c;
  }
  return {};
}

int EntryEffect(const TransitionBranches& branches) {
  pugi::xml_node effect = EffectElementOf(branches.taken);
  if (!effect) return kEffectNone;
  if (std::optional<int> known = EntryEffectOf(effect)) return *known;
  if (branches.fallback && branches.fallback != branches.taken)
    if (std::optional<int> known = EntryEffectOf(EffectElementOf(branches.fallback))) return *known;
  return kEffectNone;
}

int SpeedOf(std::string_view spd) {
  if (spd == "slow") return kSpeedSlow;
  if (spd == "med") return kSpeedMedium;
  return kSpeedFast;
}

int SoundOf(const pugi::xml_node& transition) {
  pugi::xml_node sound = ChildNamed(transition, "sndAc");
  if (ChildNamed(sound, "stSnd")) return kSoundFile;
  if (ChildNamed(sound, "endSnd")) return kSoundStopPrevious;
  return kSoundNone;
}

}  // namespace

float SlideTransition::DurationSeconds() const {
  if (durationMs) return static_cast<float>(*durationMs) / 1000.0f;
  switch (speed) {
    case kSpeedSlow:
      return 1.0f;
    case kSpeedMedium:
      return 0.75f;
    default:
      return 0.5f;
  }
}

SlideTransition ReadSlideTransition(const pugi::xml_node& sld) {
  SlideTransition t;
  pugi::xml_attribute show = sld.attribute("show");
  t.hidden = show && !show.as_bool(true);
  TransitionBranches branches = FindTransition(sld);
  if (!branches.taken) return t;
  const pugi::xml_node& e = branches.taken;
  t.entryEffect = EntryEffect(branches);
  t.speed = SpeedOf(e.attribute("spd").value());
  if (pugi::xml_attribute dur = PrefixedAttribute(e, "dur")) t.durationMs = dur.as_int();
  t.advanceOnClick = e.attribute("advClick").as_bool(true);
  if (pugi::xml_attribute advTm = e.attribute("advTm")) t.advanceAfterMs = advTm.as_int();
  t.soundEffect = SoundOf(e);
  return t;
}

}  // namespace quillmere::engine
