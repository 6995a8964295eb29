// What a writer asks of the engine per animation effect: every member of the
// effect, its timing, information, parameters and behaviours, for every
// effect of HowWeRefactor (152 effects over its slides).

#include <benchmark/benchmark.h>

#include <string>

#include "engine/EngineRuntime.h"

namespace {

using quillmere::Object;

void ReadTiming(const Object& timing) {
  for (const char* m : {"TriggerType", "TriggerDelayTime", "Duration", "Speed", "RepeatCount", "RepeatDuration",
                        "AutoReverse", "Accelerate", "Decelerate", "Restart", "RewindAtEnd", "SmoothStart",
                        "SmoothEnd"})
    benchmark::DoNotOptimize(timing.Get(m));
}

void ReadEffect(const Object& effect) {
  for (const char* m : {"DisplayName", "EffectType", "Exit", "Paragraph", "Index"}) benchmark::DoNotOptimize(effect.Get(m));
  benchmark::DoNotOptimize(effect.Child("Shape").Get("Name"));
  ReadTiming(effect.Child("Timing"));
  Object info = effect.Child("EffectInformation");
  for (const char* m : {"AfterEffect", "AnimateBackground", "BuildByLevelEffect", "TextUnitEffect", "PlayOnEntry"})
    benchmark::DoNotOptimize(info.Get(m));
  benchmark::DoNotOptimize(info.Child("Dim").Get("RGB"));
  benchmark::DoNotOptimize(info.Child("SoundEffect").Get("Type"));
  Object parameters = effect.Child("EffectParameters");
  for (const char* m : {"Direction", "Amount", "Size", "Relative"}) benchmark::DoNotOptimize(parameters.Get(m));
  benchmark::DoNotOptimize(parameters.Child("Color2").Get("RGB"));
  Object behaviours = effect.Child("Behaviors");
  for (int i = 1; i <= behaviours.Count(); ++i) {
    Object b = behaviours.Item(i);
    benchmark::DoNotOptimize(b.Get("Type"));
    ReadTiming(b.Child("Timing"));
  }
}

void ReadEveryEffect(benchmark::State& state) {
  quillmere::engine::EngineRuntime runtime;
  Object app = runtime.CreateObject("PowerPoint.Application");
  Object pres = app.Child("Presentations")
                    .Call("Open",
                          std::string(QUILLMERE_CORPUS_DIR) +
                              "/poi__ca.ubc.cs.people_~emhill_presentations_HowWeRefactor.pptx",
                          0, -1, 0);
  Object slides = pres.Child("Slides");
  std::int64_t effects = 0;
  for (auto _ : state) {
    for (int s = 1; s <= slides.Count(); ++s) {
      Object main = slides.Item(s).Child("TimeLine").Child("MainSequence");
      for (int i = 1; i <= main.Count(); ++i, ++effects) ReadEffect(main.Item(i));
    }
  }
  state.SetItemsProcessed(effects);
}

BENCHMARK(ReadEveryEffect)->Unit(benchmark::kMillisecond);

}  // namespace
