#pragma once
// Slide images for Presentation.Export and Slide.Export: the presentation as
// it is now, drawn by the session's one renderer.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "component/automation/Dispatch.h"

namespace quillmere::engine {

struct EngineSession;
class PresentationDocument;

// Every slide as "slideN.png" (N its 1-based index, hidden slides included) in
// the folder, or one slide into the file. Throws ComError: E_FAIL when the
// images cannot be drawn, E_INVALIDARG for a filter other than PNG.
void ExportSlideImages(EngineSession& session, PresentationDocument& doc, Args args);
void ExportSlideImage(EngineSession& session, PresentationDocument& doc, int slideIndex, Args args);

// Shape.Export and ShapeRange.Export: the shapes of one slide, layout or
// master part (each a path of 0-based indices, top-level first, then within
// groups) drawn together as they are now. args: (path, filter 2 = PNG | 5 = EMF, the
// slide's width and height in pixels at the scale wanted for the PNG).
// Throws ComError: E_FAIL when the image cannot be drawn, E_INVALIDARG for a
// bad request.
struct ShapeToDraw {
  std::vector<int> path;
  std::string name;  // checked against LibreOffice's shape at the path, which counts some shapes differently
};
void ExportShapeImage(EngineSession& session, PresentationDocument& doc, const std::string& part,
                      std::vector<ShapeToDraw> shapes, std::string_view member, Args args);

// Ends the renderer and removes its copies; at Quit.
void EndRendering(EngineSession& session);

// Why images were not drawn since the last call (empty when they were or
// none were asked for), for telling the user once.
std::string TakeImageNotice();

}  // namespace quillmere::engine
