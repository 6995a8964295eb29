// Shape images on a shape-heavy deck and on a deck's master and layouts:
// what one image costs as the writers ask for it (duplicate or companion,
// edit, export, delete), how the edited state is best
// handed to the renderer (the whole deck again, or a copy whose other slides
// are empty), against LibreOffice converting the whole deck to PDF once.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "engine/EngineRuntime.h"
#include "engine/model/document/PresentationDocument.h"
#include "engine/package/Package.h"
#include "engine/render/SlideRenderer.h"

namespace {

namespace fs = std::filesystem;
using quillmere::Object;

constexpr const char* kDeck = "poi__stress021.pptx";  // 41 slides, about 480 shapes, charts and SmartArt
constexpr int kSlideWidthPx = 1512, kSlideHeightPx = 1134;  // 2.1 pixels per point, as the writers ask

std::string DeckPath() { return std::string(QUILLMERE_CORPUS_DIR) + "/" + kDeck; }
fs::path Scratch() { return fs::temp_directory_path() / "quillmere-render-bench"; }

// Whether the export went through.
bool Drawn(const std::function<void()>& exportImage) {
  try {
    exportImage();
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

// Each iteration one image drawn by drawImage(i, file), which says whether it
// was. LibreOffice starting is paid once per run, not per image: the first is
// drawn outside the timing.
void TimeImages(benchmark::State& state, Object& app, const std::function<bool(size_t, const fs::path&)>& drawImage) {
  fs::create_directories(Scratch());
  drawImage(0, Scratch() / "first.png");
  size_t next = 1;
  int failed = 0;
  for (auto _ : state)
    if (!drawImage(next++, Scratch() / "shape.png")) ++failed;
  state.counters["failed"] = failed;
  app.Call("Quit");
  fs::remove_all(Scratch());
}

// Each iteration one shape, taken in turn from every slide.
void ShapeImageAsWritersAsk(benchmark::State& state) {
  quillmere::engine::EngineRuntime runtime;
  Object app = runtime.CreateObject("PowerPoint.Application");
  Object pres = app.Child("Presentations").Call("Open", DeckPath(), 0, -1, 0);
  std::vector<Object> shapes;
  for (int s = 1, n = pres.Child("Slides").Count(); s <= n; ++s) {
    Object slideShapes = pres.Child("Slides").Item(s).Child("Shapes");
    for (int i = 1, m = slideShapes.Count(); i <= m; ++i) shapes.push_back(slideShapes.Item(i));
  }
  TimeImages(state, app, [&](size_t i, const fs::path& out) {
    Object copy = shapes[i % shapes.size()].Child("Duplicate").Item(1);
    copy.Put("Rotation", 0.0f);
    bool drawn = Drawn([&] { copy.Call("Export", out.string(), 2, kSlideWidthPx, kSlideHeightPx); });
    copy.Call("Delete");
    return drawn;
  });
}

// Each iteration one shape of a master or layout, taken in turn, drawn with
// an invisible companion of its frame as the shape writer asks.
void DesignShapeImageAsWritersAsk(benchmark::State& state) {
  quillmere::engine::EngineRuntime runtime;
  Object app = runtime.CreateObject("PowerPoint.Application");
  // 1920 x 1080 pt; a master with a group and a picture, seven layouts with pictures.
  Object pres = app.Child("Presentations")
                    .Call("Open", std::string(QUILLMERE_CORPUS_DIR) + "/poi__bug65228.pptx", 0, -1, 0);
  Object master = pres.Child("Designs").Item(1).Child("SlideMaster");
  std::vector<Object> parts{master};
  for (int i = 1, n = master.Child("CustomLayouts").Count(); i <= n; ++i)
    parts.push_back(master.Child("CustomLayouts").Item(i));
  std::vector<std::pair<Object, std::string>> shapes;  // a part's shapes, the name of one of them
  for (const Object& part : parts) {
    Object partShapes = part.Child("Shapes");
    for (int i = 1, m = partShapes.Count(); i <= m; ++i)
      shapes.emplace_back(partShapes, partShapes.Item(i).Get("Name").AsString());
  }
  TimeImages(state, app, [&](size_t i, const fs::path& out) {
    auto& [partShapes, name] = shapes[i % shapes.size()];
    Object shape = partShapes.Item(name);
    Object companion = partShapes.Child("AddShape", 1, shape.Get("Left").AsSingle(), shape.Get("Top").AsSingle(),
                                        shape.Get("Width").AsSingle(), shape.Get("Height").AsSingle());
    companion.Child("Fill").Put("Visible", false);
    Object range = partShapes.Child("Range", name, companion.Get("Name").AsString());
    bool drawn = Drawn([&] { range.Call("Export", out.string(), 2, 2 * 1920, 2 * 1080); });
    companion.Call("Delete");
    return drawn;
  });
}

// Every slide part but the one with that 0-based index emptied, as the
// engine hands over one slide.
quillmere::engine::Package::ReplacedParts OthersEmptied(quillmere::engine::PresentationDocument& doc, int slide) {
  const std::string empty =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?><p:sld "
      "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" "
      "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\" "
      "xmlns:p=\"http://schemas.openxmlformats.org/presentationml/2006/main\"><p:cSld><p:spTree><p:nvGrpSpPr>"
      "<p:cNvPr id=\"1\" name=\"\"/><p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr><p:grpSpPr/></p:spTree></p:cSld></p:sld>";
  quillmere::engine::Package::ReplacedParts replaced;
  for (int i = 0, n = static_cast<int>(doc.Slides().size()); i < n; ++i)
    if (i != slide) replaced.emplace(doc.Slides()[i].part, empty);
  return replaced;
}

// After every edit the renderer must see the new state: the deck written and
// opened again whole, or as a copy whose other slides are empty. Each
// iteration one edit and one shape image of slide 20.
void HandOverEditedState(benchmark::State& state, bool slideAlone) {
  quillmere::engine::PresentationDocument doc(quillmere::engine::Package::Open(DeckPath()));
  quillmere::engine::Package* package = &doc.Pkg();
  quillmere::engine::SlideRenderer renderer;
  fs::create_directories(Scratch());
  fs::path copy = Scratch() / "copy.pptx";
  constexpr int kSlide = 19;
  quillmere::engine::Package::ReplacedParts emptied = OthersEmptied(doc, kSlide);
  // LibreOffice starting is paid once per run, not per image.
  renderer.Load(DeckPath(), "original");
  renderer.PageCount();
  int revision = 0;
  for (auto _ : state) {
    if (slideAlone) {
      package->SaveCopyWith(copy, emptied);
    } else {
      package->SaveAs(copy);
    }
    renderer.Load(copy, std::to_string(++revision));
    renderer.ExportShapesScaled(kSlide, {{0}}, Scratch() / "shape.png", kSlideWidthPx,
                                kSlideHeightPx);
  }
  renderer.Shutdown();
  fs::remove_all(Scratch());
}

void OneConversionToPdf(benchmark::State& state) {
  fs::path out = Scratch() / "pdf";
  std::string command = "soffice -env:UserInstallation=file://" + (out / "profile").string() +
                        " --headless --convert-to pdf --outdir " + out.string() + " " + DeckPath() + " >/dev/null 2>&1";
  // The profile is made outside the timing.
  if (std::system(command.c_str()) != 0) state.SkipWithError("soffice failed");
  for (auto _ : state)
    if (std::system(command.c_str()) != 0) state.SkipWithError("soffice failed");
  fs::remove_all(Scratch());
}

BENCHMARK(ShapeImageAsWritersAsk)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(40);
BENCHMARK(DesignShapeImageAsWritersAsk)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(40);
BENCHMARK_CAPTURE(HandOverEditedState, whole_deck, false)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(8);
BENCHMARK_CAPTURE(HandOverEditedState, slide_alone, true)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(8);
BENCHMARK(OneConversionToPdf)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

}  // namespace
