#pragma once
// Shape images drawn many at a time: each is taken as a page of a copy of the
// deck when it is asked for, and drawn once the copy is full or someone needs
// the files, from one LibreOffice load of the copy.

#include <memory>

#include "engine/objects/images/RenderState.h"

namespace quillmere::engine {

// Draws what is pending first when the page cannot join it (another deck,
// or parts it follows changed since), and everything once the copy is full.
void AddShapeImage(RenderState& state, const std::shared_ptr<PresentationDocument>& doc, DrawnPage page,
                   PendingShapeImage image);

// Draws every pending image. An image that fails in the shared copy is tried
// once more from a copy of its own; one that fails there too is noted
// (NoteImageTrouble), never thrown, and costs no other image.
void DrawPendingShapeImages(RenderState& state);

}  // namespace quillmere::engine
