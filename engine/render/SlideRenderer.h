#pragma once
// Slide and shape images drawn by LibreOffice. One quillmere-render server
// (engine/render/server/) is kept running for a whole export run, so that
// LibreOffice starts once (about 3 s) rather than once per image.
//
// The engine owns one SlideRenderer per Application. Nothing starts before
// the first image is asked for; Shutdown (or the destructor) ends the server.
// Use it from one thread: the server also ends when the thread that started
// it ends, so that nothing outlives a killed export.
//
//   renderer.Load(deckFile, revision);            // cheap while both are unchanged
//   renderer.ExportPage(slideIndex - 1, "out.png", 960, 540);
//   renderer.ExportShapesPng(slideIndex - 1, {{shapeIndex - 1}}, "shape.png", 200, 100);
//
// Pages and shapes are 0-based: pages in deck order, hidden slides included;
// a shape is its index among the slide's top-level shapes, followed, for a
// shape inside groups, by its index in each group. Every failure throws
// RenderError, whose text is meant for the user.
//
// A request that overruns its time limit kills the server with LibreOffice
// and removes its profile. The next request starts a fresh server once; when
// that one is lost too, every later request fails at once. A server that
// does not start at all is not tried again either: callers retry failures,
// and each try would wait for LibreOffice once more.

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/render/PageTextWords.h"
#include "engine/render/RenderError.h"

namespace quillmere::engine {

class PipedProcess;

struct RenderTimeouts {
  std::chrono::milliseconds start{120'000};  // LibreOffice starting and answering
  std::chrono::milliseconds load{120'000};   // opening a deck
  std::chrono::milliseconds image{30'000};   // one page or shape image, or the page count
  std::chrono::milliseconds quit{10'000};    // ending in Shutdown before the server is killed
};

struct RendererSetup {
  std::filesystem::path soffice;  // FindSoffice(); empty when LibreOffice is not installed
  std::filesystem::path server;   // FindRenderServer()
  RenderTimeouts timeouts;
};

// The installed LibreOffice and render server with the default time limits.
RendererSetup DefaultRendererSetup();

using ShapePath = std::vector<int>;

class SlideRenderer {
 public:
  explicit SlideRenderer(RendererSetup setup = DefaultRendererSetup());
  ~SlideRenderer();
  SlideRenderer(const SlideRenderer&) = delete;
  SlideRenderer& operator=(const SlideRenderer&) = delete;

  // Empty when images can be drawn; otherwise why not (LibreOffice or the
  // render server is missing), for telling the user once. Every request then
  // fails at once with this text.
  const std::string& UnavailableReason() const { return unavailable_; }

  // The deck later requests draw. It is (re)loaded by the next request only
  // when the path or the revision differs from what the server has loaded:
  // change the revision whenever the file is rewritten.
  void Load(const std::filesystem::path& deck, std::string revision);

  int PageCount();
  // The page as a PNG of exactly widthPx x heightPx.
  void ExportPage(int page, const std::filesystem::path& out, int widthPx, int heightPx);
  // The listed shapes of the page drawn together, as a PNG of exactly
  // widthPx x heightPx with a transparent background. With names (one per
  // shape, empty for none), a shape whose path LibreOffice counts differently
  // is found by its name.
  void ExportShapesPng(int page, const std::vector<ShapePath>& shapes, const std::filesystem::path& out, int widthPx,
                       int heightPx, const std::vector<std::string>& names = {});
  // The same drawn at the scale at which the whole page would be pageWidthPx x
  // pageHeightPx; returns the image's width and height in pixels.
  std::pair<int, int> ExportShapesScaled(int page, const std::vector<ShapePath>& shapes,
                                         const std::filesystem::path& out, int pageWidthPx, int pageHeightPx,
                                         const std::vector<std::string>& names = {});
  // The same as an EMF at the shapes' own size.
  void ExportShapesEmf(int page, const std::vector<ShapePath>& shapes, const std::filesystem::path& out,
                       const std::vector<std::string>& names = {});

  // What LibreOffice reads as the text of each shape of the page, for
  // checking our own reading against an independent one.
  std::vector<renderprotocol::ShapeText> PageText(int page);

  // True once no more images can be drawn in this run (nothing installed, or
  // the server would not start or was lost beyond its restart).
  bool Down() const { return !unavailable_.empty() || losses_ >= kMaxLosses; }

  // Documents the running server has loaded, as it reports them.
  int DocumentLoads() const { return loads_; }

  // Starts the server unless it runs: throws RenderError when it cannot.
  void EnsureRunning();

  // Asks the server to quit, kills what is left of it after the quit time
  // limit and removes its profile. A later request starts a new server.
  void Shutdown();

 private:
  struct Document {
    std::filesystem::path path;
    std::string revision;
    bool operator==(const Document&) const = default;
  };

  static constexpr int kMaxLosses = 2;  // the first server and one restart
  void Start();
  void EnsureDocument();
  // The words after "ok" of the server's reply.
  std::vector<std::string> Exchange(const std::vector<std::string>& request, std::chrono::milliseconds timeout);
  // Kills the server, counts the loss and throws RenderError(why).
  [[noreturn]] void Lose(const std::string& why);
  std::string ServerLogNote() const;
  void RemoveWorkFolder();

  RendererSetup setup_;
  std::string unavailable_;
  std::unique_ptr<PipedProcess> server_;
  std::filesystem::path workFolder_;  // the server's profile and log
  int losses_ = 0;
  bool starting_ = false;
  std::string lastLoss_;
  std::optional<Document> wanted_, loaded_;
  std::optional<std::pair<Document, std::string>> refusedLoad_;  // a deck LibreOffice would not open, and why
  int pages_ = -1;
  int loads_ = 0;
};

}  // namespace quillmere::engine
