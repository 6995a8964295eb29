#pragma once
// What a copy of the deck drawn for some shapes of one part holds in place of
// the deck's own parts. LibreOffice opens the whole package before it draws
// anything, so the copy keeps only what those shapes show through: one slide
// with just them, its layout and master, and no notes; every other slide is
// empty and follows the same layout. It opens about four times faster than
// the deck with its other slides merely emptied.
//
// LibreOffice draws only slides, so shapes of a layout or master are drawn as
// copies on the deck's first slide: for a layout that slide follows the
// layout itself, for a master a layout of that master emptied of shapes, so
// placeholders inherit from the master alone.

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "engine/objects/SlideImages.h"
#include "engine/package/Package.h"

namespace quillmere::engine {

class PresentationDocument;

// The shapes the copy keeps of one level of the part's tree, by their
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

// Where the copy shows the shapes of a part.
struct DrawingPlace {
  std::string part;            // the slide, layout or master holding the shapes
  std::string slide;           // the copy's slide that shows them
  int page = 0;                // its 0-based index
  std::string layout;          // the layout every slide of the copy follows; empty when the slide has none
  bool layoutEmptied = false;  // for a master's shapes: the layout has no shapes of its own
};
// Throws ComError: E_INVALIDARG for a part that is no slide, layout or
// master; E_FAIL when it cannot be read or the deck has no slide, or the
// master no layout, to draw on.
DrawingPlace PlaceToDraw(PresentationDocument& doc, const std::string& part, std::string_view member);

// The parts the copy replaces whatever shapes of the place are drawn: every
// slide empty and following the place's layout (emptied for a master's
// shapes), the master listing only that layout, the presentation only that
// master. They are the same for every image until one of the parts they
// come from changes: FrameKey tells when.
Package::ReplacedParts DrawingFrame(PresentationDocument& doc, const DrawingPlace& place);
std::string FrameKey(PresentationDocument& doc, const DrawingPlace& place);

// Puts the place's slide with only the kept shapes, and the relationships
// they use, over the frame's empty one.
void PutDrawnShapes(Package::ReplacedParts& parts, PresentationDocument& doc, const DrawingPlace& place,
                    const KeptShapes& kept);

}  // namespace quillmere::engine
