// The text writer over one body placeholder holding thousands of runs: the
// time per run must stay flat as runs grow, and the text's inheritance
// (shape, layout, master, presentation defaults) is worked out once per shape,
// so a property read after the first costs far less than the first.

#include <benchmark/benchmark.h>

#include <pugixml.hpp>

#include <string>

#include "engine/EngineRuntime.h"
#include "objectmodel/ExportContext.h"
#include "objectmodel/automation/Object.h"
#include "shapes/TextProperties.h"

namespace {

constexpr int kRunsPerParagraph = 10;

// The demo deck's body placeholder, its text made of `runs` runs: paragraphs
// of ten runs each, the runs parted by line breaks, each run starting with `word`.
class TextHeavyDeck {
 public:
  TextHeavyDeck(int runs, const std::string& word) {
    app_ = quillmere::engine::EngineRuntime(quillmere::engine::EngineOptions{14}).CreateObject("PowerPoint.Application");
    pres_ = app_.Child("Presentations").Call("Open", std::string(QUILLMERE_SAMPLES_DIR) + "/quillmere-demo.pptx", -1, -1, 0);
    shape_ = pres_.Child("Slides").Item(2).Child("Shapes").Item("PlaceHolder 2");
    std::string text;
    for (int i = 0; i < runs; ++i)
      text += (i == 0 ? "" : i % kRunsPerParagraph == 0 ? "\r" : "\v") + word + std::to_string(i);
    shape_.Child("TextFrame").Child("TextRange").Put("Text", text);
    context_.application = app_;
    context_.slideWidth = 720.0f;
    context_.slideHeight = 540.0f;
    context_.scaleX = context_.scaleY = 1.0f;
  }
  ~TextHeavyDeck() { app_.Call("Quit"); }
  const quillmere::Object& Shape() const { return shape_; }
  quillmere::ExportContext& Context() { return context_; }
  // The size of the first run, read afresh through the object model.
  float FirstRunSize() const {
    return shape_.Child("TextFrame2").Child("TextRange").Child("Runs", 1).Child("Font").Get("Size").AsSingle();
  }
  // Setting the text again drops what the engine worked out about the shape's text.
  void ForgetTextStyles() const {
    quillmere::Object range = shape_.Child("TextFrame").Child("TextRange");
    range.Put("Text", range.Get("Text"));
  }

 private:
  quillmere::Object app_, pres_, shape_;
  quillmere::ExportContext context_;
};

// The writer over `runs` runs each starting with `word`. With a curly
// apostrophe in every run, each run holds a character whose ANSI code differs
// from its Unicode code, which the symbol-font check copies.
void WriteTextRange(benchmark::State& state, const std::string& word) {
  TextHeavyDeck deck(static_cast<int>(state.range(0)), word);
  for (auto _ : state) {
    pugi::xml_document doc;
    quillmere::TextRangeProperties(deck.Context(), deck.Shape(), doc.append_child("Shape"), "TextRange");
    benchmark::DoNotOptimize(doc.first_child().first_child());
  }
  state.counters["per_run"] = benchmark::Counter(static_cast<double>(state.range(0)),
                                                 benchmark::Counter::kIsIterationInvariantRate |
                                                     benchmark::Counter::kInvert);
  state.SetComplexityN(state.range(0));
}

BENCHMARK_CAPTURE(WriteTextRange, plain, std::string("Run "))
    ->Arg(250)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK_CAPTURE(WriteTextRange, apostrophes, std::string("Run\u2019s "))
    ->Arg(250)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond)->Complexity();

// One font size read on a shape whose inheritance is not worked out yet, and
// the same read once it is: the gap is what the cache saves on every other read.
void FirstFontSizeRead(benchmark::State& state) {
  TextHeavyDeck deck(kRunsPerParagraph, "Run ");
  for (auto _ : state) {
    state.PauseTiming();
    deck.ForgetTextStyles();
    state.ResumeTiming();
    benchmark::DoNotOptimize(deck.FirstRunSize());
  }
}

void LaterFontSizeRead(benchmark::State& state) {
  TextHeavyDeck deck(kRunsPerParagraph, "Run ");
  deck.FirstRunSize();
  for (auto _ : state) benchmark::DoNotOptimize(deck.FirstRunSize());
}

BENCHMARK(FirstFontSizeRead)->Unit(benchmark::kMicrosecond);
BENCHMARK(LaterFontSizeRead)->Unit(benchmark::kMicrosecond);

}  // namespace
