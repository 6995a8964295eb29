// The design part of an export on the corpus deck with the most masters and
// layouts (9 masters, 99 layouts), reported per layout: the themes, the
// masters' and layouts' backgrounds and shapes, without images.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <pugixml.hpp>
#include <string>

#include "component/ExportState.h"
#include "component/automation/Object.h"
#include "engine/EngineRuntime.h"
#include "slides/DesignProperties.h"

namespace {

void WriteDesigns(benchmark::State& state, const char* deck) {
  quillmere::engine::EngineOptions options;
  options.drawImages = false;
  quillmere::Object app = quillmere::engine::EngineRuntime(options).CreateObject("PowerPoint.Application");
  quillmere::Object pres =
      app.Child("Presentations").Call("Open2007", std::string(QUILLMERE_CORPUS_DIR) + "/" + deck, -1, -1, 0, 0);
  quillmere::ExportState& export_state = quillmere::CurrentExportState();
  export_state = quillmere::ExportState{};
  export_state.application = app;
  export_state.outputFolder = (std::filesystem::temp_directory_path() / "quillmere-design-bench").string() + "/";
  export_state.slideWidth = pres.Child("PageSetup").Get("SlideWidth").AsSingle();
  export_state.slideHeight = pres.Child("PageSetup").Get("SlideHeight").AsSingle();
  export_state.scaleX = export_state.scaleY = 4.0f / 3.0f;

  quillmere::Object designs = pres.Child("Designs");
  int layouts = 0;
  for (int i = 1, n = designs.Count(); i <= n; ++i)
    layouts += designs.Item(i).Child("SlideMaster").Child("CustomLayouts").Count();
  for (auto _ : state) {
    pugi::xml_document doc;
    pugi::xml_node parent = doc.append_child("Designs");
    for (int i = 1, n = designs.Count(); i <= n; ++i)
      quillmere::DesignProperties(designs.Item(i), parent, pres, quillmere::UsedLayouts{});
    benchmark::DoNotOptimize(parent.first_child());
  }
  state.counters["layouts"] = layouts;
  state.counters["per_layout"] =
      benchmark::Counter(layouts, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  pres.Call("Close");
  app.Call("Quit");
  std::filesystem::remove_all(export_state.outputFolder);
}

BENCHMARK_CAPTURE(WriteDesigns, LeadershipSummit, "poi__aascu.org_hbcu_leadershipsummit_cooper_.pptx")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WriteDesigns, themes, "poi__themes.pptx")->Unit(benchmark::kMillisecond);

}  // namespace
