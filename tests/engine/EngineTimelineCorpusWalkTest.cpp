// Every member of every effect of every slide, layout and master of every
// corpus deck answers a value or a ComError, never another exception or a
// crash (the sanitizer build watches memory).

#include <gtest/gtest.h>

#include <functional>

#include "engine/EngineRuntime.h"
#include "objectmodel/automation/ComError.h"
#include "tests/engine/EngineDecks.h"
#include "tests/helpers/IsolatedUserFolders.h"

namespace quillmere::testing {
namespace {

class EngineTimelineCorpusWalkTest : public IsolatedUserFolders {
 protected:
  void Read(const std::function<void()>& read) {
    try {
      read();
    } catch (const ComError&) {
      ++failures_;
    } catch (const std::exception& e) {
      ADD_FAILURE() << where_ << ": " << e.what();
    }
  }

  void Members(const Object& o, std::initializer_list<const char*> names) {
    for (const char* name : names) Read([&] { o.Get(name); });
  }

  void WalkTiming(const Object& timing) {
    Members(timing, {"TriggerType", "TriggerDelayTime", "Duration", "Speed", "RepeatCount", "RepeatDuration",
                     "AutoReverse", "Accelerate", "Decelerate", "Restart", "RewindAtEnd", "SmoothStart", "SmoothEnd"});
    Read([&] { timing.Child("TriggerShape").Get("Name"); });
  }

  void WalkEffect(const Object& effect) {
    ++effects_;
    Members(effect, {"DisplayName", "EffectType", "Exit", "Paragraph", "Index"});
    Read([&] { effect.Child("Shape").Get("Name"); });
    WalkTiming(effect.Child("Timing"));
    Object info = effect.Child("EffectInformation");
    Members(info, {"AfterEffect", "AnimateBackground", "BuildByLevelEffect", "TextUnitEffect", "PlayOnEntry"});
    Read([&] { info.Child("Dim").Get("RGB"); });
    Read([&] { info.Child("SoundEffect").Get("Type"); });
    Object parameters = effect.Child("EffectParameters");
    Members(parameters, {"Direction", "Amount", "Size", "Relative"});
    Read([&] { parameters.Child("Color2").Get("RGB"); });
    Object behaviours = effect.Child("Behaviors");
    for (int i = 1; i <= behaviours.Count(); ++i) {
      Object b = behaviours.Item(i);
      b.Get("Type");
      WalkTiming(b.Child("Timing"));
      Read([&] { b.Child("MotionEffect").Get("Path"); });
      Read([&] { Members(b.Child("ScaleEffect"), {"ByX", "ByY"}); });
      Read([&] { Members(b.Child("SetEffect"), {"To", "Property"}); });
      Read([&] { b.Child("RotationEffect").Get("By"); });
      Read([&] { Members(b.Child("PropertyEffect"), {"Property", "From", "To"}); });
    }
  }

  void WalkTimeLine(const Object& page) {
    Object timeline = page.Child("TimeLine");
    Object main = timeline.Child("MainSequence");
    for (int i = 1; i <= main.Count(); ++i) WalkEffect(main.Item(i));
    Object interactive = timeline.Child("InteractiveSequences");
    for (int s = 1; s <= interactive.Count(); ++s) {
      Object seq = interactive.Item(s);
      for (int i = 1; i <= seq.Count(); ++i) WalkEffect(seq.Item(i));
    }
  }

  std::string where_;
  int effects_ = 0;
  int failures_ = 0;
};

TEST_F(EngineTimelineCorpusWalkTest, EveryEffectMemberAnswersOrFailsAsPowerPointDoes) {
  Object app = StartEngine(16);
  int decks = ForEachOpenableCorpusDeck(app, [&](const std::string& file, const Object& pres) {
    for (const Object& page : PagesOf(pres)) {
      where_ = file + " " + std::string(page.TypeName()) + " " + page.Get("Name").AsString();
      WalkTimeLine(page);
    }
  });
  EXPECT_GT(decks, 100);
  EXPECT_EQ(effects_, 268);  // every effect node the corpus timelines hold
  EXPECT_GT(failures_, 0);
}

}  // namespace
}  // namespace quillmere::testing
