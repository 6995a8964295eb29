// The copy of the deck drawn for one shape image, without drawing it: what
// making the parts that stay the same between images (empty slides, master,
// presentation) costs, against writing the whole copy with them kept.

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

struct Drawing {
  engine::PresentationDocument doc{engine::Package::Open(std::string(QUILLMERE_CORPUS_DIR) + "/" + kDeck)};
  engine::DrawingPlace place;
  explicit Drawing(bool ofMaster) {
    place = engine::PlaceToDraw(doc, ofMaster ? doc.Masters().front() : doc.Slides()[19].part, "bench");
  }
};

void FrameMade(benchmark::State& state, bool ofMaster) {
  Drawing drawing(ofMaster);
  for (auto _ : state) benchmark::DoNotOptimize(engine::DrawingFrame(drawing.doc, drawing.place));
}

// The first shape of the part alone, with the frame kept.
void CopyWritten(benchmark::State& state, bool ofMaster) {
  Drawing drawing(ofMaster);
  std::vector<engine::ShapeToDraw> drawn{{{0}, ""}};
  engine::KeptShapes kept = engine::KeepOnlyDrawn(drawn);
  const engine::Package::ReplacedParts frame = engine::DrawingFrame(drawing.doc, drawing.place);
  fs::path copy = fs::temp_directory_path() / "quillmere-drawing-copy-bench.pptx";
  for (auto _ : state) {
    engine::Package::ReplacedParts parts = frame;
    engine::PutDrawnShapes(parts, drawing.doc, drawing.place, kept);
    drawing.doc.Pkg().SaveCopyWith(copy, parts);
  }
  fs::remove(copy);
}

BENCHMARK_CAPTURE(FrameMade, slide_shape, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(FrameMade, master_shape, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(CopyWritten, slide_shape, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(CopyWritten, master_shape, true)->Unit(benchmark::kMicrosecond);

}  // namespace
