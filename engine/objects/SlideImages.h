#pragma once
// Slide images for Presentation.Export and Slide.Export: the presentation as
// it is now, drawn by the session's one renderer.

#include <filesystem>
#include <string>

#include "component/automation/Dispatch.h"

namespace quillmere::engine {

struct EngineSession;
class PresentationDocument;

// Every slide as "slideN.png" (N its 1-based index, hidden slides included) in
// the folder, or one slide into the file. Throws ComError: E_FAIL when the
// images cannot be drawn, E_INVALIDARG for a filter other than PNG.
void ExportSlideImages(EngineSession& session, PresentationDocument& doc, Args args);
void ExportSlideImage(EngineSession& session, PresentationDocument& doc, int slideIndex, Args args);

// Ends the renderer and removes its copies; at Quit.
void EndRendering(EngineSession& session);

// Why images were not drawn since the last call (empty when they were or
// none were asked for), for telling the user once.
std::string TakeImageNotice();

}  // namespace quillmere::engine
