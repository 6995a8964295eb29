// Opening and closing a deck through the engine, and reading the facts the
// presentation header needs, on the largest decks of the corpus.

#include <benchmark/benchmark.h>

#include <string>

#include "engine/EngineRuntime.h"

namespace {

void OpenAndClose(benchmark::State& state, const char* deck) {
  quillmere::engine::EngineRuntime runtime;
  quillmere::Object app = runtime.CreateObject("PowerPoint.Application");
  std::string path = std::string(QUILLMERE_CORPUS_DIR) + "/" + deck;
  for (auto _ : state) {
    quillmere::Object pres = app.Child("Presentations").Call("Open2007", path, 0, -1, 0, 0);
    benchmark::DoNotOptimize(pres.Child("PageSetup").Get("SlideWidth").AsSingle());
    int slides = pres.Child("Slides").Count();
    for (int i = 1; i <= slides; ++i) benchmark::DoNotOptimize(pres.Child("Slides").Item(i).Child("Shapes").Count());
    pres.Call("Close");
  }
  app.Call("Quit");
}

BENCHMARK_CAPTURE(OpenAndClose, KEY02, "poi__KEY02.pptx")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(OpenAndClose, HowWeRefactor, "poi__ca.ubc.cs.people_~emhill_presentations_HowWeRefactor.pptx")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(OpenAndClose, themes, "poi__themes.pptx")->Unit(benchmark::kMillisecond);

}  // namespace
