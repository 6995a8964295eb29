#include "engine/objects/SlideImages.h"

#include <cstdint>
#include <memory>
#include <system_error>
#include <utility>

#include "engine/core/EngineSession.h"
#include "engine/core/MemberTable.h"
#include "engine/model/PresentationDocument.h"
#include "engine/render/SlideRenderer.h"
#include "support/Paths.h"
#include "support/Text.h"

namespace quillmere::engine {

struct RenderState {
  SlideRenderer renderer;
  std::filesystem::path copy;  // the last edited state written for the renderer
  std::string copyToken;       // which document and revision the copy holds

  ~RenderState() {
    std::error_code ignored;
    if (!copy.empty()) std::filesystem::remove(copy, ignored);
  }
};

namespace {

std::string& ImageNotice() {
  static thread_local std::string notice;
  return notice;
}

[[noreturn]] void Fail(std::string_view member, const std::string& why) {
  throw ComError(hr::kUnspecified, std::string(member) + " : " + why);
}

// Points the renderer at the presentation's current state: its own file while
// nothing was edited, else a package written from the edits.
SlideRenderer& ShowCurrentState(EngineSession& session, PresentationDocument& doc, std::string_view member) {
  if (!session.options.drawImages) Fail(member, "Drawing images is turned off.");
  if (!session.rendering) session.rendering = std::make_shared<RenderState>();
  RenderState& state = *session.rendering;
  if (!state.renderer.UnavailableReason().empty()) {
    ImageNotice() = state.renderer.UnavailableReason();
    Fail(member, state.renderer.UnavailableReason());
  }
  Package& package = doc.Pkg();
  std::string token = std::to_string(reinterpret_cast<std::uintptr_t>(&doc)) + ":" + std::to_string(package.Revision());
  if (package.Revision() == 0) {
    state.renderer.Load(package.File(), token);
    return state.renderer;
  }
  if (state.copyToken != token) {
    if (state.copy.empty()) state.copy = std::filesystem::path(GetTempFolder()) / ("render-" + RandomName(8) + ".pptx");
    try {
      package.SaveAs(state.copy);
    } catch (const PackageError& e) {
      Fail(member, std::string("The presentation could not be prepared for drawing (") + e.what() + ").");
    }
    state.copyToken = token;
  }
  state.renderer.Load(state.copy, token);
  return state.renderer;
}

struct ImageRequest {
  std::filesystem::path target;
  int width = 0, height = 0;
};

// (path, filter, width, height); an omitted size is the slide's at 96 dpi.
ImageRequest ReadRequest(PresentationDocument& doc, Args args, std::string_view member) {
  std::string filter = LowerAscii(ArgAt(args, 1).AsString());
  if (filter != "png")
    throw ComError(hr::kInvalidArgument, std::string(member) + " : Invalid request.  Filter not supported.");
  ImageRequest request{ArgAt(args, 0).AsString()};
  request.width = ArgAt(args, 2).IsEmpty() ? static_cast<int>(doc.SlideWidth() * 4 / 3) : ArgAt(args, 2).AsLong();
  request.height = ArgAt(args, 3).IsEmpty() ? static_cast<int>(doc.SlideHeight() * 4 / 3) : ArgAt(args, 3).AsLong();
  if (request.target.empty() || request.width <= 0 || request.height <= 0)
    throw ComError(hr::kInvalidArgument, std::string(member) + " : Invalid request.");
  return request;
}

}  // namespace

void ExportSlideImages(EngineSession& session, PresentationDocument& doc, Args args) {
  constexpr std::string_view kMember = "Presentation.Export";
  ImageRequest request = ReadRequest(doc, args, kMember);
  try {
    SlideRenderer& renderer = ShowCurrentState(session, doc, kMember);
    std::filesystem::create_directories(request.target);
    // Lower-case names, so the paths the writers form find them on a case-sensitive file system.
    for (int i = 0, n = static_cast<int>(doc.Slides().size()); i < n; ++i)
      renderer.ExportPage(i, request.target / ("slide" + std::to_string(i + 1) + ".png"), request.width, request.height);
  } catch (const RenderError& e) {
    Fail(kMember, e.what());
  } catch (const std::filesystem::filesystem_error& e) {
    Fail(kMember, e.what());
  }
}

void ExportSlideImage(EngineSession& session, PresentationDocument& doc, int slideIndex, Args args) {
  constexpr std::string_view kMember = "Slide.Export";
  ImageRequest request = ReadRequest(doc, args, kMember);
  try {
    ShowCurrentState(session, doc, kMember).ExportPage(slideIndex - 1, request.target, request.width, request.height);
  } catch (const RenderError& e) {
    Fail(kMember, e.what());
  }
}

void EndRendering(EngineSession& session) { session.rendering.reset(); }

std::string TakeImageNotice() { return std::exchange(ImageNotice(), {}); }

}  // namespace quillmere::engine
