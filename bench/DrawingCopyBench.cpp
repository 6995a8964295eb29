// Writing the copy of the deck drawn for one shape image, without drawing
// it: what keeping the parts that stay the same between images (empty
// slides, master, presentation) saves against making them for every image.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/model/PresentationDocument.h"
#include "engine/objects/ShapeDrawingCopy.h"
#include "engine/package/Package.h"

namespace {

namespace fs = std::filesystem;
namespace engine = quillmere::engine;

// 41 slides, about 480 shapes, charts and SmartArt, 32 layouts.
constexpr const char* kDeck = "poi__stress021.pptx";

void CopyWritten(benchmark::State& state, bool ofMaster, bool frameKept) {
  engine::PresentationDocument doc(engine::Package::Open(std::string(QUILLMERE_CORPUS_DIR) + "/" + kDeck));
  const std::string part = ofMaster ? doc.Masters().front() : doc.Slides()[19].part;
  engine::DrawingPlace place = engine::PlaceToDraw(doc, part, "bench");
  std::vector<engine::ShapeToDraw> drawn{{{0}, ""}};
  engine::KeptShapes kept = engine::KeepOnlyDrawn(drawn);
  const engine::Package::ReplacedParts frame = engine::DrawingFrame(doc, place);
  fs::path copy = fs::temp_directory_path() / "quillmere-drawing-copy-bench.pptx";
  for (auto _ : state) {
    engine::Package::ReplacedParts parts = frameKept ? frame : engine::DrawingFrame(doc, place);
    engine::PutDrawnShapes(parts, doc, place, kept);
    doc.Pkg().SaveCopyWith(copy, parts);
  }
  fs::remove(copy);
}

BENCHMARK_CAPTURE(CopyWritten, slide_shape_frame_made_each_time, false, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CopyWritten, slide_shape_frame_kept, false, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CopyWritten, master_shape_frame_made_each_time, true, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CopyWritten, master_shape_frame_kept, true, true)->Unit(benchmark::kMillisecond);

}  // namespace
