#include "slides/SlideTransition.h"

#include <algorithm>

#include "objectmodel/ExportContext.h"
#include "objectmodel/powerpoint/Tags.h"
#include "objectmodel/xml/NumberText.h"
#include "objectmodel/xml/XmlHelpers.h"
#include "support/text/Text.h"

namespace quillmere {
namespace {

// The authoring tool's own advance time wins; it may carry a decimal comma.
std::string AdvanceTimeText(ExportContext& context, const Object& slide, const Object& transition) {
  std::string tagged = GetTag(slide, "ELAPSEDTIME");
  std::replace(tagged.begin(), tagged.end(), ',', '.');
  if (!TrimSpaces(tagged).empty()) return tagged;
  return context.PlatformText(transition.Get("AdvanceTime").AsSingle());
}

}  // namespace

float GetTransitionDuration(ExportContext& context, const Object& slide) {
  Object transition = slide.Child("SlideShowTransition");
  if (context.MajorVersion() >= 14) return transition.Get("Duration").AsSingle();
  switch (transition.Get("Speed").AsLong()) {
    case 3: return 0.5f;
    case 2: return 0.75f;
    case 1: return 2.0f;
    default: return -2.0f;
  }
}

void WriteTransition(ExportContext& context, const Object& slide, pugi::xml_node slideElement, StepRunner& run,
                     int firstStep) {
  pugi::xml_node element = AppendContainer(slideElement, "Transition");
  AppendLineBreak(element);
  Object transition;
  int step = firstStep;
  if (!run.Step(step++, [&] { transition = slide.Child("SlideShowTransition"); })) return;
  auto add = [&](std::string_view name, auto&& text) {
    run.Step(step++, [&] { AddElement(4, element, name, text()); });
  };
  add("AdvanceOnClick", [&] { return BoolText(transition.Get("AdvanceOnClick").AsLong() != 0); });
  add("AdvanceOnTime", [&] { return BoolText(transition.Get("AdvanceOnTime").AsLong() != 0); });
  add("AdvanceTime", [&] { return AdvanceTimeText(context, slide, transition); });
  add("EntryEffect", [&] { return std::to_string(transition.Get("EntryEffect").AsLong()); });
  add("Hidden", [&] { return BoolText(transition.Get("Hidden").AsLong() != 0); });
  add("SoundEffectType", [&] { return std::to_string(transition.Child("SoundEffect").Get("Type").AsLong()); });
  add("Speed", [&] { return std::to_string(transition.Get("Speed").AsLong()); });
  add("Duration", [&] { return context.PlatformText(GetTransitionDuration(context, slide)); });
}

}  // namespace quillmere
