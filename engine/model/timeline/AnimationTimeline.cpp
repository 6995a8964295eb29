#include "engine/model/timeline/AnimationTimeline.h"

#include <algorithm>
#include <charconv>

#include "engine/model/document/XmlNames.h"
#include "engine/model/timeline/AnimationEnums.h"

namespace quillmere::engine {
namespace {

constexpr double kPercentUnit = 100000.0;   // ST_PositiveFixedPercentage and spd
constexpr double kScaleUnit = 1000.0;       // animScale by: thousandths of a percent
constexpr double kAngleUnit = 60000.0;      // animRot by: 60000ths of a degree

std::optional<double> Number(std::string_view text) {
  double value = 0.0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

double NumberOr(const pugi::xml_attribute& a, double fallback) {
  return a ? Number(a.value()).value_or(fallback) : fallback;
}

std::optional<std::uint32_t> Id(const pugi::xml_attribute& a) {
  std::optional<double> n = a ? Number(a.value()) : std::nullopt;
  if (!n || *n < 0 || *n > 4294967295.0) return std::nullopt;
  return static_cast<std::uint32_t>(*n);
}

// A time attribute: "indefinite", else a number; absent or unreadable: nullopt.
std::optional<AnimTime> TimeOf(const pugi::xml_attribute& a) {
  if (!a) return std::nullopt;
  if (std::string_view(a.value()) == "indefinite") return AnimTime{0.0, true};
  std::optional<double> n = Number(a.value());
  if (!n) return std::nullopt;
  return AnimTime{*n, false};
}

bool IsTimeContainer(std::string_view name) { return name == "par" || name == "seq" || name == "excl"; }

bool IsEffectNode(const pugi::xml_node& cTn) {
  std::string_view type = cTn.attribute("nodeType").value();
  return cTn.attribute("presetClass") || type == "clickEffect" || type == "withEffect" || type == "afterEffect";
}

AnimTiming ReadTiming(const pugi::xml_node& cTn) {
  AnimTiming t;
  t.duration = TimeOf(cTn.attribute("dur"));
  pugi::xml_node cond = ChildNamed(ChildNamed(cTn, "stCondLst"), "cond");
  // A node waiting for a click ("indefinite") starts with no delay of its own.
  if (std::optional<AnimTime> delay = TimeOf(cond.attribute("delay")); delay && !delay->indefinite) t.delay = *delay;
  t.speed = NumberOr(cTn.attribute("spd"), kPercentUnit) / kPercentUnit;
  t.repeatCount = TimeOf(cTn.attribute("repeatCount"));
  t.repeatDuration = TimeOf(cTn.attribute("repeatDur"));
  t.autoReverse = cTn.attribute("autoRev").as_bool();
  t.accelerate = std::clamp(NumberOr(cTn.attribute("accel"), 0.0) / kPercentUnit, 0.0, 1.0);
  t.decelerate = std::clamp(NumberOr(cTn.attribute("decel"), 0.0) / kPercentUnit, 0.0, 1.0);
  t.restart = cTn.attribute("restart").value();
  t.fill = cTn.attribute("fill").value();
  t.afterEffect = cTn.attribute("afterEffect").as_bool();
  return t;
}

// The value of a p:val, p:to or p:from holder: strVal, fltVal, intVal or boolVal.
std::string ValueText(const pugi::xml_node& holder) {
  for (pugi::xml_node v = holder.first_child(); v; v = v.next_sibling()) {
    std::string_view name = LocalName(v);
    if (name == "strVal" || name == "fltVal" || name == "intVal" || name == "boolVal") return v.attribute("val").value();
  }
  return {};
}

std::optional<std::uint32_t> ColorIn(const pugi::xml_node& holder, const ColorContext& colors) {
  pugi::xml_node color = ColorChildOf(holder);
  if (!color) color = ColorChildOf(ChildNamed(holder, "clrVal"));
  ResolvedColor resolved = ResolveColor(color, colors);
  if (!resolved.present) return std::nullopt;
  return resolved.rgb;
}

AnimBehavior ReadBehavior(const pugi::xml_node& element, const ColorContext& colors) {
  AnimBehavior b;
  b.element = LocalName(element);
  pugi::xml_node common = ChildNamed(element, "cBhvr");
  if (!common) common = ChildNamed(element, "cMediaNode");
  b.timing = ReadTiming(ChildNamed(common, "cTn"));
  b.attribute = ChildNamed(ChildNamed(common, "attrNameLst"), "attrName").text().get();
  if (b.element == "animMotion") {
    b.path = element.attribute("path").value();
    b.pathEditMode = element.attribute("pathEditMode").value();
  } else if (b.element == "animScale") {
    pugi::xml_node by = ChildNamed(element, "by");
    if (by) {
      b.scaleByX = NumberOr(by.attribute("x"), 0.0) / kScaleUnit;
      b.scaleByY = NumberOr(by.attribute("y"), 0.0) / kScaleUnit;
    }
  } else if (b.element == "animRot") {
    if (pugi::xml_attribute by = element.attribute("by")) b.rotateBy = NumberOr(by, 0.0) / kAngleUnit;
  } else if (b.element == "anim") {
    b.from = element.attribute("from").value();
    b.to = element.attribute("to").value();
    pugi::xml_node list = ChildNamed(element, "tavLst");
    pugi::xml_node first = ChildNamed(list, "tav");
    pugi::xml_node last = list.last_child();
    if (b.from.empty() && first) b.from = ValueText(ChildNamed(first, "val"));
    if (b.to.empty() && last) b.to = ValueText(ChildNamed(last, "val"));
  } else if (b.element == "set") {
    pugi::xml_node to = ChildNamed(element, "to");
    b.to = ValueText(to);
    b.toColor = ColorIn(to, colors);
  } else if (b.element == "animClr") {
    b.toColor = ColorIn(ChildNamed(element, "to"), colors);
  } else if (b.element == "cmd") {
    b.command = element.attribute("cmd").value();
  } else if (b.element == "audio") {
    b.hasSound = static_cast<bool>(ChildNamed(ChildNamed(common, "tgtEl"), "sndTgt"));
  }
  return b;
}

pugi::xml_node TargetOf(const pugi::xml_node& behavior) {
  pugi::xml_node common = ChildNamed(behavior, "cBhvr");
  if (!common) common = ChildNamed(behavior, "cMediaNode");
  return ChildNamed(ChildNamed(common, "tgtEl"), "spTgt");
}

bool IsBehaviorElement(std::string_view name) {
  return AnimTypeOf(name) != 0 || name == "audio" || name == "video";
}

// The behaviours below an effect's p:cTn, nested containers flattened.
void CollectBehaviors(const pugi::xml_node& childTnLst, int depth, AnimEffectModel& effect, const ColorContext& colors) {
  for (pugi::xml_node c = childTnLst.first_child(); c; c = c.next_sibling()) {
    if (c.type() != pugi::node_element) continue;
    std::string_view name = LocalName(c);
    if (IsTimeContainer(name)) {
      if (depth < kMaxTimeNodeDepth)
        CollectBehaviors(ChildNamed(ChildNamed(c, "cTn"), "childTnLst"), depth + 1, effect, colors);
      continue;
    }
    if (!IsBehaviorElement(name)) continue;
    if (pugi::xml_node target = TargetOf(c); target && !effect.shapeId) {
      effect.shapeId = Id(target.attribute("spid"));
      if (pugi::xml_node range = ChildNamed(ChildNamed(target, "txEl"), "pRg"))
        effect.paragraph = static_cast<int>(std::clamp(NumberOr(range.attribute("st"), 0.0), 0.0, 1e6));
    }
    AnimBehavior b = ReadBehavior(c, colors);
    // What is left after the effect (a dim, a hide) is the effect's
    // information, not one of its behaviours.
    if (b.timing.afterEffect) {
      if (b.attribute == "style.visibility" && b.to == "hidden") {
        effect.afterEffect = kAfterEffectHide;
      } else if (b.toColor) {
        effect.afterEffect = kAfterEffectDim;
        effect.dimColor = b.toColor;
      }
      continue;
    }
    effect.behaviors.push_back(std::move(b));
  }
}

AnimEffectModel ReadEffect(const pugi::xml_node& cTn, int depth, const ColorContext& colors) {
  AnimEffectModel e;
  e.nodeType = cTn.attribute("nodeType").value();
  e.presetClass = cTn.attribute("presetClass").value();
  e.presetId = static_cast<int>(std::clamp(NumberOr(cTn.attribute("presetID"), 0.0), -1e6, 1e6));
  e.presetSubtype = static_cast<int>(std::clamp(NumberOr(cTn.attribute("presetSubtype"), 0.0), -1e6, 1e6));
  e.groupId = Id(cTn.attribute("grpId"));
  e.timing = ReadTiming(cTn);
  if (pugi::xml_node iterate = ChildNamed(cTn, "iterate")) {
    pugi::xml_attribute type = iterate.attribute("type");
    e.iterate = type ? type.value() : "el";
  }
  CollectBehaviors(ChildNamed(cTn, "childTnLst"), depth + 1, e, colors);
  return e;
}

// An after-effect node of its own (a hide on the next click, a dim written
// apart) belongs to the last effect before it on the same shape.
void AttachAfterEffect(const AnimEffectModel& node, std::vector<AnimEffectModel>& effects) {
  bool hides = node.afterEffect == kAfterEffectHide ||
               std::any_of(node.behaviors.begin(), node.behaviors.end(), [](const AnimBehavior& b) {
                 return b.attribute == "style.visibility" && b.to == "hidden";
               });
  std::optional<std::uint32_t> dim = node.dimColor;
  for (const AnimBehavior& b : node.behaviors)
    if (!dim && b.toColor) dim = b.toColor;
  for (auto it = effects.rbegin(); it != effects.rend(); ++it) {
    if (it->shapeId != node.shapeId) continue;
    if (hides) {
      it->afterEffect = kAfterEffectHideOnNextClick;
    } else if (dim) {
      it->afterEffect = kAfterEffectDim;
      it->dimColor = dim;
    }
    return;
  }
}

void CollectEffects(const pugi::xml_node& childTnLst, int depth, std::vector<AnimEffectModel>& effects,
                    const ColorContext& colors) {
  for (pugi::xml_node c = childTnLst.first_child(); c; c = c.next_sibling()) {
    if (c.type() != pugi::node_element || !IsTimeContainer(LocalName(c))) continue;
    pugi::xml_node cTn = ChildNamed(c, "cTn");
    if (IsEffectNode(cTn)) {
      AnimEffectModel effect = ReadEffect(cTn, depth, colors);
      if (effect.timing.afterEffect) {
        AttachAfterEffect(effect, effects);
        continue;
      }
      effects.push_back(std::move(effect));
    } else if (depth < kMaxTimeNodeDepth) {
      CollectEffects(ChildNamed(cTn, "childTnLst"), depth + 1, effects, colors);
    }
  }
}

AnimSequenceModel ReadSequence(const pugi::xml_node& cTn, int depth, const ColorContext& colors) {
  AnimSequenceModel s;
  ForEachChildNamed(ChildNamed(cTn, "stCondLst"), "cond", [&](const pugi::xml_node& cond) {
    std::string_view event = cond.attribute("evt").value();
    if (event != "onClick" && event != "onMediaBookmark") return;
    if (s.triggerShapeId) return;
    s.triggerShapeId = Id(ChildNamed(ChildNamed(cond, "tgtEl"), "spTgt").attribute("spid"));
    s.bookmarkTrigger = event == "onMediaBookmark";
  });
  CollectEffects(ChildNamed(cTn, "childTnLst"), depth + 1, s.effects, colors);
  return s;
}

AnimMediaNode ReadMediaNode(const pugi::xml_node& element) {
  AnimMediaNode m;
  pugi::xml_node node = ChildNamed(element, "cMediaNode");
  m.shapeId = Id(ChildNamed(ChildNamed(node, "tgtEl"), "spTgt").attribute("spid")).value_or(0);
  m.narration = element.attribute("isNarration").as_bool();
  m.volume = std::clamp(NumberOr(node.attribute("vol"), m.volume * kPercentUnit) / kPercentUnit, 0.0, 1.0);
  m.mute = node.attribute("mute").as_bool();
  return m;
}

void CollectSequences(const pugi::xml_node& list, int depth, AnimationTimeline& timeline, bool& haveMain,
                      const ColorContext& colors) {
  for (pugi::xml_node c = list.first_child(); c; c = c.next_sibling()) {
    if (c.type() != pugi::node_element) continue;
    if (LocalName(c) == "audio" || LocalName(c) == "video") {
      timeline.mediaNodes.push_back(ReadMediaNode(c));
      continue;
    }
    if (!IsTimeContainer(LocalName(c))) continue;
    pugi::xml_node cTn = ChildNamed(c, "cTn");
    std::string_view type = cTn.attribute("nodeType").value();
    if (type == "mainSeq") {
      // PowerPoint keeps one main sequence; a second is not read.
      if (!haveMain) timeline.mainSequence = ReadSequence(cTn, depth, colors);
      haveMain = true;
    } else if (type == "interactiveSeq") {
      timeline.interactiveSequences.push_back(ReadSequence(cTn, depth, colors));
    } else if (depth < kMaxTimeNodeDepth) {
      CollectSequences(ChildNamed(cTn, "childTnLst"), depth + 1, timeline, haveMain, colors);
    }
  }
}

// One entry of p:bldLst: text (p:bldP), a chart or diagram (p:bldGraphic
// with a:bldChart or a:bldDgm, or built as one object), or an embedded
// chart (p:bldOleChart); nothing for what builds no shape's parts.
std::optional<AnimBuild> ReadBuild(const pugi::xml_node& e) {
  AnimBuild b;
  b.shapeId = Id(e.attribute("spid")).value_or(0);
  b.groupId = Id(e.attribute("grpId")).value_or(0);
  std::string_view name = LocalName(e);
  if (name == "bldP") {
    b.build = e.attribute("build").value();
    b.level = static_cast<int>(std::clamp(NumberOr(e.attribute("bldLvl"), 1.0), 0.0, 9.0));
    b.animateBackground = e.attribute("animBg").as_bool();
    return b;
  }
  pugi::xml_node how = e;
  if (name == "bldGraphic") {
    pugi::xml_node sub = ChildNamed(e, "bldSub");
    how = ChildNamed(sub, "bldChart");
    if (pugi::xml_node diagram = ChildNamed(sub, "bldDgm")) {
      b.of = AnimBuild::Of::Diagram;
      b.build = diagram.attribute("bld").value();
      return b;
    }
  } else if (name != "bldOleChart") {
    return std::nullopt;
  }
  b.of = AnimBuild::Of::Chart;
  b.build = how.attribute("bld").value();
  b.animateBackground = how && how.attribute("animBg").as_bool(true);
  return b;
}

}  // namespace

AnimTime AnimBehavior::End() const {
  AnimTime end = timing.duration.value_or(AnimTime{});
  if (end.indefinite || timing.delay.indefinite) return AnimTime{0.0, true};
  return AnimTime{timing.delay.ms + end.ms, false};
}

AnimTime AnimEffectModel::Duration() const {
  if (behaviors.empty()) return timing.duration.value_or(AnimTime{});
  AnimTime longest;
  for (const AnimBehavior& b : behaviors) {
    AnimTime end = b.End();
    if (end.indefinite) return end;
    longest.ms = std::max(longest.ms, end.ms);
  }
  return longest;
}

const AnimBuild* AnimationTimeline::BuildOf(const AnimEffectModel& effect) const {
  if (!effect.shapeId) return nullptr;
  for (const AnimBuild& b : builds)
    if (b.shapeId == *effect.shapeId && (!effect.groupId || b.groupId == *effect.groupId)) return &b;
  return nullptr;
}

AnimationTimeline ReadAnimationTimeline(const pugi::xml_node& partRoot, const ColorContext& colors) {
  AnimationTimeline timeline;
  pugi::xml_node timing = ChildNamed(partRoot, "timing");
  if (!timing) return timeline;
  bool haveMain = false;
  CollectSequences(ChildNamed(timing, "tnLst"), 0, timeline, haveMain, colors);
  for (pugi::xml_node e = ChildNamed(timing, "bldLst").first_child(); e; e = e.next_sibling())
    if (std::optional<AnimBuild> b = ReadBuild(e)) timeline.builds.push_back(std::move(*b));
  return timeline;
}

}  // namespace quillmere::engine
