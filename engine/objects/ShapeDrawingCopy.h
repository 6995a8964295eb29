#pragma once
// What a copy of the deck drawn for some shapes of one slide holds in place of
// the deck's own parts. LibreOffice opens the whole package before it draws
// anything, so the copy keeps only what those shapes show through: the slide
// with just them, its layout and master, and no notes; every other slide is
// empty and follows the same layout. It opens about four times faster than
// the deck with its other slides merely emptied.

#include <map>
#include <string>
#include <vector>

#include "engine/objects/SlideImages.h"
#include "engine/package/Package.h"

namespace quillmere::engine {

class PresentationDocument;

// The shapes the copy keeps of one level of the slide's tree, by their
// 0-based index back to front; a kept group keeps only the members drawn,
// unless the group itself is drawn.
struct KeptShapes {
  std::map<int, KeptShapes> shapes;
  bool whole = false;
};

// What the paths of the shapes drawn lead to; the paths are renumbered to
// count only what is kept.
KeptShapes KeepOnlyDrawn(std::vector<ShapeToDraw>& drawn);
// A text naming what is kept, for telling one copy from another.
std::string KeptShapesKey(const KeptShapes& kept);

// The parts replaced in the copy drawn for those shapes of slide `slide` (0-based).
Package::ReplacedParts ShapeDrawingParts(PresentationDocument& doc, int slide, const KeptShapes& kept);

}  // namespace quillmere::engine
