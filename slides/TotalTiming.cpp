#include "slides/TotalTiming.h"

#include <string>
#include <string_view>

#include "objectmodel/powerpoint/Enumerations.h"
#include "objectmodel/powerpoint/Tags.h"
#include "objectmodel/trace/Trace.h"
#include "objectmodel/xml/NumberText.h"
#include "support/registry/Settings.h"
#include "support/text/Text.h"

namespace quillmere {
namespace {

// Durations past this are PowerPoint's "until next click" or "until the end
// of the slide"; later effects are placed as if such an effect took 2 seconds.
constexpr float kOpenEndedDuration = 500000.0f;
constexpr float kOpenEndedLength = 2.0f;

std::vector<std::string> Split(std::string_view text, char separator) {
  std::vector<std::string> fields;
  if (text.empty()) return fields;
  std::size_t start = 0;
  for (std::size_t at; (at = text.find(separator, start)) != std::string_view::npos; start = at + 1)
    fields.emplace_back(text.substr(start, at - start));
  fields.emplace_back(text.substr(start));
  return fields;
}

// The click times of the older tool's TIMING tag ("x|2|3"): the running sums
// of its fields after the first, "2/5".
std::string ClicksFromTiming(const std::string& timing) {
  std::vector<std::string> fields = Split(timing, '|');
  if (!fields.empty() && fields.back().empty()) fields.pop_back();
  std::string clicks;
  float sum = 0.0f;
  for (std::size_t i = 1; i < fields.size(); ++i) {
    sum += static_cast<float>(LeadingNumber(fields[i]));
    if (!clicks.empty()) clicks += '/';
    clicks += FormatSingle(sum);
  }
  return clicks;
}

// A read that fails counts as zero, as every other failure here is passed over.
template <class Read>
float ReadOrZero(Read&& read) {
  try {
    return read();
  } catch (const std::exception&) {
    return 0.0f;
  }
}

// How long an effect keeps the next one waiting: its delay and its duration.
float EffectLength(const Object& effect) {
  float delay = ReadOrZero([&] { return effect.Child("Timing").Get("TriggerDelayTime").AsSingle(); });
  float duration = ReadOrZero([&] { return effect.Child("Timing").Get("Duration").AsSingle(); });
  return delay + (duration > kOpenEndedDuration ? kOpenEndedLength : duration);
}

}  // namespace

std::vector<float> GetTotalTiming(const Object& owner) {
  const float clickDelay = static_cast<float>(LeadingNumber(MouseClickDelayOption()));
  std::string clicks = GetTag(owner, "TIMELINEEDIT");
  Trace("GetTotalTiming: TIMELINEEDIT: " + clicks);
  if (clicks.empty()) {
    clicks = GetTag(owner, "TIMELINE");
    Trace("GetTotalTiming: TIMELINE: " + clicks);
  }
  if (clicks.empty()) {
    std::string timing = GetTag(owner, "TIMING");
    if (!TrimSpaces(timing).empty()) clicks = ClicksFromTiming(timing);
  }
  if (clicks.empty()) clicks = FormatSingle(clickDelay);
  const std::vector<std::string> clickTimes = Split(clicks, '/');

  std::vector<float> starts;
  Object sequence;
  std::int32_t count = 0;
  try {
    sequence = owner.Child("TimeLine").Child("MainSequence");
    count = sequence.Count();
  } catch (const std::exception&) {
    return starts;
  }
  int click = -1;
  float previousEnd = 0.0f;
  float lastLength = 0.0f;
  Object previous;
  for (std::int32_t i = 1; i <= count; ++i) {
    Object effect;
    std::int32_t trigger = -1;
    try {
      effect = sequence.Item(i);
      trigger = effect.Child("Timing").Get("TriggerType").AsLong();
    } catch (const std::exception&) {
      // Placed nowhere, like any trigger this does not know.
    }
    switch (trigger) {
      case anim_trigger::kNone:
        starts.push_back(0.0f);
        break;
      case anim_trigger::kOnPageClick: {
        ++click;
        if (clickTimes.empty()) {
          starts.push_back(previousEnd + lastLength + clickDelay);
        } else if (static_cast<int>(clickTimes.size()) - 1 < click) {
          starts.push_back(previousEnd + clickDelay);
        } else {
          auto at = static_cast<float>(LeadingNumber(clickTimes[static_cast<std::size_t>(click)]));
          if (at >= previousEnd)
            starts.push_back(ReadOrZero([&] { return effect.Child("Timing").Get("TriggerDelayTime").AsSingle(); }) +
                             at);
          else
            starts.push_back(previousEnd + 1.0f);  // a click cannot come before what it follows
        }
        lastLength = EffectLength(effect);
        previousEnd = starts.back();
        break;
      }
      case anim_trigger::kWithPrevious: {
        starts.push_back(previousEnd);
        float length = EffectLength(effect);
        if (lastLength < length) lastLength = length;
        break;
      }
      case anim_trigger::kAfterPrevious:
        if (i == 1) {
          starts.push_back(0.0f);
          lastLength = EffectLength(effect);
        } else {
          starts.push_back(previousEnd + lastLength);
          lastLength = EffectLength(effect);
          previousEnd += EffectLength(previous);
        }
        break;
      default:
        break;
    }
    previous = effect;
  }
  return starts;
}

}  // namespace quillmere
