// A whole export of the largest corpus decks through the engine, reported per
// slide and per shape: the description alone, and with the slide and shape
// images drawn.

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "component/PPTInfo.h"
#include "engine/EngineRuntime.h"

namespace {

void ExportDeck(benchmark::State& state, const char* deck, bool drawImages) {
  quillmere::engine::RegisterEngine();
  quillmere::engine::EngineOptions options;
  options.drawImages = drawImages;
  quillmere::PPTInfo info(quillmere::PPTInfoOptions{std::make_shared<quillmere::engine::EngineRuntime>(options), {}});
  std::string out = (std::filesystem::temp_directory_path() / "quillmere-export-bench").string();
  int slides = 0;
  std::size_t shapes = 0;
  for (auto _ : state) {
    std::filesystem::remove_all(out);
    std::string name = std::string(QUILLMERE_CORPUS_DIR) + "/" + deck, xml;
    if (info.PPTPresentation(name, xml, out) != 0) state.SkipWithError("the export failed");
    if (slides == 0) {
      pugi::xml_document doc;
      doc.load_file(xml.c_str());
      slides = doc.child("Presentation").child("SlideCount").text().as_int();
      shapes = doc.select_nodes("//Shape").size();
    }
  }
  state.counters["slides"] = slides;
  state.counters["shapes"] = static_cast<double>(shapes);
  // Seconds per slide and per shape.
  state.counters["per_slide"] = benchmark::Counter(slides, benchmark::Counter::kIsIterationInvariantRate |
                                                               benchmark::Counter::kInvert);
  state.counters["per_shape"] = benchmark::Counter(static_cast<double>(shapes),
                                                   benchmark::Counter::kIsIterationInvariantRate |
                                                       benchmark::Counter::kInvert);
  std::filesystem::remove_all(out);
}

void ConvertToPdf(benchmark::State& state, const char* deck, int slides) {
  std::filesystem::path out = std::filesystem::temp_directory_path() / "quillmere-pdf-bench";
  std::string command = "soffice -env:UserInstallation=file://" + (out / "profile").string() +
                        " --headless --convert-to pdf --outdir " + out.string() + " " + QUILLMERE_CORPUS_DIR + "/" +
                        deck + " >/dev/null 2>&1";
  // A first run outside the timing makes the profile, so only the conversion is measured.
  if (std::system(command.c_str()) != 0) state.SkipWithError("soffice failed");
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("soffice failed");
  }
  state.counters["per_slide"] = benchmark::Counter(slides, benchmark::Counter::kIsIterationInvariantRate |
                                                               benchmark::Counter::kInvert);
  std::filesystem::remove_all(out);
}

BENCHMARK_CAPTURE(ExportDeck, KEY02_xml, "poi__KEY02.pptx", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ExportDeck, PerformanceUp_xml, "poi__2411-Performance_Up.pptx", false)->Unit(benchmark::kMillisecond);
// With images each iteration starts LibreOffice once, as one export run does;
// beside it, LibreOffice converting the same deck to PDF once.
BENCHMARK_CAPTURE(ExportDeck, PerformanceUp_images, "poi__2411-Performance_Up.pptx", true)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK_CAPTURE(ConvertToPdf, PerformanceUp, "poi__2411-Performance_Up.pptx", 48)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
// Shape-heavy: hundreds of shapes, some of them drawn as images.
BENCHMARK_CAPTURE(ExportDeck, Stress021_xml, "poi__stress021.pptx", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ExportDeck, HowWeRefactor_xml, "poi__ca.ubc.cs.people_~emhill_presentations_HowWeRefactor.pptx", false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ExportDeck, Stress021_images, "poi__stress021.pptx", true)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);
BENCHMARK_CAPTURE(ConvertToPdf, Stress021, "poi__stress021.pptx", 41)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);
// Over a thousand shape images, each drawn between the writers' edits.
BENCHMARK_CAPTURE(ExportDeck, HowWeRefactor_images, "poi__ca.ubc.cs.people_~emhill_presentations_HowWeRefactor.pptx",
                  true)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);
BENCHMARK_CAPTURE(ConvertToPdf, HowWeRefactor, "poi__ca.ubc.cs.people_~emhill_presentations_HowWeRefactor.pptx", 28)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

}  // namespace
