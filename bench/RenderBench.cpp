// Shape images on a shape-heavy deck: what one image costs as the writers ask
// for it (duplicate, edit, export, delete), how the edited state is best
// handed to the renderer (the whole deck again, or a copy that lists only the
// slide drawn), against LibreOffice converting the whole deck to PDF once.

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "engine/EngineRuntime.h"
#include "engine/package/Package.h"
#include "engine/render/SlideRenderer.h"

namespace {

namespace fs = std::filesystem;
using quillmere::Object;

constexpr const char* kDeck = "poi__stress021.pptx";  // 41 slides, about 480 shapes, charts and SmartArt
constexpr int kSlideWidthPx = 1512, kSlideHeightPx = 1134;  // 2.1 pixels per point, as the writers ask

std::string DeckPath() { return std::string(QUILLMERE_CORPUS_DIR) + "/" + kDeck; }
fs::path Scratch() { return fs::temp_directory_path() / "quillmere-render-bench"; }

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
  fs::create_directories(Scratch());
  // LibreOffice starting is paid once per run, not per image.
  shapes.front().Call("Export", (Scratch() / "first.png").string(), 2, kSlideWidthPx, kSlideHeightPx);
  size_t next = 0;
  int failed = 0;
  for (auto _ : state) {
    Object copy = shapes[next++ % shapes.size()].Child("Duplicate").Item(1);
    copy.Put("Rotation", 0.0f);
    try {
      copy.Call("Export", (Scratch() / "shape.png").string(), 2, kSlideWidthPx, kSlideHeightPx);
    } catch (const std::exception&) {
      ++failed;
    }
    copy.Call("Delete");
  }
  state.counters["failed"] = failed;
  app.Call("Quit");
  fs::remove_all(Scratch());
}

// The presentation part listing only the slide with that 0-based index.
std::string ListingOnly(quillmere::engine::Package& package, int slide) {
  pugi::xml_document copy;
  copy.reset(*package.FindXml(package.MainPartName()));
  pugi::xml_node list = copy.document_element().child("p:sldIdLst");
  int index = 0;
  for (pugi::xml_node entry = list.first_child(), next; entry; entry = next, ++index) {
    next = entry.next_sibling();
    if (index != slide) list.remove_child(entry);
  }
  std::ostringstream out;
  copy.save(out, "", pugi::format_raw);
  return out.str();
}

// After every edit the renderer must see the new state: the deck written and
// opened again whole, or as a copy listing the one slide. Each iteration one
// edit and one shape image of slide 20.
void HandOverEditedState(benchmark::State& state, bool slideAlone) {
  auto package = quillmere::engine::Package::Open(DeckPath());
  quillmere::engine::SlideRenderer renderer;
  fs::create_directories(Scratch());
  fs::path copy = Scratch() / "copy.pptx";
  constexpr int kSlide = 19;
  std::string listing = ListingOnly(*package, kSlide);
  // LibreOffice starting is paid once per run, not per image.
  renderer.Load(DeckPath(), "original");
  renderer.PageCount();
  int revision = 0;
  for (auto _ : state) {
    if (slideAlone) {
      package->SaveCopyWith(copy, {{package->MainPartName(), listing}});
    } else {
      package->SaveAs(copy);
    }
    renderer.Load(copy, std::to_string(++revision));
    renderer.ExportShapesScaled(slideAlone ? 0 : kSlide, {{0}}, Scratch() / "shape.png", kSlideWidthPx,
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
BENCHMARK_CAPTURE(HandOverEditedState, whole_deck, false)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(8);
BENCHMARK_CAPTURE(HandOverEditedState, slide_alone, true)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(8);
BENCHMARK(OneConversionToPdf)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

}  // namespace
