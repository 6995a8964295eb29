// What the design writer asks of the engine per design: the theme's colours
// and fonts and each layout's backgrounds, and per layout with a background
// of its own a temporary slide added, read and deleted. The themes deck has
// seven masters of eleven layouts each.

#include <benchmark/benchmark.h>

#include <string>

#include "engine/EngineRuntime.h"

namespace {

quillmere::Object OpenThemes(quillmere::engine::EngineRuntime& runtime, quillmere::Object& app) {
  app = runtime.CreateObject("PowerPoint.Application");
  return app.Child("Presentations").Call("Open", std::string(QUILLMERE_CORPUS_DIR) + "/poi__themes.pptx", 0, -1, 0);
}

void ReadDesigns(benchmark::State& state) {
  quillmere::engine::EngineRuntime runtime;
  quillmere::Object app;
  quillmere::Object pres = OpenThemes(runtime, app);
  for (auto _ : state) {
    quillmere::Object designs = pres.Child("Designs");
    for (int d = 1; d <= designs.Count(); ++d) {
      quillmere::Object master = designs.Item(d).Child("SlideMaster");
      quillmere::Object theme = master.Child("Theme");
      for (int i = 1; i <= 12; ++i)
        benchmark::DoNotOptimize(theme.Child("ThemeColorScheme").Child("Colors", i).Get("RGB").AsLong());
      benchmark::DoNotOptimize(theme.Child("ThemeFontScheme").Child("MajorFont").Item(1).Get("Name").AsString());
      benchmark::DoNotOptimize(master.Get("BackgroundStyle").AsLong());
      quillmere::Object layouts = master.Child("CustomLayouts");
      for (int i = 1; i <= layouts.Count(); ++i) {
        quillmere::Object layout = layouts.Item(i);
        benchmark::DoNotOptimize(layout.Get("Name").AsString());
        benchmark::DoNotOptimize(layout.Get("FollowMasterBackground").AsLong());
        benchmark::DoNotOptimize(layout.Child("Background").Child("Fill").Get("Type").AsLong());
      }
    }
  }
}

void TemporarySlide(benchmark::State& state) {
  quillmere::engine::EngineRuntime runtime;
  quillmere::Object app;
  quillmere::Object pres = OpenThemes(runtime, app);
  quillmere::Object slides = pres.Child("Slides");
  quillmere::Object layout = pres.Child("Designs").Item(1).Child("SlideMaster").Child("CustomLayouts").Item(6);
  for (auto _ : state) {
    quillmere::Object slide = slides.Call("AddSlide", slides.Count() + 1, layout.Ptr());
    benchmark::DoNotOptimize(slide.Get("BackgroundStyle").AsLong());
    slide.Call("Delete");
  }
}

BENCHMARK(ReadDesigns)->Unit(benchmark::kMillisecond);
BENCHMARK(TemporarySlide)->Unit(benchmark::kMicrosecond);

}  // namespace
