#include "engine/objects/images/PendingImages.h"

#include <future>
#include <utility>

#include "engine/model/document/PresentationDocument.h"
#include "support/files/Paths.h"

namespace quillmere::engine {
namespace {

void Draw(SlideRenderer& renderer, int page, const PendingImage& image) {
  if (image.shapes.empty()) return renderer.ExportPage(page, image.target, image.pageWidthPx, image.pageHeightPx);
  std::vector<ShapePath> paths;
  std::vector<std::string> names;
  for (const ShapeToDraw& shape : image.shapes) {
    paths.push_back(shape.path);
    names.push_back(shape.name);
  }
  if (image.emf) {
    renderer.ExportShapesEmf(page, paths, image.target, names);
  } else {
    renderer.ExportShapesScaled(page, paths, image.target, image.pageWidthPx, image.pageHeightPx, names);
  }
}

struct Failure {
  const PendingImage* image;
  std::string why;
};

// Images to draw from one copy: where their pages start in it, and the index
// among the batch's pages of the copy's first page.
struct CopyToDraw {
  std::filesystem::path file;
  std::string revision;
  int firstPage = 0;
  int pageOffset = 0;
  std::vector<const PendingImage*> images;
};

// Writes the copy for the images; they fail together when it cannot be written.
bool WriteCopy(PresentationDocument& doc, const DrawingCopy& copy, std::filesystem::path& file, int& copies,
               CopyToDraw& draw, std::vector<Failure>& failed) {
  try {
    DrawingCopy::Parts parts = copy.PartsFor(doc);
    if (file.empty()) file = Utf8Path(GetTempFolder()) / ("render-" + RandomName(8) + ".pptx");
    doc.Pkg().SaveCopyWith(file, parts.replaced, parts.added);
    draw.file = file;
    draw.revision = "shapes " + std::to_string(++copies);
    draw.firstPage = parts.firstPage;
    return true;
  } catch (const std::exception& e) {
    for (const PendingImage* image : draw.images)
      failed.push_back({image, std::string("the presentation could not be prepared for drawing (") + e.what() + ")"});
    return false;
  }
}

std::vector<Failure> DrawCopy(SlideRenderer& renderer, const CopyToDraw& draw) {
  std::vector<Failure> failed;
  renderer.Load(draw.file, draw.revision);
  for (const PendingImage* image : draw.images) {
    try {
      Draw(renderer, draw.firstPage + image->page - draw.pageOffset, *image);
    } catch (const RenderError& e) {
      failed.push_back({image, e.what()});
    }
  }
  return failed;
}

// The images drawn from one copy holding their pages; the ones that failed.
std::vector<Failure> DrawFromCopy(RenderState& state, PresentationDocument& doc, const DrawingCopy& copy,
                                  const std::vector<const PendingImage*>& images) {
  std::vector<Failure> failed;
  CopyToDraw draw;
  draw.images = images;
  if (!WriteCopy(doc, copy, state.shapesCopy, state.shapeCopies, draw, failed)) return failed;
  return DrawCopy(state.renderer, draw);
}

// Like DrawFromCopy, with the later pages' images drawn by the second
// renderer from a copy of their own at the same time.
std::vector<Failure> DrawSharing(RenderState& state, PresentationDocument& doc, const DrawingCopy& copy,
                                 const std::vector<const PendingImage*>& images) {
  const int half = copy.PageCount() / 2;
  CopyToDraw first, second;
  second.pageOffset = half;
  for (const PendingImage* image : images) (image->page < half ? first : second).images.push_back(image);
  std::vector<Failure> failed;
  bool firstWritten = WriteCopy(doc, copy.Pages(0, half), state.shapesCopy, state.shapeCopies, first, failed);
  bool secondWritten = WriteCopy(doc, copy.Pages(half, copy.PageCount() - half), state.sharedShapesCopy,
                                 state.shapeCopies, second, failed);
  if (!state.second) state.second = std::make_unique<RendererThread>(state.setup);
  std::vector<Failure> secondFailed;
  std::future<void> secondDone;
  if (secondWritten)
    secondDone = state.second->Run([&second, &secondFailed](SlideRenderer& renderer) {
      try {
        secondFailed = DrawCopy(renderer, second);
      } catch (const RenderError& e) {
        for (const PendingImage* image : second.images) secondFailed.push_back({image, e.what()});
      }
    });
  std::exception_ptr firstError;
  try {
    if (firstWritten) {
      std::vector<Failure> firstFailed = DrawCopy(state.renderer, first);
      failed.insert(failed.end(), firstFailed.begin(), firstFailed.end());
    }
  } catch (...) {
    firstError = std::current_exception();
  }
  if (secondDone.valid()) secondDone.get();
  failed.insert(failed.end(), secondFailed.begin(), secondFailed.end());
  if (firstError) std::rethrow_exception(firstError);
  return failed;
}

}  // namespace

void AddPendingImage(RenderState& state, const std::shared_ptr<PresentationDocument>& doc, DrawnPage page,
                   PendingImage image) {
  if (state.pending.doc && (state.pending.doc != doc || !state.pending.copy.Fits(*doc, page)))
    DrawPending(state);
  state.pending.doc = doc;
  image.page = state.pending.copy.Add(*doc, std::move(page));
  state.pending.images.push_back(std::move(image));
  if (static_cast<int>(state.pending.images.size()) >= state.imagesPerCopy) DrawPending(state);
}

void DrawPending(RenderState& state) {
  PendingImages batch = std::exchange(state.pending, {});
  if (batch.images.empty()) return;
  std::vector<const PendingImage*> all;
  for (const PendingImage& image : batch.images) all.push_back(&image);
  bool share = state.imagesToShare > 0 && static_cast<int>(all.size()) >= state.imagesToShare &&
               batch.copy.PageCount() > 1;
  std::vector<Failure> failed = share ? DrawSharing(state, *batch.doc, batch.copy, all)
                                      : DrawFromCopy(state, *batch.doc, batch.copy, all);
  for (Failure& failure : failed) {
    // A copy of its own tells whether the image or its neighbours failed it,
    // unless no image can be drawn any more.
    if (all.size() > 1 && !state.renderer.Down()) {
      PendingImage alone = *failure.image;
      alone.page = 0;
      std::vector<Failure> again = DrawFromCopy(state, *batch.doc, batch.copy.Pages(failure.image->page, 1), {&alone});
      if (again.empty()) continue;
      failure.why = std::move(again.front().why);
    }
    NoteImageTrouble(state.renderer.Down() ? failure.why
                                           : "the image " + Utf8NativeText(failure.image->target) +
                                                 " could not be drawn: " + failure.why);
  }
}

}  // namespace quillmere::engine
