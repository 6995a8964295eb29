#pragma once
// The animation timeline of a slide, layout or master as PowerPoint's object
// model shows it: TimeLine, its sequences, their effects and each effect's
// Timing. What an effect says about itself beyond that (EffectInformation,
// EffectParameters, Behaviors) is in EffectDetailObjects.h. All of them read
// the part's timeline model, read once per part (AnimationTimeline.h).

#include <memory>
#include <string>

#include "engine/core/EngineObject.h"
#include "engine/model/document/PresentationDocument.h"
#include "engine/model/timeline/AnimationTimeline.h"

namespace quillmere::engine {

class ShapeObject;

// What every timeline object shares: the part, the page whose shapes its
// effects animate and the part's timeline.
struct TimelineSource {
  std::shared_ptr<PresentationDocument> doc;
  std::string part;
  std::shared_ptr<Dispatch> page;  // the slide, layout or master, parent of the shapes found
  std::shared_ptr<const AnimationTimeline> timeline;
  // The shape with that id among the part's shapes and group members;
  // throws ComError naming the member when there is none.
  std::shared_ptr<ShapeObject> ShapeWithId(const std::shared_ptr<EngineSession>& session, std::uint32_t id,
                                           std::string_view member) const;
};

// The TimeLine member of a slide, layout or master.
Value TimeLineOf(const std::shared_ptr<EngineSession>& session, const std::shared_ptr<PresentationDocument>& doc,
                 const std::string& part, std::shared_ptr<Dispatch> page);

class TimeLineObject final : public EngineObject<TimeLineObject> {
 public:
  static constexpr std::string_view kTypeName = "TimeLine";
  static const MemberTable<TimeLineObject>& Members();
  TimeLineObject(std::shared_ptr<EngineSession> s, std::shared_ptr<const TimelineSource> src)
      : EngineObject(std::move(s)), source(std::move(src)) {}
  std::shared_ptr<const TimelineSource> source;
};

class SequenceObject final : public EngineObject<SequenceObject> {
 public:
  static constexpr std::string_view kTypeName = "Sequence";
  static const MemberTable<SequenceObject>& Members();
  SequenceObject(std::shared_ptr<EngineSession> s, std::shared_ptr<const TimelineSource> src,
                 const AnimSequenceModel& seq, bool interactive)
      : EngineObject(std::move(s)), source(std::move(src)), sequence(seq), interactive(interactive) {}
  std::shared_ptr<const TimelineSource> source;
  const AnimSequenceModel& sequence;  // kept alive by source->timeline
  bool interactive;
};

class SequencesObject final : public EngineObject<SequencesObject> {
 public:
  static constexpr std::string_view kTypeName = "Sequences";
  static const MemberTable<SequencesObject>& Members();
  SequencesObject(std::shared_ptr<EngineSession> s, std::shared_ptr<const TimelineSource> src)
      : EngineObject(std::move(s)), source(std::move(src)) {}
  std::shared_ptr<const TimelineSource> source;
};

class EffectObject final : public EngineObject<EffectObject> {
 public:
  static constexpr std::string_view kTypeName = "Effect";
  static const MemberTable<EffectObject>& Members();
  EffectObject(std::shared_ptr<EngineSession> s, std::shared_ptr<const SequenceObject> seq, int i)
      : EngineObject(std::move(s)), sequence(std::move(seq)), index(i), model(sequence->sequence.effects[i]) {}
  // MsoAnimEffect of the preset.
  int EffectType() const;
  // MsoAnimTriggerType: how the effect starts.
  int TriggerType() const;
  std::shared_ptr<ShapeObject> Shape(std::string_view member) const;
  const TimelineSource& Source() const { return *sequence->source; }
  std::shared_ptr<const SequenceObject> sequence;
  int index;  // 0-based
  const AnimEffectModel& model;
};

// The Timing of an effect, or of one of its behaviours (with no trigger of its own).
class TimingObject final : public EngineObject<TimingObject> {
 public:
  static constexpr std::string_view kTypeName = "Timing";
  static const MemberTable<TimingObject>& Members();
  TimingObject(std::shared_ptr<EngineSession> s, std::shared_ptr<const EffectObject> e, const AnimTiming& t,
               AnimTime d, int trigger)
      : EngineObject(std::move(s)), effect(std::move(e)), timing(t), duration(d), triggerType(trigger) {}
  std::shared_ptr<const EffectObject> effect;
  const AnimTiming& timing;
  AnimTime duration;
  int triggerType;  // MsoAnimTriggerType
};

// Seconds answered for a time that lasts until the next click or the end of
// the slide: PowerPoint answers a very large number there, which writers take
// as such (anything above 500000). Its reference names no count for a repeat
// of that long (RepeatCount is "the number of times to repeat"), so the
// count is as large.
inline constexpr float kIndefiniteSeconds = 999999.0f;
inline constexpr int kIndefiniteRepeat = 999999;

}  // namespace quillmere::engine
