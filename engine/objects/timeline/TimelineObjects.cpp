#include "engine/objects/timeline/TimelineObjects.h"

#include <vector>

#include "engine/model/shapes/ShapeKind.h"
#include "engine/model/shapes/ShapeTree.h"
#include "engine/model/text/ShapeText.h"
#include "engine/model/timeline/AnimationEnums.h"
#include "engine/objects/format/EffectDetailObjects.h"
#include "engine/objects/shapes/ShapeObjects.h"

namespace quillmere::engine {
namespace {

// The tree child holding the shape with that id, group members included, or
// an empty node.
pugi::xml_node TreeChildWithId(const pugi::xml_node& partRoot, std::uint32_t id) {
  std::vector<pugi::xml_node> pending = TopLevelShapes(partRoot);
  for (std::size_t i = 0; i < pending.size(); ++i) {
    pugi::xml_node child = pending[i];
    pugi::xml_node shape = ResolvedShape(child);
    if (DrawingPropertiesOf(shape).attribute("id").as_uint() == id && shape) return child;
    if (LocalName(shape) == "grpSp")
      for (const pugi::xml_node& member : ShapesIn(shape)) pending.push_back(member);
  }
  return {};
}

float Seconds(AnimTime t) { return t.indefinite ? kIndefiniteSeconds : static_cast<float>(t.ms / 1000.0); }

int RestartOf(std::string_view restart) {
  if (restart == "never") return kRestartNever;
  if (restart == "whenNotActive") return kRestartWhenOff;
  return kRestartAlways;
}

// DisplayName: the shape's name, and for an effect on one paragraph the
// name, ": " and that paragraph's text, as PowerPoint lists a paragraph build.
std::string DisplayNameOf(const EffectObject& e) {
  auto shape = e.Shape("Effect.DisplayName");
  std::string name = DrawingPropertiesOf(shape->element).attribute("name").value();
  if (!e.model.paragraph) return name;
  int i = 0;
  std::string text;
  ForEachChildNamed(ChildNamed(shape->element, "txBody"), "p", [&](const pugi::xml_node& p) {
    if (i++ == *e.model.paragraph) text = TextOfParagraph(p);
  });
  return name + ": " + text;
}

}  // namespace

std::shared_ptr<ShapeObject> TimelineSource::ShapeWithId(const std::shared_ptr<EngineSession>& session, std::uint32_t id,
                                                        std::string_view member) const {
  pugi::xml_node child = TreeChildWithId(doc->PartRoot(part), id);
  if (!child)
    throw ComError(hr::kUnspecified,
                   std::string(member) + " : The shape " + std::to_string(id) + " the effect animates does not exist.");
  return std::make_shared<ShapesObject>(session, doc, part, page)->ShapeAt(child);
}

Value TimeLineOf(const std::shared_ptr<EngineSession>& session, const std::shared_ptr<PresentationDocument>& doc,
                 const std::string& part, std::shared_ptr<Dispatch> page) {
  auto source = std::make_shared<TimelineSource>(TimelineSource{doc, part, std::move(page), doc->TimelineOf(part)});
  return Value(std::make_shared<TimeLineObject>(session, std::move(source)));
}

const MemberTable<TimeLineObject>& TimeLineObject::Members() {
  static const MemberTable<TimeLineObject> table{
      {.name = "MainSequence",
       .get =
           [](TimeLineObject& o, Args) {
             return Value(std::make_shared<SequenceObject>(o.Session(), o.source, o.source->timeline->mainSequence, false));
           }},
      {.name = "InteractiveSequences",
       .get = [](TimeLineObject& o, Args) { return Value(std::make_shared<SequencesObject>(o.Session(), o.source)); }},
  };
  return table;
}

const MemberTable<SequencesObject>& SequencesObject::Members() {
  static const auto item = [](SequencesObject& o, Args a) {
    const auto& list = o.source->timeline->interactiveSequences;
    int i = CollectionIndex(ArgAt(a, 0), static_cast<int>(list.size()), "Sequences");
    return Value(std::make_shared<SequenceObject>(o.Session(), o.source, list[i - 1], true));
  };
  static const MemberTable<SequencesObject> table{
      {.name = "Count",
       .get = [](SequencesObject& o, Args) {
         return Value(static_cast<int>(o.source->timeline->interactiveSequences.size()));
       }},
      {.name = "Item", .get = item},
      {.name = "", .get = item},
  };
  return table;
}

const MemberTable<SequenceObject>& SequenceObject::Members() {
  static const auto item = [](SequenceObject& o, Args a) {
    int i = CollectionIndex(ArgAt(a, 0), static_cast<int>(o.sequence.effects.size()), "Sequence");
    return Value(std::make_shared<EffectObject>(o.Session(), o.shared_from_this(), i - 1));
  };
  // The first effect of the sequence that animates the shape, or Nothing.
  static const auto firstFor = [](SequenceObject& o, Args a) {
    std::shared_ptr<Dispatch> shape = ArgAt(a, 0).AsDispatch();
    if (!shape) throw ComError(hr::kInvalidArgument, "Sequence.FindFirstAnimationFor : Invalid request.");
    auto id = static_cast<std::uint32_t>(shape->Invoke(InvokeKind::Get, "Id", {}).AsLong());
    const std::vector<AnimEffectModel>& effects = o.sequence.effects;
    for (std::size_t i = 0; i < effects.size(); ++i)
      if (effects[i].shapeId == id)
        return Value(std::make_shared<EffectObject>(o.Session(), o.shared_from_this(), static_cast<int>(i)));
    return Value(std::shared_ptr<Dispatch>());
  };
  static const MemberTable<SequenceObject> table{
      {.name = "Count", .get = [](SequenceObject& o, Args) { return Value(static_cast<int>(o.sequence.effects.size())); }},
      {.name = "Item", .get = item},
      {.name = "", .get = item},
      {.name = "FindFirstAnimationFor", .call = firstFor},
  };
  return table;
}

int EffectObject::EffectType() const { return AnimEffectOf(model.presetClass, model.presetId); }

int EffectObject::TriggerType() const {
  const std::string& type = model.nodeType;
  if (type == "clickEffect") {
    if (!sequence->interactive) return kTriggerOnPageClick;
    return sequence->sequence.bookmarkTrigger ? kTriggerOnMediaBookmark : kTriggerOnShapeClick;
  }
  if (type == "withEffect") return kTriggerWithPrevious;
  if (type == "afterEffect") return kTriggerAfterPrevious;
  return kTriggerNone;
}

std::shared_ptr<ShapeObject> EffectObject::Shape(std::string_view member) const {
  if (!model.shapeId) throw ComError(hr::kUnspecified, std::string(member) + " : The effect animates no shape.");
  return Source().ShapeWithId(session_, *model.shapeId, member);
}

const MemberTable<EffectObject>& EffectObject::Members() {
  using E = EffectObject;
  static const MemberTable<E> table{
      {.name = "Shape", .get = [](E& o, Args) { return Value(o.Shape("Effect.Shape")); }},
      {.name = "DisplayName", .get = [](E& o, Args) { return Value(DisplayNameOf(o)); }},
      {.name = "EffectType", .get = [](E& o, Args) { return Value(o.EffectType()); }},
      {.name = "Exit", .get = [](E& o, Args) { return MsoBool(o.model.presetClass == "exit"); }},
      {.name = "Paragraph", .get = [](E& o, Args) { return Value(o.model.paragraph ? *o.model.paragraph + 1 : 0); }},
      {.name = "Index", .get = [](E& o, Args) { return Value(o.index + 1); }},
      {.name = "Timing",
       .get =
           [](E& o, Args) {
             return Value(std::make_shared<TimingObject>(o.Session(), o.shared_from_this(), o.model.timing,
                                                         o.model.Duration(), o.TriggerType()));
           }},
      {.name = "EffectInformation",
       .get = [](E& o, Args) { return Value(std::make_shared<EffectInformationObject>(o.Session(), o.shared_from_this())); }},
      {.name = "EffectParameters",
       .get = [](E& o, Args) { return Value(std::make_shared<EffectParametersObject>(o.Session(), o.shared_from_this())); }},
      {.name = "Behaviors",
       .get = [](E& o, Args) { return Value(std::make_shared<AnimationBehaviorsObject>(o.Session(), o.shared_from_this())); }},
  };
  return table;
}

const MemberTable<TimingObject>& TimingObject::Members() {
  using T = TimingObject;
  static const MemberTable<T> table{
      {.name = "TriggerType", .get = [](T& o, Args) { return Value(o.triggerType); }},
      {.name = "TriggerShape",
       .get =
           [](T& o, Args) {
             const AnimSequenceModel& seq = o.effect->sequence->sequence;
             if (o.triggerType != kTriggerOnShapeClick || !seq.triggerShapeId)
               throw ComError(hr::kUnspecified, "Timing.TriggerShape : The effect is not triggered by a shape click.");
             return Value(o.effect->Source().ShapeWithId(o.Session(), *seq.triggerShapeId, "Timing.TriggerShape"));
           }},
      {.name = "TriggerDelayTime", .get = [](T& o, Args) { return Value(Seconds(o.timing.delay)); }},
      {.name = "Duration", .get = [](T& o, Args) { return Value(Seconds(o.duration)); }},
      {.name = "Speed", .get = [](T& o, Args) { return Value(static_cast<float>(o.timing.speed)); }},
      // repeatCount is written in thousandths; without one an effect plays once.
      {.name = "RepeatCount",
       .get =
           [](T& o, Args) {
             if (!o.timing.repeatCount) return Value(1);
             if (o.timing.repeatCount->indefinite) return Value(kIndefiniteRepeat);
             return Value(static_cast<int>(o.timing.repeatCount->ms / 1000.0));
           }},
      {.name = "RepeatDuration",
       .get = [](T& o, Args) { return Value(Seconds(o.timing.repeatDuration.value_or(AnimTime{}))); }},
      {.name = "AutoReverse", .get = [](T& o, Args) { return MsoBool(o.timing.autoReverse); }},
      {.name = "Accelerate", .get = [](T& o, Args) { return Value(static_cast<float>(o.timing.accelerate)); }},
      {.name = "Decelerate", .get = [](T& o, Args) { return Value(static_cast<float>(o.timing.decelerate)); }},
      {.name = "Restart", .get = [](T& o, Args) { return Value(RestartOf(o.timing.restart)); }},
      {.name = "RewindAtEnd", .get = [](T& o, Args) { return MsoBool(o.timing.fill == "remove"); }},
      {.name = "SmoothStart", .get = [](T& o, Args) { return MsoBool(o.timing.accelerate > 0.0); }},
      {.name = "SmoothEnd", .get = [](T& o, Args) { return MsoBool(o.timing.decelerate > 0.0); }},
  };
  return table;
}

}  // namespace quillmere::engine
