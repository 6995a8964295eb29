// The animation and link writers over every slide of the corpus deck with the
// most effects and on the one with the most links, reported per effect and per
// link: the timeline, the start times and every action setting, through the
// engine, without images.

#include <benchmark/benchmark.h>

#include <pugixml.hpp>
#include <string>

#include "bench/WriterDeck.h"
#include "slides/AnimationSettings.h"
#include "slides/HyperlinkProperties.h"

namespace {

void WriteAnimationsAndLinks(benchmark::State& state, const char* file) {
  WriterDeck deck(file);
  quillmere::Object slides = deck.pres.Child("Slides");
  int effects = 0, links = 0;
  for (int i = 1, n = slides.Count(); i <= n; ++i) {
    quillmere::Object slide = slides.Item(i);
    effects += slide.Child("TimeLine").Child("MainSequence").Count();
    links += slide.Child("Hyperlinks").Count();
  }
  for (auto _ : state) {
    pugi::xml_document doc;
    pugi::xml_node parent = doc.append_child("Slides");
    for (int i = 1, n = slides.Count(); i <= n; ++i) {
      quillmere::Object slide = slides.Item(i);
      quillmere::AnimationSettings(deck.context, slide, parent);
      quillmere::HyperlinkProperties(deck.context, slide, parent);
    }
    benchmark::DoNotOptimize(parent.first_child());
  }
  state.counters["effects"] = effects;
  state.counters["links"] = links;
  // Per effect on the deck of builds, per link on the deck of links.
  const auto perItem = benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert;
  if (effects > 0) state.counters["per_effect"] = benchmark::Counter(effects, perItem);
  if (links > 0) state.counters["per_link"] = benchmark::Counter(links, perItem);
}

BENCHMARK_CAPTURE(WriteAnimationsAndLinks, HowWeRefactor,
                  "poi__ca.ubc.cs.people_~emhill_presentations_HowWeRefactor.pptx")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WriteAnimationsAndLinks, stress022, "poi__stress022.pptx")->Unit(benchmark::kMillisecond);

}  // namespace
