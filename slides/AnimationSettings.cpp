#include "slides/AnimationSettings.h"

#include <cmath>
#include <limits>
#include <vector>

#include "objectmodel/ExportContext.h"
#include "objectmodel/StepRunner.h"
#include "objectmodel/powerpoint/Enumerations.h"
#include "objectmodel/xml/XmlHelpers.h"
#include "slides/TotalTiming.h"

namespace quillmere {
namespace {

const std::string kAnimationSettingsLocation = " in Quillmere.bXML.AnimationSettings at line ";
constexpr int kAnimationSettingsIndent = 8;

// The AnimationType written when the effect's own type cannot be read.
constexpr std::int32_t kUnreadableEffect = 150;

// The effects whose direction means something.
bool HasDirection(std::int32_t type) {
  return (type >= 2 && type <= 8) || type == 12 || type == 13 || type == 14 || (type >= 16 && type <= 19) ||
         type == 22 || type == 23 || type == 48;
}

bool IsMotionPath(std::int32_t type) {
  return type == anim_effect::kCustom || type == anim_effect::kPathCircle ||
         (type >= anim_effect::kFirstPath && type <= anim_effect::kLastPath);
}

// Non-zero as PowerPoint gives it: Accelerate 0.5 and Speed 0.25 are set too,
// so the value must not be rounded to a whole number first.
std::string TimingFlag(const Object& object, std::string_view member) { return BoolText(object.Get(member).AsBool()); }

// Infinite and undefined durations are written as the largest finite single.
std::string DurationText(ExportContext& context, float seconds) {
  if (std::isinf(seconds) || std::isnan(seconds)) seconds = std::numeric_limits<float>::max();
  return context.PlatformText(seconds);
}

void WriteTiming(ExportContext& context, const Object& timing, const std::string& start, pugi::xml_node element,
                 StepRunner& run) {
  run.Step(16, [&] { AddElement(kAnimationSettingsIndent, element, "Start", start); });
  run.Step(17, [&] {
    AddElement(kAnimationSettingsIndent, element, "Duration", DurationText(context, timing.Get("Duration").AsSingle()));
  });
  run.Step(18, [&] { AddElement(kAnimationSettingsIndent, element, "Accelerate", TimingFlag(timing, "Accelerate")); });
  run.Step(19, [&] { AddElement(kAnimationSettingsIndent, element, "AutoReverse", TimingFlag(timing, "AutoReverse")); });
  run.Step(20, [&] { AddElement(kAnimationSettingsIndent, element, "Decelerate", TimingFlag(timing, "Decelerate")); });
  run.Step(21, [&] {
    AddElement(kAnimationSettingsIndent, element, "RepeatCount", std::to_string(timing.Get("RepeatCount").AsLong()));
  });
  run.Step(22, [&] {
    AddElement(kAnimationSettingsIndent, element, "RepeatDuration",
               context.PlatformText(timing.Get("RepeatDuration").AsSingle()));
  });
  run.Step(23, [&] { AddElement(kAnimationSettingsIndent, element, "Restart", TimingFlag(timing, "Restart")); });
  run.Step(24, [&] { AddElement(kAnimationSettingsIndent, element, "RewindAtEnd", TimingFlag(timing, "RewindAtEnd")); });
  run.Step(25, [&] { AddElement(kAnimationSettingsIndent, element, "SmoothEnd", TimingFlag(timing, "SmoothEnd")); });
  run.Step(26, [&] { AddElement(kAnimationSettingsIndent, element, "SmoothStart", TimingFlag(timing, "SmoothStart")); });
  run.Step(27, [&] { AddElement(kAnimationSettingsIndent, element, "Speed", TimingFlag(timing, "Speed")); });
  std::int32_t trigger = 0;
  run.Step(28, [&] {
    trigger = timing.Get("TriggerType").AsLong();
    AddElement(kAnimationSettingsIndent, element, "TriggerType", std::to_string(trigger));
  });
  run.Step(29, [&] {
    std::string shape = "-1";
    if (trigger == anim_trigger::kOnShapeClick) shape = std::to_string(timing.Child("TriggerShape").Get("Id").AsLong());
    AddElement(kAnimationSettingsIndent, element, "TriggerShapeID", shape);
  });
  run.Step(30, [&] {
    AddElement(kAnimationSettingsIndent, element, "TriggerDelayTime",
               context.PlatformText(timing.Get("TriggerDelayTime").AsSingle()));
  });
}

// The shape id of an effect as text; empty when the effect animates no shape.
std::string ShapeIdText(const Object& effect) { return std::to_string(effect.Child("Shape").Get("Id").AsLong()); }

}  // namespace

void WriteAnimationEffect(ExportContext& context, const Object& effect, const std::string& start,
                          pugi::xml_node animation) {
  StepRunner run = WriterSteps(context, kAnimationSettingsLocation);
  pugi::xml_node timingElement;
  run.Step(1, [&] { timingElement = AppendContainer(animation, "Timing"); });
  run.Step(2, [&] { AddElement(kAnimationSettingsIndent, animation, "ShapeID", ShapeIdText(effect)); });

  std::int32_t type = kUnreadableEffect;
  LeavingOutOnFailure([&] { AddElement(kAnimationSettingsIndent, animation, "FriendlyName", effect.Get("DisplayName").AsString()); });
  LeavingOutOnFailure([&] { type = effect.Get("EffectType").AsLong(); });
  AddElement(kAnimationSettingsIndent, animation, "AnimationType", std::to_string(type));
  LeavingOutOnFailure([&] { AddElement(kAnimationSettingsIndent, animation, "Exit", BoolText(effect.Get("Exit").AsLong() != 0)); });
  LeavingOutOnFailure([&] {
    std::int32_t paragraph = effect.Get("Paragraph").AsLong();
    if (paragraph > 0) AddElement(kAnimationSettingsIndent, animation, "Paragraph", std::to_string(paragraph));
  });

  Object info, parameters;
  run.Step(7, [&] {
    info = effect.Child("EffectInformation");
    AddElement(kAnimationSettingsIndent, animation, "AfterEffect", std::to_string(info.Get("AfterEffect").AsLong()));
  });
  run.Step(8, [&] { AddElement(kAnimationSettingsIndent, animation, "AnimationBackground", TimingFlag(info, "AnimateBackground")); });
  run.Step(9, [&] {
    AddElement(kAnimationSettingsIndent, animation, "BuildByLevelEffect", std::to_string(info.Get("BuildByLevelEffect").AsLong()));
  });
  run.Step(10, [&] {
    if (info.Get("AfterEffect").AsLong() == anim_after::kDim)
      AddElement(kAnimationSettingsIndent, animation, "DimColor", std::to_string(info.Child("Dim").Get("RGB").AsLong()));
  });
  if (HasDirection(type)) {
    run.Step(11, [&] {
      parameters = effect.Child("EffectParameters");
      AddElement(kAnimationSettingsIndent, animation, "Direction", std::to_string(parameters.Get("Direction").AsLong()));
    });
  }
  if (IsMotionPath(type)) {
    run.Step(12, [&] {
      Object motion = effect.Child("Behaviors").Item(1).Child("MotionEffect");
      AddElement(kAnimationSettingsIndent, animation, "MotionPath", motion.Get("Path").AsString());
    });
    run.Step(13, [&] {
      float speed = effect.Child("Behaviors").Item(1).Child("Timing").Get("Speed").AsSingle();
      AddElement(kAnimationSettingsIndent, animation, "PathReversed", BoolText(speed < 0.0f));
    });
  }
  if (type == anim_effect::kGrowShrink) {
    run.Step(14, [&] {
      Object scale = effect.Child("Behaviors").Item(1).Child("ScaleEffect");
      std::string x = context.PlatformText(scale.Get("ByX").AsSingle() / 100.0f);
      std::string y = context.PlatformText(scale.Get("ByY").AsSingle() / 100.0f);
      AddElement(kAnimationSettingsIndent, animation, "ScaleX", x);
      AddElement(kAnimationSettingsIndent, animation, "ScaleY", y);
    });
  }
  if (type == anim_effect::kTransparency) {
    run.Step(15, [&] {
      Value to = effect.Child("Behaviors").Item(1).Child("SetEffect").Get("To");
      AddElement(kAnimationSettingsIndent, animation, "Transparency", to.AsString());
    });
  }
  if (type == anim_effect::kWheel || type == anim_effect::kSpin) {
    run.Step(15, [&] {
      if (!parameters) parameters = effect.Child("EffectParameters");
      AddElement(kAnimationSettingsIndent, animation, "Amount",
                 context.PlatformText(parameters.Get("Amount").AsSingle()));
    });
  }

  Object timing;
  if (run.Step(16, [&] { timing = effect.Child("Timing"); })) WriteTiming(context, timing, start, timingElement, run);
}

void AnimationSettings(ExportContext& context, const Object& owner, pugi::xml_node parent) {
  StepRunner run = WriterSteps(context, kAnimationSettingsLocation);
  pugi::xml_node timeline = AppendContainer(parent, "AnimationTimeline");
  std::vector<float> starts;
  run.Step(2, [&] { starts = GetTotalTiming(owner); });

  Object main;
  std::int32_t count = 0;
  run.Step(3, [&] {
    main = owner.Child("TimeLine").Child("MainSequence");
    count = main.Count();
  });
  for (std::int32_t i = 1; i <= count; ++i) {
    Object effect;
    std::string id;
    run.Step(4, [&] { effect = main.Item(i); });
    run.Step(5, [&] { id = ShapeIdText(effect); });
    if (id.empty()) continue;  // an effect of no shape still takes its start time
    run.Step(6, [&] {
      if (static_cast<std::size_t>(i) > starts.size())
        throw ComError(hr::kInvalidArgument, "Invalid procedure call or argument");
      std::string start = context.PlatformText(starts[static_cast<std::size_t>(i - 1)]);
      WriteAnimationEffect(context, effect, start, AppendContainer(timeline, "Animation"));
    });
  }

  Object sequences;
  std::int32_t sequenceCount = 0;
  run.Step(7, [&] {
    sequences = owner.Child("TimeLine").Child("InteractiveSequences");
    sequenceCount = sequences.Count();
  });
  for (std::int32_t j = 1; j <= sequenceCount; ++j) {
    Object sequence;
    std::int32_t effects = 0;
    run.Step(8, [&] {
      sequence = sequences.Item(j);
      effects = sequence.Count();
    });
    for (std::int32_t k = 1; k <= effects; ++k) {
      Object effect;
      std::string id;
      std::int32_t trigger = 0;
      run.Step(9, [&] { effect = sequence.Item(k); });
      run.Step(10, [&] { id = ShapeIdText(effect); });
      run.Step(11, [&] { trigger = effect.Child("Timing").Get("TriggerType").AsLong(); });
      // Media bookmarks cannot be played back by the host.
      if (id.empty() || trigger == anim_trigger::kOnMediaBookmark) continue;
      run.Step(12, [&] { WriteAnimationEffect(context, effect, "-1", AppendContainer(timeline, "Animation")); });
    }
  }
}

}  // namespace quillmere
