#include "engine/core/MemberFailure.h"
#include "engine/objects/images/SlideImages.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <system_error>
#include <utility>

#include "engine/core/EngineSession.h"
#include "engine/core/MemberTable.h"
#include "engine/model/document/PresentationDocument.h"
#include "engine/objects/images/PendingImages.h"
#include "engine/objects/images/RenderState.h"
#include "engine/objects/shapes/ShapeDrawingCopy.h"
#include "engine/objects/slides/HiddenPlaceholders.h"
#include "engine/render/SlideRenderer.h"
#include "support/files/Paths.h"
#include "support/text/Text.h"

namespace quillmere::engine {

RenderState::RenderState(const std::shared_ptr<const RendererSetup>& rendererSetup, int perCopy, int toShare)
    : setup(rendererSetup ? *rendererSetup : DefaultRendererSetup()),
      renderer(setup),
      imagesPerCopy(std::max(1, perCopy)),
      imagesToShare(std::max(0, toShare)) {}

RenderState::~RenderState() {
  try {
    DrawPending(*this);
  } catch (const std::exception&) {
    // the session is going away: nothing is left to report to
  }
  std::error_code ignored;
  if (!copy.empty()) std::filesystem::remove(copy, ignored);
  if (!shapesCopy.empty()) std::filesystem::remove(shapesCopy, ignored);
  if (!sharedShapesCopy.empty()) std::filesystem::remove(sharedShapesCopy, ignored);
}

namespace {

std::string& ImageNotice() {
  static thread_local std::string notice;
  return notice;
}

// The session's renderer, made on first use; fails at once when images are
// not drawn or cannot be. Images turned off on purpose are refused as aborted
// rather than failed, so that writers skip them instead of retrying.
RenderState& Rendering(EngineSession& session, std::string_view member) {
  if (!session.options.drawImages) FailMember(member, "Drawing images is turned off.", hr::kAborted);
  if (!session.rendering)
    session.rendering = std::make_shared<RenderState>(session.options.renderer, session.options.shapeImagesPerCopy,
                                                      session.options.shapeImagesToShare);
  RenderState& state = *session.rendering;
  if (!state.renderer.UnavailableReason().empty()) {
    ImageNotice() = state.renderer.UnavailableReason();
    FailMember(member, state.renderer.UnavailableReason());
  }
  return state;
}

std::string StateToken(PresentationDocument& doc) {
  return std::to_string(reinterpret_cast<std::uintptr_t>(&doc)) + ":" + std::to_string(doc.Pkg().Revision());
}

// Points the renderer at the presentation's current state: its own file while
// nothing was edited, else a package written from the edits.
SlideRenderer& ShowCurrentState(EngineSession& session, PresentationDocument& doc, std::string_view member) {
  RenderState& state = Rendering(session, member);
  DrawPending(state);
  Package& package = doc.Pkg();
  std::string token = StateToken(doc);
  if (package.Revision() == 0) {
    state.renderer.Load(package.File(), token);
    return state.renderer;
  }
  if (state.copyToken != token) {
    if (state.copy.empty()) state.copy = Utf8Path(GetTempFolder()) / ("render-" + RandomName(8) + ".pptx");
    try {
      package.SaveCopyWith(state.copy, SlidesWithoutHiddenPlaceholders(doc));
    } catch (const PackageError& e) {
      FailMember(member, std::string("The presentation could not be prepared for drawing (") + e.what() + ").");
    }
    state.copyToken = token;
  }
  state.renderer.Load(state.copy, token);
  return state.renderer;
}

// The session's renderer, started. An image waiting to be drawn starts it,
// so that one that cannot start fails the call that asked, and every later
// call at once.
RenderState& RunningRenderer(EngineSession& session, std::string_view member) {
  RenderState& state = Rendering(session, member);
  try {
    state.renderer.EnsureRunning();
  } catch (const RenderError& e) {
    if (state.renderer.Down()) ImageNotice() = e.what();
    FailMember(member, e.what());
  }
  return state;
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
  ImageRequest request{Utf8Path(ArgAt(args, 0).AsString())};
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
      renderer.ExportPage(i, request.target / ("slide" + std::to_string(i + 1) + ".png"), request.width,
                          request.height);
  } catch (const RenderError& e) {
    FailMember(kMember, e.what());
  } catch (const std::filesystem::filesystem_error& e) {
    FailMember(kMember, e.what());
  }
}

void ExportSlideImage(EngineSession& session, const std::shared_ptr<PresentationDocument>& doc, int slideIndex,
                      Args args) {
  constexpr std::string_view kMember = "Slide.Export";
  ImageRequest request = ReadRequest(*doc, args, kMember);
  if (doc->Pkg().Revision() == 0) {
    try {
      ShowCurrentState(session, *doc, kMember)
          .ExportPage(slideIndex - 1, request.target, request.width, request.height);
    } catch (const RenderError& e) {
      FailMember(kMember, e.what());
    }
    return;
  }
  // An edited deck would be written and loaded whole for one page: the page waits with the shape images instead.
  DrawingPlace place = PlaceToDraw(*doc, doc->Slides().at(static_cast<std::size_t>(slideIndex - 1)).part, kMember);
  RenderState& state = RunningRenderer(session, kMember);
  PendingImage image;
  image.target = std::move(request.target);
  image.pageWidthPx = request.width;
  image.pageHeightPx = request.height;
  AddPendingImage(state, doc, PageOfSlide(*doc, place), std::move(image));
}

void ExportShapeImage(EngineSession& session, const std::shared_ptr<PresentationDocument>& doc, const std::string& part,
                      std::vector<ShapeToDraw> shapes, std::string_view member, Args args) {
  constexpr int kPng = 2, kEmf = 5;
  PendingImage image;
  image.target = Utf8Path(ArgAt(args, 0).AsString());
  int filter = ArgAt(args, 1).IsEmpty() ? kPng : ArgAt(args, 1).AsLong();
  if (image.target.empty()) throw ComError(hr::kInvalidArgument, std::string(member) + " : Invalid request.");
  if (filter != kPng && filter != kEmf)
    throw ComError(hr::kInvalidArgument, std::string(member) + " : Invalid request.  Filter not supported.");
  image.emf = filter == kEmf;
  // An omitted scale is the slide's size at 96 dpi, as for a slide image.
  image.pageWidthPx = ArgAt(args, 2).IsEmpty() ? static_cast<int>(doc->SlideWidth() * 4 / 3) : ArgAt(args, 2).AsLong();
  image.pageHeightPx =
      ArgAt(args, 3).IsEmpty() ? static_cast<int>(doc->SlideHeight() * 4 / 3) : ArgAt(args, 3).AsLong();
  if (image.pageWidthPx <= 0 || image.pageHeightPx <= 0)
    throw ComError(hr::kInvalidArgument, std::string(member) + " : Invalid request.");
  if (shapes.empty()) throw ComError(hr::kInvalidArgument, std::string(member) + " : Invalid request.");
  DrawingPlace place = PlaceToDraw(*doc, part, member);
  RenderState& state = RunningRenderer(session, member);
  KeptShapes kept = KeepOnlyDrawn(shapes);
  image.shapes = std::move(shapes);
  AddPendingImage(state, doc, PageOfShapes(*doc, place, kept), std::move(image));
}

void DrawPendingImages(EngineSession& session) {
  if (session.rendering) DrawPending(*session.rendering);
}

void DrawImagesOf(EngineSession& session, const PresentationDocument& doc) {
  if (session.rendering && session.rendering->pending.doc.get() == &doc) DrawPending(*session.rendering);
}

void DrawImagesNeeding(EngineSession& session, const std::string& part) {
  if (session.rendering && session.rendering->pending.copy.Follows(part)) DrawPending(*session.rendering);
}

void EndRendering(EngineSession& session) {
  DrawPendingImages(session);
  session.rendering.reset();
}

std::string TakeImageNotice() { return std::exchange(ImageNotice(), {}); }

void NoteImageTrouble(std::string why) { ImageNotice() = std::move(why); }

}  // namespace quillmere::engine
