// One property read through the object model, as the writers make millions
// of them: a shape's position and name, a run's font size, a slide's index
// and an animation effect's type, each read again and again on one object.

#include <benchmark/benchmark.h>

#include "bench/WriterDeck.h"

namespace {

using quillmere::Object;

void ReadProperty(benchmark::State& state, Object object, const char* member) {
  for (auto _ : state) benchmark::DoNotOptimize(object.Get(member));
}

// HowWeRefactor's first slide has text, shapes and builds.
struct Subjects {
  WriterDeck deck{"poi__ca.ubc.cs.people_~emhill_presentations_HowWeRefactor.pptx"};
  Object slide = deck.pres.Child("Slides").Item(2);
  Object shape = slide.Child("Shapes").Item(1);
  Object font = shape.Child("TextFrame2").Child("TextRange").Child("Runs").Item(1).Child("Font");
  Object effect = slide.Child("TimeLine").Child("MainSequence").Item(1);
};

Subjects& Shared() {
  static Subjects subjects;
  return subjects;
}

void ShapeLeft(benchmark::State& state) { ReadProperty(state, Shared().shape, "Left"); }
void ShapeName(benchmark::State& state) { ReadProperty(state, Shared().shape, "Name"); }
void RunFontSize(benchmark::State& state) { ReadProperty(state, Shared().font, "Size"); }
void SlideIndex(benchmark::State& state) { ReadProperty(state, Shared().slide, "SlideIndex"); }
void EffectType(benchmark::State& state) { ReadProperty(state, Shared().effect, "EffectType"); }

BENCHMARK(ShapeLeft)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(ShapeName)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(RunFontSize)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(SlideIndex)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(EffectType)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
