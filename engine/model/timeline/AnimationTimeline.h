#pragma once
// The animation timeline of a slide, layout or master as plain facts, read
// once from its p:timing: the main sequence, the interactive sequences and
// their effects with their behaviours, and the p:bldP builds they belong to.
// Nothing here points into the part, so a part edited later cannot leave a
// timeline pointing at freed nodes.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "engine/model/format/ColorResolution.h"

namespace quillmere::engine {

// Times are in milliseconds; "indefinite" is kept apart from a number.
struct AnimTime {
  double ms = 0.0;
  bool indefinite = false;
};

// What a p:cTn says about when and how its node plays.
struct AnimTiming {
  std::optional<AnimTime> duration;     // dur
  AnimTime delay;                       // the first start condition's delay
  double speed = 1.0;                   // spd / 100000
  std::optional<AnimTime> repeatCount;  // repeatCount, in thousandths as written
  std::optional<AnimTime> repeatDuration;
  bool autoReverse = false;
  double accelerate = 0.0;  // fractions of the duration
  double decelerate = 0.0;
  std::string restart;  // always, whenNotActive, never, or "" when not given
  std::string fill;     // remove, freeze, hold, transition, or ""
  bool afterEffect = false;
};

// One child of an effect: p:anim, p:animMotion, p:set, p:cmd, ...
struct AnimBehavior {
  std::string element;  // local name
  AnimTiming timing;
  std::string attribute;  // the first p:attrName
  std::string path;       // p:animMotion path
  std::string pathEditMode;  // p:animMotion pathEditMode: relative or fixed
  std::optional<double> scaleByX, scaleByY;  // p:animScale by, in percent
  std::optional<double> rotateBy;            // p:animRot by, in degrees
  std::string from, to;  // p:anim from/to (else its first and last p:tav), p:set to
  std::optional<std::uint32_t> toColor;  // p:animClr or p:set to colour, R | G << 8 | B << 16
  std::string command;                   // p:cmd cmd
  bool hasSound = false;                 // p:audio with a sound target
  // The end of the behaviour within its effect: delay + duration.
  AnimTime End() const;
};

// A p:bldP (how a shape's text is built) or a p:bldGraphic (how a chart's
// or diagram's parts are).
struct AnimBuild {
  enum class Of { Text, Chart, Diagram };
  std::uint32_t shapeId = 0;
  std::uint32_t groupId = 0;
  Of of = Of::Text;
  // Text: whole, p, allAtOnce, cust; a:bldChart: allAtOnce, series, category,
  // seriesEl, categoryEl; a:bldDgm: allAtOnce, one, lvlOne, lvlAtOnce; ""
  // when not given or built as one object.
  std::string build;
  int level = 1;      // bldLvl
  bool animateBackground = false;
};

struct AnimEffectModel {
  std::string nodeType;     // clickEffect, withEffect, afterEffect or ""
  std::string presetClass;  // entr, exit, emph, path, mediacall, verb or ""
  int presetId = 0;
  int presetSubtype = 0;
  std::optional<std::uint32_t> groupId;  // grpId, which p:bldP it belongs to
  AnimTiming timing;
  std::optional<std::uint32_t> shapeId;  // the first p:spTgt
  std::optional<int> paragraph;          // 0-based p:txEl/p:pRg st
  std::string iterate;                   // p:iterate type (el, wd, lt) or "" without one
  std::vector<AnimBehavior> behaviors;
  int afterEffect = 0;  // MsoAnimAfterEffect
  std::optional<std::uint32_t> dimColor;
  // How long the effect plays: the latest end of its behaviours, else its own
  // duration; indefinite when any of them is.
  AnimTime Duration() const;
};

struct AnimSequenceModel {
  std::vector<AnimEffectModel> effects;
  std::optional<std::uint32_t> triggerShapeId;  // the onClick condition's p:spTgt
  bool bookmarkTrigger = false;                 // started by a media bookmark
};

// A p:audio or p:video beside the sequences: how a media shape plays.
struct AnimMediaNode {
  std::uint32_t shapeId = 0;
  bool narration = false;  // p:audio isNarration: a narration recorded in PowerPoint
  double volume = 0.5;     // vol / 100000, the schema's default one half
  bool mute = false;
};

struct AnimationTimeline {
  AnimSequenceModel mainSequence;  // empty when the part has none
  std::vector<AnimSequenceModel> interactiveSequences;
  std::vector<AnimBuild> builds;
  std::vector<AnimMediaNode> mediaNodes;
  // The build of an effect's shape and group, or nullptr.
  const AnimBuild* BuildOf(const AnimEffectModel& effect) const;
};

// Time nodes nest no deeper than this; deeper ones are not read.
inline constexpr int kMaxTimeNodeDepth = 64;

// The timeline of a part's root (p:sld, p:sldLayout, p:sldMaster); empty
// when it has no p:timing. colors resolves the scheme colours of dims and
// colour changes. Attributes that are missing or not numbers read as their
// defaults.
AnimationTimeline ReadAnimationTimeline(const pugi::xml_node& partRoot, const ColorContext& colors);

}  // namespace quillmere::engine
