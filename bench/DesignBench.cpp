// The design part of an export on the corpus deck with the most masters and
// layouts (9 masters, 99 layouts), reported per layout: the themes, the
// masters' and layouts' backgrounds and shapes, without images.

#include <benchmark/benchmark.h>

#include <pugixml.hpp>
#include <string>

#include "bench/WriterDeck.h"
#include "slides/DesignProperties.h"

namespace {

void WriteDesigns(benchmark::State& state, const char* file) {
  WriterDeck deck(file);
  const quillmere::Object& pres = deck.pres;
  quillmere::Object designs = pres.Child("Designs");
  int layouts = 0;
  for (int i = 1, n = designs.Count(); i <= n; ++i)
    layouts += designs.Item(i).Child("SlideMaster").Child("CustomLayouts").Count();
  for (auto _ : state) {
    pugi::xml_document doc;
    pugi::xml_node parent = doc.append_child("Designs");
    for (int i = 1, n = designs.Count(); i <= n; ++i)
      quillmere::DesignProperties(deck.context, designs.Item(i), parent, pres, quillmere::UsedLayouts{});
    benchmark::DoNotOptimize(parent.first_child());
  }
  state.counters["layouts"] = layouts;
  state.counters["per_layout"] =
      benchmark::Counter(layouts, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

BENCHMARK_CAPTURE(WriteDesigns, LeadershipSummit, "poi__aascu.org_hbcu_leadershipsummit_cooper_.pptx")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WriteDesigns, themes, "poi__themes.pptx")->Unit(benchmark::kMillisecond);

}  // namespace
