// The description of one slide as its shapes grow in number: every shape's
// colours, effects and placeholder lookups must cost the same however many
// shapes share the slide, so the time per shape stays flat.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "component/PPTInfo.h"
#include "engine/EngineRuntime.h"
#include "objectmodel/automation/Object.h"

namespace {

// A copy of a one-slide corpus deck whose styled rectangle is repeated until the slide holds `count` shapes.
std::string DeckWithShapes(int count) {
  std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("quillmere-shapes-" + std::to_string(count) + ".pptx");
  if (std::filesystem::exists(file)) return file.string();
  quillmere::Object app =
      quillmere::engine::EngineRuntime(quillmere::engine::EngineOptions{}).CreateObject("PowerPoint.Application");
  quillmere::Object pres = app.Child("Presentations")
                               .Call("Open", std::string(QUILLMERE_CORPUS_DIR) + "/poi__54542_cropped_bitmap.pptx",
                                     0, -1, 0);
  quillmere::Object shapes = pres.Child("Slides").Item(1).Child("Shapes");
  quillmere::Object rectangle = shapes.Item("Rectangle 5");
  while (shapes.Count() < count) rectangle.Call("Duplicate");
  pres.Call("SaveCopyAs", file.string());
  pres.Call("Close");
  return file.string();
}

void DescribeSlide(benchmark::State& state) {
  quillmere::engine::RegisterEngine();
  quillmere::engine::EngineOptions options;
  options.drawImages = false;
  quillmere::PPTInfo info(quillmere::PPTInfoOptions{std::make_shared<quillmere::engine::EngineRuntime>(options), {}});
  std::string deck = DeckWithShapes(static_cast<int>(state.range(0)));
  std::string out = (std::filesystem::temp_directory_path() / "quillmere-shapes-out").string(), xml;
  for (auto _ : state) {
    std::filesystem::remove_all(out);
    if (info.PPTPresentation(deck, xml, out) != 0) state.SkipWithError("the export failed");
  }
  state.counters["per_shape"] = benchmark::Counter(static_cast<double>(state.range(0)),
                                                   benchmark::Counter::kIsIterationInvariantRate |
                                                       benchmark::Counter::kInvert);
  state.SetComplexityN(state.range(0));
  std::filesystem::remove_all(out);
}

BENCHMARK(DescribeSlide)->RangeMultiplier(2)->Range(100, 800)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace
