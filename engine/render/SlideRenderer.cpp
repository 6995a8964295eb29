#include "engine/render/SlideRenderer.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <system_error>

#include "engine/package/LibreOfficeInstallation.h"
#include "engine/package/PipedProcess.h"
#include "engine/render/RenderProtocol.h"
#include "engine/render/RenderServerLocation.h"
#include "support/files/Paths.h"

namespace quillmere::engine {
namespace {

namespace fs = std::filesystem;
using renderprotocol::JoinWords;
using renderprotocol::SplitWords;

std::string Seconds(std::chrono::milliseconds duration) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f s", static_cast<double>(duration.count()) / 1000);
  return text;
}

std::string Absolute(const fs::path& path) {
  std::error_code error;
  fs::path absolute = fs::absolute(path, error);
  return (error ? path : absolute).string();
}

std::string ShapeList(const std::vector<ShapePath>& shapes) {
  std::string list;
  for (const ShapePath& path : shapes) {
    if (!list.empty()) list += ',';
    for (size_t i = 0; i < path.size(); ++i) list += (i ? "." : "") + std::to_string(path[i]);
  }
  return list;
}

// The request's words, followed by the shapes' names when any is known.
std::vector<std::string> WithNames(std::vector<std::string> request, const std::vector<std::string>& names) {
  if (std::any_of(names.begin(), names.end(), [](const std::string& name) { return !name.empty(); }))
    request.insert(request.end(), names.begin(), names.end());
  return request;
}

int Count(const std::string& word) {
  int value = -1;
  std::from_chars(word.data(), word.data() + word.size(), value);
  return value;
}

std::string WhyUnavailable(const RendererSetup& setup) {
  if (setup.soffice.empty() || !IsExecutable(setup.soffice))
    return "LibreOffice is not installed: install libreoffice-impress to get images";
  if (setup.server.empty() || !IsExecutable(setup.server))
    return "the image renderer quillmere-render is missing" +
           (setup.server.empty() ? std::string() : " (" + setup.server.string() + ")") +
           ": install it beside quillmere to get images";
  return {};
}

}  // namespace

RendererSetup DefaultRendererSetup() { return {FindSoffice(), FindRenderServer(), {}}; }

SlideRenderer::SlideRenderer(RendererSetup setup) : setup_(std::move(setup)), unavailable_(WhyUnavailable(setup_)) {}

SlideRenderer::~SlideRenderer() { Shutdown(); }

void SlideRenderer::Load(const fs::path& deck, std::string revision) {
  wanted_ = Document{Absolute(deck), std::move(revision)};
}

int SlideRenderer::PageCount() {
  EnsureDocument();
  if (pages_ >= 0) return pages_;
  std::vector<std::string> reply = Exchange({"pages"}, setup_.timeouts.image);
  int count = -1;
  if (reply.size() == 1) std::from_chars(reply[0].data(), reply[0].data() + reply[0].size(), count);
  if (count < 0) Lose("the render server gave no page count");
  return pages_ = count;
}

void SlideRenderer::ExportPage(int page, const fs::path& out, int widthPx, int heightPx) {
  EnsureDocument();
  Exchange({"page", std::to_string(page), std::to_string(widthPx), std::to_string(heightPx), Absolute(out)},
           setup_.timeouts.image);
}

void SlideRenderer::ExportShapesPng(int page, const std::vector<ShapePath>& shapes, const fs::path& out, int widthPx,
                                    int heightPx, const std::vector<std::string>& names) {
  EnsureDocument();
  Exchange(WithNames({"shapes", std::to_string(page), ShapeList(shapes), "png", std::to_string(widthPx),
                      std::to_string(heightPx), Absolute(out)},
                     names),
           setup_.timeouts.image);
}

std::pair<int, int> SlideRenderer::ExportShapesScaled(int page, const std::vector<ShapePath>& shapes,
                                                      const fs::path& out, int pageWidthPx, int pageHeightPx,
                                                      const std::vector<std::string>& names) {
  EnsureDocument();
  std::vector<std::string> reply =
      Exchange(WithNames({"shapes", std::to_string(page), ShapeList(shapes), "pngscale", std::to_string(pageWidthPx),
                          std::to_string(pageHeightPx), Absolute(out)},
                         names),
               setup_.timeouts.image);
  if (reply.size() != 2 || Count(reply[0]) <= 0 || Count(reply[1]) <= 0)
    Lose("the render server did not say what size it drew");
  return {Count(reply[0]), Count(reply[1])};
}

std::vector<renderprotocol::ShapeText> SlideRenderer::PageText(int page) {
  EnsureDocument();
  std::vector<std::string> reply = Exchange({"text", std::to_string(page)}, setup_.timeouts.image);
  std::optional<std::vector<renderprotocol::ShapeText>> shapes = renderprotocol::PageTextFromWords(reply);
  if (!shapes) Lose("the render server answered text that does not make whole shapes");
  return *shapes;
}

void SlideRenderer::ExportShapesEmf(int page, const std::vector<ShapePath>& shapes, const fs::path& out,
                                    const std::vector<std::string>& names) {
  EnsureDocument();
  Exchange(WithNames({"shapes", std::to_string(page), ShapeList(shapes), "emf", Absolute(out)}, names),
           setup_.timeouts.image);
}

void SlideRenderer::EnsureRunning() {
  if (!server_) Start();
}

void SlideRenderer::Shutdown() {
  if (server_) {
    auto deadline = std::chrono::steady_clock::now() + setup_.timeouts.quit;
    std::string reply;
    if (server_->WriteLine("quit") && server_->ReadLine(reply, deadline) == PipedProcess::Read::Line)
      server_->WaitForExit(deadline);
    server_.reset();  // kills whatever is left of the group
  }
  RemoveWorkFolder();
  loaded_.reset();
}

void SlideRenderer::Start() {
  if (!unavailable_.empty()) throw RenderError(unavailable_);
  if (losses_ >= kMaxLosses)
    throw RenderError("no more images are drawn in this run: the renderer failed (last: " + lastLoss_ + ")");
  // Until the greeting, a loss stays final: a server that does not start
  // would not start on the next try either.
  starting_ = true;
  workFolder_ = fs::path(GetTempFolder()) / ("render-" + RandomName(8));
  std::error_code error;
  fs::create_directories(workFolder_ / "profile", error);
  if (error) Lose("cannot create the renderer's folder " + workFolder_.string() + ": " + error.message());
  try {
    server_ = std::make_unique<PipedProcess>(
        std::vector<std::string>{setup_.server.string(), "--soffice", setup_.soffice.string(), "--profile",
                                 (workFolder_ / "profile").string()},
        workFolder_ / "server-log.txt");
  } catch (const std::system_error& e) {
    Lose(std::string("the render server could not be started: ") + e.what());
  }
  loads_ = 0;
  std::string greeting;
  switch (server_->ReadLine(greeting, std::chrono::steady_clock::now() + setup_.timeouts.start)) {
    case PipedProcess::Read::TimedOut: Lose("LibreOffice did not start within " + Seconds(setup_.timeouts.start));
    case PipedProcess::Read::Closed: Lose("the render server ended while starting" + ServerLogNote());
    case PipedProcess::Read::Line: break;
  }
  if (greeting.starts_with("error ")) Lose("LibreOffice could not be started: " + greeting.substr(6));
  if (greeting != "ok ready") Lose("the render server did not greet as expected: " + greeting);
  starting_ = false;
}

void SlideRenderer::EnsureDocument() {
  if (!wanted_) throw RenderError("no deck is loaded for drawing");
  if (refusedLoad_ && refusedLoad_->first == *wanted_) throw RenderError(refusedLoad_->second);
  if (server_ && loaded_ == wanted_) return;
  std::vector<std::string> reply;
  // The server closes what it had open before it opens the next deck, so a
  // failed load leaves nothing loaded.
  loaded_.reset();
  pages_ = -1;
  try {
    reply = Exchange({"load", wanted_->path.string()}, setup_.timeouts.load);
  } catch (const RenderError& e) {
    if (server_) refusedLoad_ = {*wanted_, e.what()};  // answered, not lost: trying again would fail the same way
    throw;
  }
  int loads = -1;
  if (reply.size() == 1) std::from_chars(reply[0].data(), reply[0].data() + reply[0].size(), loads);
  if (loads < 0) Lose("the render server did not confirm the load");
  loads_ = loads;
  loaded_ = wanted_;
  pages_ = -1;
}

std::vector<std::string> SlideRenderer::Exchange(const std::vector<std::string>& request,
                                                 std::chrono::milliseconds timeout) {
  if (!server_) Start();
  if (!server_->WriteLine(JoinWords(request))) Lose("the render server ended unexpectedly" + ServerLogNote());
  std::string line;
  switch (server_->ReadLine(line, std::chrono::steady_clock::now() + timeout)) {
    case PipedProcess::Read::TimedOut:
      Lose("the renderer did not finish \"" + request[0] + "\" within " + Seconds(timeout));
    case PipedProcess::Read::Closed: Lose("the render server ended unexpectedly" + ServerLogNote());
    case PipedProcess::Read::Line: break;
  }
  if (line.starts_with("error ")) throw RenderError(line.substr(6));
  std::optional<std::vector<std::string>> words = SplitWords(line);
  if (!words || words->empty() || (*words)[0] != "ok") Lose("the render server answered nonsense: " + line);
  words->erase(words->begin());
  return *words;
}

void SlideRenderer::Lose(const std::string& why) {
  server_.reset();
  RemoveWorkFolder();
  loaded_.reset();
  losses_ = starting_ ? kMaxLosses : losses_ + 1;
  starting_ = false;
  lastLoss_ = why;
  throw RenderError(why);
}

std::string SlideRenderer::ServerLogNote() const {
  std::string output = OfficeOutputSummary(workFolder_ / "server-log.txt");
  return output.empty() ? std::string() : " (" + output + ")";
}

void SlideRenderer::RemoveWorkFolder() {
  if (workFolder_.empty()) return;
  std::error_code error;
  fs::remove_all(workFolder_, error);
  workFolder_.clear();
}

}  // namespace quillmere::engine
