// The floor an export with images is measured against: what LibreOffice
// itself takes to draw as many images from the deck, with none of the
// writers' work. One renderer starts once, loads the deck once, draws every
// page as a PNG and then the given number of shape images as EMFs (each
// top-level shape of each page in turn), which is about the least any export
// drawing through LibreOffice can spend on them.
//
//   quillmere-draw-yardstick DECK WIDTH HEIGHT SHAPES   prints the seconds of each step

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "engine/render/SlideRenderer.h"
#include "support/files/Paths.h"

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5 || argc % 2 == 0) {
    std::fprintf(stderr, "usage: quillmere-draw-yardstick DECK WIDTH HEIGHT EMFS [PNGWIDTH PNGHEIGHT]...\n");
    return 2;
  }
  const std::filesystem::path deck = argv[1];
  const int width = std::atoi(argv[2]), height = std::atoi(argv[3]), shapes = std::atoi(argv[4]);
  const std::filesystem::path out = quillmere::Utf8Path(quillmere::GetTempFolder()) / "draw-yardstick";
  try {
    auto start = Clock::now();
    quillmere::engine::SlideRenderer renderer;
    renderer.EnsureRunning();
    double started = SecondsSince(start);
    renderer.Load(deck, "1");
    int pages = renderer.PageCount();
    double loaded = SecondsSince(start);
    for (int page = 0; page < pages; ++page)
      renderer.ExportPage(page, out / ("page" + std::to_string(page) + ".png"), width, height);
    double drawnPages = SecondsSince(start);
    // Each shape once while there are more (LibreOffice keeps what it worked
    // out for a shape it drew, so drawing one shape again would cost less).
    int drawn = 0;
    for (int index = 0; drawn < shapes;) {
      int drawnThisRound = 0;
      for (int page = 0; page < pages && drawn < shapes; ++page) {
        try {
          renderer.ExportShapesEmf(page, {{index}}, out / ("shape" + std::to_string(drawn) + ".emf"));
          ++drawn;
          ++drawnThisRound;
        } catch (const quillmere::engine::RenderError&) {
          // the page has fewer shapes
        }
      }
      if (drawnThisRound > 0) {
        ++index;
      } else if (index > 0) {
        index = 0;  // every shape drawn once: round again
      } else {
        break;  // no page has a shape
      }
    }
    double drawnShapes = SecondsSince(start);
    int pngs = 0;
    for (int arg = 5; arg + 1 < argc && pages > 0; arg += 2, ++pngs)
      renderer.ExportPage(pngs % pages, out / ("png" + std::to_string(pngs) + ".png"), std::atoi(argv[arg]),
                          std::atoi(argv[arg + 1]));
    double drawnPngs = SecondsSince(start);
    renderer.Shutdown();
    std::printf("start %.3f load %.3f pages %d %.3f emfs %d %.3f pngs %d %.3f total %.3f\n", started, loaded - started,
                pages, drawnPages - loaded, drawn, drawnShapes - drawnPages, pngs, drawnPngs - drawnShapes,
                SecondsSince(start));
  } catch (const quillmere::engine::RenderError& e) {
    std::fprintf(stderr, "quillmere-draw-yardstick: %s\n", e.what());
    quillmere::RemoveTempFolder();
    return 1;
  }
  quillmere::RemoveTempFolder();  // the images and the renderer's profile
  return 0;
}
