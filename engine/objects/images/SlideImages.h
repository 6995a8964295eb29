#pragma once
// Slide images for Presentation.Export and Slide.Export: the presentation as
// it is now, drawn by the session's one renderer.

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "objectmodel/automation/Dispatch.h"

namespace quillmere::engine {

struct EngineSession;
class PresentationDocument;

// Every slide as "slideN.png" (N its 1-based index, hidden slides included) in
// the folder, or one slide into the file. Throws ComError: E_FAIL when the
// images cannot be drawn, E_INVALIDARG for a filter other than PNG. A slide
// of an edited deck is written later, as a shape image is (below).
void ExportSlideImages(EngineSession& session, PresentationDocument& doc, Args args);
void ExportSlideImage(EngineSession& session, const std::shared_ptr<PresentationDocument>& doc, int slideIndex,
                      Args args);

// Shape.Export and ShapeRange.Export: the shapes of one slide, layout or
// master part (each a path of 0-based indices, top-level first, then within
// groups) drawn together as they are now. args: (path, filter 2 = PNG | 5 = EMF, the
// slide's width and height in pixels at the scale wanted for the PNG).
// Throws ComError at once: E_FAIL when images cannot be drawn, E_INVALIDARG
// for a bad request. The shapes are taken as they are now, but the file is
// written later, with other images (PendingImages.h): at the latest
// when the presentation is closed or saved, slide images are exported,
// rendering ends or DrawPendingImages is called.
struct ShapeToDraw {
  std::vector<int> path;
  std::string name;  // checked against LibreOffice's shape at the path, which counts some shapes differently
};
void ExportShapeImage(EngineSession& session, const std::shared_ptr<PresentationDocument>& doc, const std::string& part,
                      std::vector<ShapeToDraw> shapes, std::string_view member, Args args);

// Writes every image asked for and not drawn yet.
void DrawPendingImages(EngineSession& session);
// The same, only when they are the document's: it is being saved or closed,
// and its file may be gone once it is. Other documents (scratch decks opened
// for a picture) leave the batch growing.
void DrawImagesOf(EngineSession& session, const PresentationDocument& doc);
// The same, only when one of them needs the layout or master, which is about to be removed.
void DrawImagesNeeding(EngineSession& session, const std::string& part);

// Draws what is pending, ends the renderer and removes its copies; at Quit.
void EndRendering(EngineSession& session);

// Why images were not drawn since the last call (empty when they were or
// none were asked for), for telling the user once.
std::string TakeImageNotice();

}  // namespace quillmere::engine
