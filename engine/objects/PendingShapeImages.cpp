#include "engine/objects/PendingShapeImages.h"

#include <utility>

#include "engine/model/PresentationDocument.h"
#include "support/Paths.h"

namespace quillmere::engine {
namespace {

void Draw(SlideRenderer& renderer, int page, const PendingShapeImage& image) {
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
  const PendingShapeImage* image;
  std::string why;
};

// The images drawn from one copy holding their pages; the ones that failed.
std::vector<Failure> DrawFromCopy(RenderState& state, PresentationDocument& doc, const DrawingCopy& copy,
                                  const std::vector<const PendingShapeImage*>& images) {
  std::vector<Failure> failed;
  DrawingCopy::Parts parts;
  try {
    parts = copy.PartsFor(doc);
    if (state.shapesCopy.empty())
      state.shapesCopy = std::filesystem::path(GetTempFolder()) / ("render-" + RandomName(8) + ".pptx");
    doc.Pkg().SaveCopyWith(state.shapesCopy, parts.replaced, parts.added);
  } catch (const std::exception& e) {
    for (const PendingShapeImage* image : images)
      failed.push_back({image, std::string("the presentation could not be prepared for drawing (") + e.what() + ")"});
    return failed;
  }
  state.renderer.Load(state.shapesCopy, "shapes " + std::to_string(++state.shapeCopies));
  for (const PendingShapeImage* image : images) {
    try {
      Draw(state.renderer, parts.firstPage + image->page, *image);
    } catch (const RenderError& e) {
      failed.push_back({image, e.what()});
    }
  }
  return failed;
}

}  // namespace

void AddShapeImage(RenderState& state, const std::shared_ptr<PresentationDocument>& doc, DrawnPage page,
                   PendingShapeImage image) {
  if (state.pending.doc && (state.pending.doc != doc || !state.pending.copy.Fits(*doc, page)))
    DrawPendingShapeImages(state);
  state.pending.doc = doc;
  image.page = state.pending.copy.Add(*doc, std::move(page));
  state.pending.images.push_back(std::move(image));
  if (static_cast<int>(state.pending.images.size()) >= state.imagesPerCopy) DrawPendingShapeImages(state);
}

void DrawPendingShapeImages(RenderState& state) {
  PendingShapeImages batch = std::exchange(state.pending, {});
  if (batch.images.empty()) return;
  std::vector<const PendingShapeImage*> all;
  for (const PendingShapeImage& image : batch.images) all.push_back(&image);
  std::vector<Failure> failed = DrawFromCopy(state, *batch.doc, batch.copy, all);
  for (Failure& failure : failed) {
    // A copy of its own tells whether the image or its neighbours failed it,
    // unless no image can be drawn any more.
    if (all.size() > 1 && !state.renderer.Down()) {
      PendingShapeImage alone = *failure.image;
      alone.page = 0;
      std::vector<Failure> again = DrawFromCopy(state, *batch.doc, batch.copy.OnlyPage(failure.image->page), {&alone});
      if (again.empty()) continue;
      failure.why = std::move(again.front().why);
    }
    NoteImageTrouble(state.renderer.Down() ? failure.why
                                           : "the image " + failure.image->target.string() +
                                                 " could not be drawn: " + failure.why);
  }
}

}  // namespace quillmere::engine
