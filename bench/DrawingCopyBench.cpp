// The copy of the deck drawn for shape images, without drawing it: what
// taking one image's page costs when it is asked for, and what writing a
// copy holding one page or many costs.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/model/document/PresentationDocument.h"
#include "engine/objects/shapes/ShapeDrawingCopy.h"
#include "engine/package/Package.h"

namespace {

namespace fs = std::filesystem;
namespace engine = quillmere::engine;

// 41 slides, about 480 shapes, charts and SmartArt, 32 layouts.
constexpr const char* kDeck = "poi__stress021.pptx";

struct Drawing {
  engine::PresentationDocument doc{engine::Package::Open(std::string(QUILLMERE_CORPUS_DIR) + "/" + kDeck)};
  engine::DrawingPlace place;
  engine::KeptShapes kept;
  explicit Drawing(bool ofMaster) {
    place = engine::PlaceToDraw(doc, ofMaster ? doc.Masters().front() : doc.Slides()[19].part, "bench");
    std::vector<engine::ShapeToDraw> drawn{{{0}, ""}};
    kept = engine::KeepOnlyDrawn(drawn);
  }
};

// The first shape of the part alone, as its page is taken at the call.
void PageTaken(benchmark::State& state, bool ofMaster) {
  Drawing drawing(ofMaster);
  engine::DrawingCopy copy;
  for (auto _ : state) {
    engine::DrawnPage page = engine::PageOfShapes(drawing.doc, drawing.place, drawing.kept);
    benchmark::DoNotOptimize(copy.Fits(drawing.doc, page));
  }
}

// A copy holding state.range(0) pages of that shape, written.
void CopyWritten(benchmark::State& state, bool ofMaster) {
  Drawing drawing(ofMaster);
  engine::DrawingCopy copy;
  for (int i = 0; i < state.range(0); ++i) {
    engine::DrawnPage page = engine::PageOfShapes(drawing.doc, drawing.place, drawing.kept);
    page.slide += "<!-- " + std::to_string(i) + " -->";  // not the same page again
    copy.Add(drawing.doc, std::move(page));
  }
  fs::path file = fs::temp_directory_path() / "quillmere-drawing-copy-bench.pptx";
  for (auto _ : state) {
    engine::DrawingCopy::Parts parts = copy.PartsFor(drawing.doc);
    drawing.doc.Pkg().SaveCopyWith(file, parts.replaced, parts.added);
  }
  fs::remove(file);
}

BENCHMARK_CAPTURE(PageTaken, slide_shape, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(PageTaken, master_shape, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(CopyWritten, slide_shape, false)->Arg(1)->Arg(48)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(CopyWritten, master_shape, true)->Arg(1)->Arg(48)->Unit(benchmark::kMicrosecond);

}  // namespace
