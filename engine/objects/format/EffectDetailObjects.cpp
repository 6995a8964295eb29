#include "engine/objects/format/EffectDetailObjects.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>

#include "engine/model/slides/TransitionReader.h"
#include "engine/model/timeline/AnimationEnums.h"
#include "engine/objects/slides/TransitionObjects.h"

namespace quillmere::engine {
namespace {

constexpr int kMotion = 0;
constexpr int kScale = 1;
constexpr int kSet = 2;
constexpr int kRotation = 3;
constexpr int kProperty = 4;

constexpr int kColorTypeRgb = 1;           // msoColorTypeRGB
constexpr int kDirectionClockwise = 21;    // msoAnimDirectionClockwise
constexpr int kDirectionCounterclockwise = 22;
constexpr int kAnimEffectSpin = 61;

// A value PowerPoint gives as a Variant: a number when the text is one, else
// the text; nothing for no text.
Value VariantOf(const std::string& text) {
  if (text.empty()) return {};
  double number = 0.0;
  auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (ec == std::errc() && ptr == text.data() + text.size()) return Value(static_cast<float>(number));
  return Value(text);
}

const AnimBehavior* FirstBehavior(const AnimEffectModel& e, std::string_view element) {
  for (const AnimBehavior& b : e.behaviors)
    if (b.element == element) return &b;
  return nullptr;
}

// A chart's or diagram's build by its a:bldChart or a:bldDgm bld; one built
// as a single object is not built by level.
int GraphicByLevelOf(const AnimBuild& build) {
  static const std::map<std::string, int, std::less<>> kChart{{"allAtOnce", kAnimateChartAllAtOnce},
                                                              {"category", kAnimateChartByCategory},
                                                              {"categoryEl", kAnimateChartByCategoryElements},
                                                              {"series", kAnimateChartBySeries},
                                                              {"seriesEl", kAnimateChartBySeriesElements}};
  // One by one walks each branch down; by level goes across the levels.
  static const std::map<std::string, int, std::less<>> kDiagram{{"allAtOnce", kAnimateDiagramAllAtOnce},
                                                                {"one", kAnimateDiagramDepthByNode},
                                                                {"lvlOne", kAnimateDiagramBreadthByNode},
                                                                {"lvlAtOnce", kAnimateDiagramBreadthByLevel}};
  const auto& builds = build.of == AnimBuild::Of::Chart ? kChart : kDiagram;
  auto it = builds.find(build.build);
  return it == builds.end() ? kAnimateLevelNone : it->second;
}

// BuildByLevelEffect: paragraphs built up to their bldLvl, all at once, or not by level.
int ByLevelOf(const AnimBuild* build) {
  if (!build) return kAnimateLevelNone;
  if (build->of != AnimBuild::Of::Text) return GraphicByLevelOf(*build);
  if (build->build == "p")
    return std::clamp(kAnimateTextByFirstLevel + build->level - 1, kAnimateTextByFirstLevel, kAnimateTextByFifthLevel);
  if (build->build == "allAtOnce") return kAnimateTextByAllLevels;
  return kAnimateLevelNone;
}

int TextUnitOf(std::string_view iterate) {
  if (iterate == "lt") return kTextUnitByCharacter;
  if (iterate == "wd") return kTextUnitByWord;
  return kTextUnitByParagraph;
}

// Direction: an entrance or exit effect's subtype read through the table; a
// spin turns the way its rotation goes; other effects have none.
int DirectionOf(const EffectObject& e) {
  const AnimEffectModel& m = e.model;
  if (m.presetClass == "entr" || m.presetClass == "exit") return AnimDirectionOf(e.EffectType(), m.presetSubtype);
  if (e.EffectType() == kAnimEffectSpin)
    if (const AnimBehavior* rot = FirstBehavior(m, "animRot"); rot && rot->rotateBy)
      return *rot->rotateBy < 0 ? kDirectionCounterclockwise : kDirectionClockwise;
  return kDirectionNone;
}

[[noreturn]] void ThrowWrongBehavior(std::string_view member, std::string_view kind) {
  throw ComError(hr::kUnspecified, std::string("AnimationBehavior.") + std::string(member) +
                                       " : This member can only be accessed for a " + std::string(kind) + " behavior.");
}

template <int Kind>
Value BehaviorEffect(AnimationBehaviorObject& o, std::string_view element, std::string_view member,
                     std::string_view kind) {
  if (o.behavior.element != element) ThrowWrongBehavior(member, kind);
  return Value(std::make_shared<BehaviorEffectObject<Kind>>(o.Session(), o.shared_from_this()));
}

}  // namespace

template <>
const std::string_view BehaviorEffectObject<kMotion>::kTypeName = "MotionEffect";
template <>
const std::string_view BehaviorEffectObject<kScale>::kTypeName = "ScaleEffect";
template <>
const std::string_view BehaviorEffectObject<kSet>::kTypeName = "SetEffect";
template <>
const std::string_view BehaviorEffectObject<kRotation>::kTypeName = "RotationEffect";
template <>
const std::string_view BehaviorEffectObject<kProperty>::kTypeName = "PropertyEffect";

// MotionEffect.Path: the path as written, in the VML path syntax PowerPoint answers it in.
template <>
const MemberTable<BehaviorEffectObject<kMotion>>& BehaviorEffectObject<kMotion>::Members() {
  using M = BehaviorEffectObject<kMotion>;
  static const MemberTable<M> table{
      {.name = "Path", .get = [](M& o, Args) { return Value(o.Behavior().path); }},
  };
  return table;
}

template <>
const MemberTable<BehaviorEffectObject<kScale>>& BehaviorEffectObject<kScale>::Members() {
  using S = BehaviorEffectObject<kScale>;
  static const MemberTable<S> table{
      {.name = "ByX", .get = [](S& o, Args) { return Value(static_cast<float>(o.Behavior().scaleByX.value_or(0.0))); }},
      {.name = "ByY", .get = [](S& o, Args) { return Value(static_cast<float>(o.Behavior().scaleByY.value_or(0.0))); }},
  };
  return table;
}

// SetEffect.To: a colour as its RGB, else the value as written.
template <>
const MemberTable<BehaviorEffectObject<kSet>>& BehaviorEffectObject<kSet>::Members() {
  using S = BehaviorEffectObject<kSet>;
  static const MemberTable<S> table{
      {.name = "Property", .get = [](S& o, Args) { return Value(AnimPropertyOf(o.Behavior().attribute)); }},
      {.name = "To",
       .get =
           [](S& o, Args) {
             const AnimBehavior& b = o.Behavior();
             return b.toColor ? Value(static_cast<int>(*b.toColor)) : VariantOf(b.to);
           }},
  };
  return table;
}

template <>
const MemberTable<BehaviorEffectObject<kRotation>>& BehaviorEffectObject<kRotation>::Members() {
  using R = BehaviorEffectObject<kRotation>;
  static const MemberTable<R> table{
      {.name = "By", .get = [](R& o, Args) { return Value(static_cast<float>(o.Behavior().rotateBy.value_or(0.0))); }},
  };
  return table;
}

template <>
const MemberTable<BehaviorEffectObject<kProperty>>& BehaviorEffectObject<kProperty>::Members() {
  using P = BehaviorEffectObject<kProperty>;
  static const MemberTable<P> table{
      {.name = "Property", .get = [](P& o, Args) { return Value(AnimPropertyOf(o.Behavior().attribute)); }},
      {.name = "From", .get = [](P& o, Args) { return VariantOf(o.Behavior().from); }},
      {.name = "To", .get = [](P& o, Args) { return VariantOf(o.Behavior().to); }},
  };
  return table;
}

const MemberTable<AnimationColorObject>& AnimationColorObject::Members() {
  static const MemberTable<AnimationColorObject> table{
      {.name = "RGB", .get = [](AnimationColorObject& o, Args) { return Value(static_cast<int>(o.rgb)); }},
      {.name = "Type", .get = [](AnimationColorObject&, Args) { return Value(kColorTypeRgb); }},
  };
  return table;
}

const MemberTable<EffectInformationObject>& EffectInformationObject::Members() {
  using I = EffectInformationObject;
  static const MemberTable<I> table{
      {.name = "AfterEffect", .get = [](I& o, Args) { return Value(o.effect->model.afterEffect); }},
      {.name = "Dim",
       .get =
           [](I& o, Args) {
             return Value(std::make_shared<AnimationColorObject>(o.Session(), o.effect->model.dimColor.value_or(0)));
           }},
      {.name = "AnimateBackground",
       .get =
           [](I& o, Args) {
             const AnimBuild* build = o.effect->Source().timeline->BuildOf(o.effect->model);
             return MsoBool(build && build->animateBackground);
           }},
      {.name = "BuildByLevelEffect",
       .get = [](I& o, Args) { return Value(ByLevelOf(o.effect->Source().timeline->BuildOf(o.effect->model))); }},
      {.name = "TextUnitEffect", .get = [](I& o, Args) { return Value(TextUnitOf(o.effect->model.iterate)); }},
      // A media effect that starts playing the clip.
      {.name = "PlayOnEntry",
       .get =
           [](I& o, Args) {
             for (const AnimBehavior& b : o.effect->model.behaviors)
               if (b.element == "cmd" && (b.command == "play" || b.command.starts_with("playFrom"))) return MsoBool(true);
             return MsoBool(false);
           }},
      {.name = "SoundEffect",
       .get =
           [](I& o, Args) {
             bool sound = false;
             for (const AnimBehavior& b : o.effect->model.behaviors) sound = sound || b.hasSound;
             return Value(std::make_shared<SoundEffectObject>(o.Session(), sound ? kSoundFile : kSoundNone));
           }},
  };
  return table;
}

const MemberTable<EffectParametersObject>& EffectParametersObject::Members() {
  using P = EffectParametersObject;
  static const MemberTable<P> table{
      {.name = "Direction", .get = [](P& o, Args) { return Value(DirectionOf(*o.effect)); }},
      // The turn of a rotation, in degrees; 0 for effects that turn nothing.
      {.name = "Amount",
       .get =
           [](P& o, Args) {
             const AnimBehavior* rot = FirstBehavior(o.effect->model, "animRot");
             return Value(static_cast<float>(rot && rot->rotateBy ? std::fabs(*rot->rotateBy) : 0.0));
           }},
      {.name = "Color2",
       .get =
           [](P& o, Args) {
             const AnimBehavior* clr = FirstBehavior(o.effect->model, "animClr");
             return Value(std::make_shared<AnimationColorObject>(o.Session(), clr ? clr->toColor.value_or(0) : 0));
           }},
      // The horizontal scale of a grow or shrink, in percent; 0 for effects that scale nothing.
      {.name = "Size",
       .get =
           [](P& o, Args) {
             const AnimBehavior* scale = FirstBehavior(o.effect->model, "animScale");
             return Value(static_cast<float>(scale ? scale->scaleByX.value_or(0.0) : 0.0));
           }},
      // A motion path follows its shape when the shape moves unless it is locked ("fixed").
      {.name = "Relative",
       .get =
           [](P& o, Args) {
             const AnimBehavior* motion = FirstBehavior(o.effect->model, "animMotion");
             return MsoBool(motion && motion->pathEditMode != "fixed");
           }},
  };
  return table;
}

const MemberTable<AnimationBehaviorsObject>& AnimationBehaviorsObject::Members() {
  static const auto item = [](AnimationBehaviorsObject& o, Args a) {
    int i = CollectionIndex(ArgAt(a, 0), static_cast<int>(o.effect->model.behaviors.size()), "AnimationBehaviors");
    return Value(std::make_shared<AnimationBehaviorObject>(o.Session(), o.effect, i - 1));
  };
  static const MemberTable<AnimationBehaviorsObject> table{
      {.name = "Count",
       .get = [](AnimationBehaviorsObject& o, Args) { return Value(static_cast<int>(o.effect->model.behaviors.size())); }},
      {.name = "Item", .get = item},
      {.name = "", .get = item},
  };
  return table;
}

const MemberTable<AnimationBehaviorObject>& AnimationBehaviorObject::Members() {
  using B = AnimationBehaviorObject;
  static const MemberTable<B> table{
      {.name = "Type", .get = [](B& o, Args) { return Value(AnimTypeOf(o.behavior.element)); }},
      // A behaviour plays alongside the others of its effect: with the previous one.
      {.name = "Timing",
       .get =
           [](B& o, Args) {
             return Value(std::make_shared<TimingObject>(o.Session(), o.effect, o.behavior.timing,
                                                         o.behavior.timing.duration.value_or(AnimTime{}),
                                                         kTriggerWithPrevious));
           }},
      {.name = "MotionEffect",
       .get = [](B& o, Args) { return BehaviorEffect<kMotion>(o, "animMotion", "MotionEffect", "motion"); }},
      {.name = "ScaleEffect",
       .get = [](B& o, Args) { return BehaviorEffect<kScale>(o, "animScale", "ScaleEffect", "scale"); }},
      {.name = "SetEffect", .get = [](B& o, Args) { return BehaviorEffect<kSet>(o, "set", "SetEffect", "set"); }},
      {.name = "RotationEffect",
       .get = [](B& o, Args) { return BehaviorEffect<kRotation>(o, "animRot", "RotationEffect", "rotation"); }},
      {.name = "PropertyEffect",
       .get = [](B& o, Args) { return BehaviorEffect<kProperty>(o, "anim", "PropertyEffect", "property"); }},
  };
  return table;
}

}  // namespace quillmere::engine
