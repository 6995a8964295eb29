#pragma once
// The copy of the deck LibreOffice opens to draw shape images. Opening is
// what costs (far more than drawing), so one copy holds a page for each of
// many images: every page a slide added to the deck, holding only the shapes
// of one image as they were when it was asked for. The deck's own slides
// stay listed but empty (leaving them out makes LibreOffice 7.4 crash while
// opening some decks, poi__stress022); masters list only the layouts the
// pages follow, the presentation only those masters and no notes.
//
// LibreOffice draws only slides, so shapes of a layout or master are drawn
// as copies on a page: for a layout that page follows the layout itself, for
// a master a layout of that master emptied of shapes, so placeholders
// inherit from the master alone.

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "engine/objects/images/SlideImages.h"
#include "engine/package/Package.h"

namespace quillmere::engine {

class PresentationDocument;

// The shapes a page keeps of one level of the part's tree, by their 0-based
// index back to front; a kept group keeps only the members drawn, unless
// the group itself is drawn.
struct KeptShapes {
  std::map<int, KeptShapes> shapes;
  bool whole = false;
};

// What the paths of the shapes drawn lead to; the paths are renumbered to
// count only what is kept.
KeptShapes KeepOnlyDrawn(std::vector<ShapeToDraw>& drawn);

// Where the copy shows the shapes of a part.
struct DrawingPlace {
  std::string part;            // the slide, layout or master holding the shapes
  std::string layout;          // the layout the page follows; empty when it has none
  bool layoutEmptied = false;  // for a master's shapes: the layout has no shapes of its own
  bool operator==(const DrawingPlace&) const = default;
};
// Throws ComError: E_INVALIDARG for a part that is no slide, layout or
// master; E_FAIL when it cannot be read, the slide is not in the deck or the
// master has no layout to draw with.
DrawingPlace PlaceToDraw(PresentationDocument& doc, const std::string& part, std::string_view member);

// One page of the copy, taken when its image is asked for: the writers undo
// their edits right after.
struct DrawnPage {
  DrawingPlace place;
  std::string slide;          // only the kept shapes
  std::string relationships;  // those the shapes use, and the layout
  bool operator==(const DrawnPage&) const = default;
};
DrawnPage PageOfShapes(PresentationDocument& doc, const DrawingPlace& place, const KeptShapes& kept);
// A slide's page as it shows now. Its hidden shapes are left out: LibreOffice
// would draw a hidden placeholder.
DrawnPage PageOfSlide(PresentationDocument& doc, const DrawingPlace& place);

// The pages of one copy and the layouts and masters they follow, each as it
// was when the first page needing it was added. A page fits only while the
// parts it follows are unchanged since: a copy shows each part once. The
// presentation is taken as it is when the copy is written, with the deck's
// slides of that moment.
class DrawingCopy {
 public:
  bool Fits(PresentationDocument& doc, const DrawnPage& page) const;
  // Returns the page's 0-based index among the pages.
  int Add(PresentationDocument& doc, DrawnPage page);
  int PageCount() const { return static_cast<int>(pages_.size()); }
  // Whether a page follows the layout or master: then the copy needs it in the deck when it is written.
  bool Follows(const std::string& part) const { return followed_.count(part) > 0; }
  // A copy holding only those pages, with the parts as this one holds them.
  DrawingCopy Pages(int first, int count) const;

  struct Parts {
    Package::ReplacedParts replaced;
    std::vector<Package::AddedPart> added;
    int firstPage = 0;  // the 0-based index in the copy of the first added page
  };
  // What the copy writes over and beside the deck as it is now.
  Parts PartsFor(PresentationDocument& doc) const;

 private:
  struct FollowedPart {
    std::string stamp;  // the revision it had, or how it was emptied
    std::string xml;
  };
  // The parts the page follows, by name, with their stamps now.
  std::map<std::string, std::string> StampsNow(PresentationDocument& doc, const DrawnPage& page) const;

  std::vector<DrawnPage> pages_;
  std::map<std::string, FollowedPart> followed_;
};

}  // namespace quillmere::engine
