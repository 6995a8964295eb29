// The Windows build draws no images: LibreOffice, which draws them on Linux, is not run there.
// Every request fails at once with the reason, as it does on Linux when LibreOffice is missing.
#include "engine/render/SlideRenderer.h"

#include "engine/package/PipedProcess.h"

namespace quillmere::engine {
namespace {

constexpr const char* kNoImages = "the Windows build draws no slide or shape images";

}  // namespace

RendererSetup DefaultRendererSetup() { return {}; }

SlideRenderer::SlideRenderer(RendererSetup setup) : setup_(std::move(setup)), unavailable_(kNoImages) {}

SlideRenderer::~SlideRenderer() = default;

void SlideRenderer::Load(const std::filesystem::path& deck, std::string revision) {
  wanted_ = Document{deck, std::move(revision)};
}

void SlideRenderer::EnsureRunning() { throw RenderError(unavailable_); }

int SlideRenderer::PageCount() { throw RenderError(unavailable_); }

void SlideRenderer::ExportPage(int, const std::filesystem::path&, int, int) { throw RenderError(unavailable_); }

void SlideRenderer::ExportShapesPng(int, const std::vector<ShapePath>&, const std::filesystem::path&, int, int,
                                    const std::vector<std::string>&) {
  throw RenderError(unavailable_);
}

std::pair<int, int> SlideRenderer::ExportShapesScaled(int, const std::vector<ShapePath>&,
                                                      const std::filesystem::path&, int, int,
                                                      const std::vector<std::string>&) {
  throw RenderError(unavailable_);
}

void SlideRenderer::ExportShapesEmf(int, const std::vector<ShapePath>&, const std::filesystem::path&,
                                    const std::vector<std::string>&) {
  throw RenderError(unavailable_);
}

std::vector<renderprotocol::ShapeText> SlideRenderer::PageText(int) { throw RenderError(unavailable_); }

// Nothing was started, so nothing is left to end.
void SlideRenderer::Shutdown() {}

}  // namespace quillmere::engine
