#pragma once
// The facts of one open presentation package, read from its parts on first
// use: slide size, slide list, masters and their layouts, shape counts, tags,
// theme colours, backgrounds and notes pages.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/model/document/DerivedFacts.h"
#include "engine/model/document/EditStash.h"
#include "engine/model/document/NotesPages.h"
#include "engine/package/Package.h"

namespace quillmere::engine {

struct SlideEntry {
  std::uint32_t id = 0;
  std::string part;  // "ppt/slides/slide1.xml"
};

class PresentationDocument {
 public:
  // Throws PackageError(NotAPresentation) when the main part cannot be parsed.
  explicit PresentationDocument(std::unique_ptr<Package> package);

  Package& Pkg() { return *package_; }
  const std::string& MainPart() const { return mainPart_; }
  // The file the presentation was opened from: the package's own unless it
  // was converted from another format. Relative links start from its folder.
  const std::filesystem::path& SourceFile() const { return sourceFile_; }
  void SetSourceFile(std::filesystem::path file) { sourceFile_ = std::move(file); }

  float SlideWidth() const { return slideWidth_; }    // points
  float SlideHeight() const { return slideHeight_; }  // points
  int FirstSlideNumber() const { return firstSlideNumber_; }

  const std::vector<SlideEntry>& Slides() const { return slides_; }
  // Counts the slides added and removed, so that a list of slide objects can
  // tell it is out of date.
  unsigned SlidesRevision() const { return facts_.counts.slides; }
  // A slide was put into the package at a 0-based position (SlideEdits.h).
  void SlideAdded(std::size_t position, SlideEntry entry);
  // A slide was taken out of the list; its part and its notes page are forgotten.
  void SlideRemoved(const std::string& slidePart);
  // Drops whatever was worked out for a part and for the notes page made for
  // it (shapes, shape ids, tags, colours, text styles, table grids), before
  // it is removed or made anew under a name used before: nothing of an old
  // part is seen through a new one of the same name.
  void ForgetPart(const std::string& part);
  // The colours and text styles of a slide were worked out for its old layout.
  void LayoutChanged(const std::string& slidePart);
  // Counts the parts forgotten, so that an object over a part can tell
  // cheaply when it must check that its part is still there.
  unsigned PartsForgotten() const { return facts_.counts.partsGone; }
  // The p:sldIdLst a slide added to a deck without one had to make, taken out
  // again with the last slide so that the main part is as it was.
  pugi::xml_node& MadeSlideList() { return madeSlideList_; }
  const std::vector<std::string>& Masters() const { return masters_; }
  const std::vector<std::string>& LayoutsOfMaster(const std::string& masterPart);
  // A layout was added to or removed from the master's list (LayoutEdits.h).
  void LayoutsChanged(const std::string& masterPart);
  // Counts those changes, so that a list of layout objects can tell it is out of date.
  unsigned LayoutsRevision() const { return facts_.counts.layouts; }

  // The theme colours a slide, layout, master or notes part shows: its master's theme
  // through the master's colour map and the overrides down the chain.
  SchemeColors ThemeColorsOf(const std::string& part);
  // Sets the colour a part shows at a 0-based MsoThemeColorSchemeIndex - 1 in
  // its master's theme, the slot the colour maps choose there: the theme's
  // other pages change with it, as in PowerPoint. False when there is no such theme slot.
  bool SetThemeColor(const std::string& part, int index, std::uint32_t rgb);
  // Those colours and the theme's own slots (ColorContextOf), worked out once
  // per part until a theme colour is set: every colour read needs them.
  const ColorContext& ColorsOf(const std::string& part);
  // The p:bg in effect for a slide, layout or master (its own, else the
  // nearest one it inherits). Where no part of the chain has one, the
  // background PowerPoint shows: the theme's first background fill in
  // Background 1, as it writes for a new master.
  pugi::xml_node BackgroundOf(const std::string& part);
  // The notes page of a slide: its notes slide part, or a page made once the
  // way PowerPoint makes one, kept under a part name the package does not use.
  const std::string& NotesPageOf(const std::string& slidePart);

  // Top-level shapes of the slide, layout, master or notes part (0 when unreadable).
  int ShapeCount(const std::string& part);
  // Those shapes, back to front, listed once until they change: every Shapes
  // object of the part shares the list, so reading shape after shape stays linear.
  const std::vector<pugi::xml_node>& TopLevelShapesOf(const std::string& part);
  // Every shape of the part by name, worked out again after an edit that does not say how it changed them.
  const ShapeNames& ShapeNamesOf(const std::string& part);
  // The shapes of a part were edited in its DOM: the part is saved from it
  // and its shapes are listed again.
  void ShapesChanged(const std::string& part);
  // The same for an edit that tells its shapes' names what it did to them
  // (NamesStay when it renamed, added and removed nothing), so that a run of
  // edits and lookups by name does not walk the part for every lookup.
  template <typename EditNames>
  void ShapesChanged(const std::string& part, EditNames&& editNames) {
    std::optional<ShapeNames> names;
    if (ShapeNames* known = facts_.shapeNames.Find(part)) names = std::move(*known);
    ShapesChanged(part);
    if (!names) return;
    editNames(*names);
    facts_.shapeNames.Keep(part, std::move(*names));
  }
  // Only the text formatting of a part's shapes was edited: it is saved from
  // its DOM, and its shapes stay as they are.
  void TextChanged(const std::string& part);
  // Counts the edits of text and shapes, so that what was worked out from
  // some text can tell it is out of date.
  unsigned TextRevision() const { return facts_.counts.text; }
  // The first of count shape ids no shape of the part has had: counted on from
  // the part's largest id, so that edits making shapes do not walk the tree for each.
  unsigned TakeShapeIds(const std::string& part, unsigned count);
  // Where the text of a shape takes what it leaves out, worked out once until the part's shapes change.
  const TextStyleChain& TextStylesOf(const std::string& part, const pugi::xml_node& shape);
  // The layout and master placeholders a placeholder inherits from
  // (Inheritance.h), worked out once until shapes change: every position,
  // fill, line and text read of a placeholder walks them.
  const std::vector<InheritedShape>& InheritedShapesOf(const std::string& part, const pugi::xml_node& shape);
  // The typefaces and size a run's characters are copied with (RunFonts),
  // kept while the package is unchanged: the writers copy runs of some
  // scripts character by character.
  const RunFonts* KeptRunFonts(const pugi::xml_node& run);
  const RunFonts& KeepRunFonts(const pugi::xml_node& run, RunFonts fonts);
  // Where a shape is on its slide (ShapeGeometry.h), worked out once until shapes change:
  // the writers ask for its left, top, width and height one by one.
  template <typename WorkOut>
  Frame SlideFrameOf(const pugi::xml_node& shape, WorkOut workOut) {
    return facts_.slideFrames.Get(shape.internal_object(), workOut);
  }
  // The grid of a table (a:tbl), worked out once until the part's shapes change.
  const TableGrid& TableGridOf(const pugi::xml_node& table);
  // The links on a part's shapes and text, listed once until its shapes or text change.
  const std::vector<ActionLinkSite>& ActionLinksOf(const std::string& part);
  // What temporary edits took out of the parts, to be put back when they are undone.
  EditStash& Stash() { return stash_; }
  // The root of a slide, layout, master or notes part, or an empty node.
  pugi::xml_node PartRoot(const std::string& part);
  // The animation timeline of a slide, layout or master, read once per part;
  // shared, so that objects reading it outlive the part being forgotten.
  std::shared_ptr<const AnimationTimeline> TimelineOf(const std::string& part);
  // Tags attached to the presentation (part = MainPart()) or to a slide.
  const TagList& Tags(const std::string& part);
  // Tags attached to one shape of a part (read on each call: shapes come and go).
  TagList ShapeTags(const std::string& part, const pugi::xml_node& shape);
  // The element whose p:custDataLst names the tags: the presentation's root,
  // a slide's p:cSld or (shape not empty) the shape's p:nvPr.
  pugi::xml_node TagOwner(const std::string& part, const pugi::xml_node& shape);
  // Tags of the part or of a shape on it were written (TagEdits.h).
  void TagsChanged(const std::string& part) { facts_.Forget(PartChange::Tags, part); }

 private:
  std::unique_ptr<Package> package_;
  std::string mainPart_;
  std::filesystem::path sourceFile_;
  float slideWidth_ = 720.0f;
  float slideHeight_ = 540.0f;
  int firstSlideNumber_ = 1;
  std::vector<SlideEntry> slides_;
  std::vector<std::string> masters_;
  DerivedFacts facts_;
  std::unordered_map<std::string, unsigned> nextShapeIds_;
  NotesPages notesPages_;
  EditStash stash_;
  pugi::xml_document defaultBackground_;  // made on first use
  pugi::xml_node madeSlideList_;

  TagList ReadTags(const std::string& part, const pugi::xml_node& custDataLst);
  // The colours of a master's theme, read once per master.
  const SchemeColors& ThemeColorsOfMaster(const std::string& masterPart, const std::string& themePart);
  // For each MsoThemeColorSchemeIndex - 1, the theme slot the part shows there.
  ColorMap ColorMapOf(const std::vector<std::string>& chain);
};

}  // namespace quillmere::engine
