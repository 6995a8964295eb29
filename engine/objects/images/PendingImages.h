#pragma once
// Images of shapes and of edited slides drawn many at a time: each is taken
// as a page of a copy of the deck when it is asked for, and drawn once the
// copy is full or someone needs the files, from one LibreOffice load of the
// copy. The writers edit the deck around each image, and loading a whole
// copy of it for every one of them would cost far more than the drawing.

#include <memory>

#include "engine/objects/images/RenderState.h"

namespace quillmere::engine {

// Draws what is pending first when the page cannot join it (another deck,
// or parts it follows changed since), and everything once the copy is full.
void AddPendingImage(RenderState& state, const std::shared_ptr<PresentationDocument>& doc, DrawnPage page,
                     PendingImage image);

// Draws every pending image. An image that fails in the shared copy is tried
// once more from a copy of its own; one that fails there too is noted
// (NoteImageTrouble), never thrown, and costs no other image.
void DrawPending(RenderState& state);

}  // namespace quillmere::engine
