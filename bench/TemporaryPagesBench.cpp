// What the narration search and the background export ask of the engine:
// AnimationSettings and the media kind of every shape of every slide (the
// narration test runs on each slide), and a slide duplicated, its shapes
// hidden and the copy deleted (the background of a slide with its own), on
// HowWeRefactor (24 slides, 152 effects) and stress021 (large slides).

#include <benchmark/benchmark.h>

#include <string>

#include "engine/EngineRuntime.h"

namespace {

using quillmere::Object;

constexpr int kMedia = 16;
constexpr const char* kDecks[] = {"poi__ca.ubc.cs.people_~emhill_presentations_HowWeRefactor.pptx",
                                  "poi__stress021.pptx"};

Object OpenDeck(const Object& app, const char* deck) {
  return app.Child("Presentations").Call("Open", std::string(QUILLMERE_CORPUS_DIR) + "/" + deck, 0, -1, 0);
}

// The narration test of every shape, in the writers' order.
void NarrationSearch(benchmark::State& state) {
  quillmere::engine::EngineRuntime runtime;
  Object app = runtime.CreateObject("PowerPoint.Application");
  Object pres = OpenDeck(app, kDecks[state.range(0)]);
  Object slides = pres.Child("Slides");
  std::int64_t shapes = 0;
  for (auto _ : state) {
    for (int s = 1; s <= slides.Count(); ++s) {
      Object list = slides.Item(s).Child("Shapes");
      for (int i = 1; i <= list.Count(); ++i, ++shapes) {
        Object shape = list.Item(i);
        Object settings = shape.Child("AnimationSettings");
        if (settings.Get("Animate").AsLong() == 0 || settings.Get("AnimationOrder").AsLong() != 1) continue;
        if (shape.Get("Type").AsLong() == kMedia) benchmark::DoNotOptimize(shape.Get("MediaType"));
      }
    }
  }
  state.SetItemsProcessed(shapes);
}

// Duplicate, hide what is not background, delete: the slide's copy without drawing it.
void DuplicateHideDelete(benchmark::State& state) {
  quillmere::engine::EngineRuntime runtime;
  Object app = runtime.CreateObject("PowerPoint.Application");
  Object pres = OpenDeck(app, kDecks[state.range(0)]);
  Object slides = pres.Child("Slides");
  std::int64_t copies = 0;
  for (auto _ : state) {
    for (int s = 1; s <= slides.Count(); ++s, ++copies) {
      Object copy = Object(slides.Item(s).Call("Duplicate")).Item(1);
      copy.Put("DisplayMasterShapes", 0);
      Object shapes = copy.Child("Shapes");
      for (int i = 1, n = shapes.Count(); i <= n; ++i) shapes.Item(i).Put("Visible", 0);
      copy.Call("Delete");
    }
  }
  state.SetItemsProcessed(copies);
}

BENCHMARK(NarrationSearch)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(DuplicateHideDelete)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
