#pragma once
// What a session keeps for drawing images: its renderer, the copies of the
// deck written for it and the images waiting to be drawn.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/objects/images/RendererThread.h"
#include "engine/objects/shapes/ShapeDrawingCopy.h"
#include "engine/render/SlideRenderer.h"

namespace quillmere::engine {

class PresentationDocument;

// An image asked for and not drawn yet: its page of the copy and what the
// renderer is to make of it, some of its shapes or the whole page.
struct PendingImage {
  int page = 0;                     // among the copy's added pages
  std::vector<ShapeToDraw> shapes;  // paths counted on that page; none for the whole page
  std::filesystem::path target;
  bool emf = false;
  int pageWidthPx = 0, pageHeightPx = 0;  // the scale of a PNG, or the size of a page's
};

struct PendingImages {
  std::shared_ptr<PresentationDocument> doc;
  DrawingCopy copy;
  std::vector<PendingImage> images;
};

struct RenderState {
  RenderState(const std::shared_ptr<const RendererSetup>& setup, int imagesPerCopy, int imagesToShare);
  // Draws what is pending: every image asked for exists once the session ends.
  ~RenderState();
  RenderState(const RenderState&) = delete;
  RenderState& operator=(const RenderState&) = delete;

  RendererSetup setup;
  SlideRenderer renderer;
  // The second renderer, started for the first copy large enough to share.
  std::unique_ptr<RendererThread> second;
  std::filesystem::path copy;              // the last edited state written for the renderer
  std::string copyToken;                   // which document and revision the copy holds
  std::filesystem::path shapesCopy;        // the last copy written for shape images
  std::filesystem::path sharedShapesCopy;  // the second renderer's half of it
  int shapeCopies = 0;                     // how many were written, to tell the renderer each is new
  int imagesPerCopy;
  int imagesToShare;
  PendingImages pending;
};

// Why images were not drawn, kept for TakeImageNotice.
void NoteImageTrouble(std::string why);

}  // namespace quillmere::engine
