// Every member of every effect of every slide, layout and master of every
// corpus deck answers a value or a ComError, never another exception or a
// crash (the sanitizer build watches memory).

#include <gtest/gtest.h>

#include <functional>

#include "component/automation/ComError.h"
#include "engine/EngineRuntime.h"
#include "tests/engine/package/PackageTestFiles.h"
#include "tests/support/IsolatedUserFolders.h"

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
  Object app = engine::EngineRuntime(engine::EngineOptions{16}).CreateObject("PowerPoint.Application");
  int decks = 0;
  for (const auto& [file, container] : engine::packagetest::CorpusManifest()) {
    if (container != "zip") continue;
    Object pres;
    try {
      pres = app.Child("Presentations").Call("Open", engine::packagetest::CorpusFile(file).string(), -1, -1, 0);
    } catch (const ComError&) {
      continue;  // not a deck the engine opens: the opening tests cover why
    }
    ++decks;
    Object slides = pres.Child("Slides");
    for (int s = 1; s <= slides.Count(); ++s) {
      where_ = file + " slide " + std::to_string(s);
      WalkTimeLine(slides.Item(s));
    }
    Object designs = pres.Child("Designs");
    for (int d = 1; d <= designs.Count(); ++d) {
      Object master = designs.Item(d).Child("SlideMaster");
      where_ = file + " master " + std::to_string(d);
      WalkTimeLine(master);
      Object layouts = master.Child("CustomLayouts");
      for (int l = 1; l <= layouts.Count(); ++l) WalkTimeLine(layouts.Item(l));
    }
    pres.Call("Close");
  }
  EXPECT_GT(decks, 100);
  EXPECT_EQ(effects_, 268);  // every effect node the corpus timelines hold
  EXPECT_GT(failures_, 0);
}

}  // namespace
}  // namespace quillmere::testing
