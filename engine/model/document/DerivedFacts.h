#pragma once
// What is worked out from a presentation's parts and kept until an edit may
// change it: shape lists, colours, text styles, placeholder counterparts,
// table grids, links, tags, timelines. Every edit of the document tells
// Forget what it changed, and nothing else drops a fact or counts an edit.

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include <pugixml.hpp>

#include "engine/model/format/ColorResolution.h"
#include "engine/model/format/ThemeColors.h"
#include "engine/model/media/ActionLinks.h"
#include "engine/model/shapes/ShapeFrame.h"
#include "engine/model/shapes/ShapeNames.h"
#include "engine/model/shapes/TableGrid.h"
#include "engine/model/text/TextStyleChain.h"
#include "engine/model/timeline/AnimationTimeline.h"

namespace quillmere::engine {

// A shape and the part it is in.
struct InheritedShape {
  std::string part;
  pugi::xml_node shape;
};

using TagList = std::vector<std::pair<std::string, std::string>>;

// The typefaces and size a run's characters are copied with (the rich text of TextRange2.Copy).
struct RunFonts {
  std::string name, symbolTypeface;
  double size = 0;
};

// Facts by key, each worked out on first use.
template <typename Key, typename Fact>
class FactTable {
 public:
  template <typename WorkOut>
  const Fact& Get(const Key& key, WorkOut workOut) {
    auto [it, inserted] = facts_.try_emplace(key);
    // A reference, not the iterator: working a fact out may add others to the table.
    Fact& fact = it->second;
    if (!inserted) return fact;
    try {
      fact = workOut();
    } catch (...) {
      facts_.erase(key);  // so that no half-made fact is handed out later
      throw;
    }
    return fact;
  }
  const Fact* Find(const Key& key) const {
    auto it = facts_.find(key);
    return it == facts_.end() ? nullptr : &it->second;
  }
  Fact* Find(const Key& key) {
    auto it = facts_.find(key);
    return it == facts_.end() ? nullptr : &it->second;
  }
  const Fact& Keep(const Key& key, Fact fact) { return facts_[key] = std::move(fact); }
  void Forget(const Key& key) { facts_.erase(key); }
  void Clear() { facts_.clear(); }

 private:
  std::unordered_map<Key, Fact> facts_;
};

// What an edit changed in a part, for DerivedFacts::Forget.
enum class PartChange {
  Shapes,       // its shapes were added, removed or rearranged
  Text,         // only the text or text formatting of its shapes
  Layout,       // the slide follows another layout
  ThemeColors,  // a colour of its theme was set
  LayoutList,   // the master's list of layouts
  SlideList,    // the presentation's list of slides (part: the main part)
  Tags,         // its tags or a shape's
  Gone,         // it is removed, or about to be made anew under its name
};

// Counts of the edits that objects keeping a list of their own must notice:
// comparing a count is cheaper than asking whether the list is still right.
struct EditCounts {
  unsigned text = 0;       // the shapes or text of a part, a slide's layout, or a part gone
  unsigned slides = 0;     // the list of slides
  unsigned layouts = 0;    // a master's list of layouts
  unsigned partsGone = 0;  // parts removed, or about to be made anew
};

struct DerivedFacts {
  FactTable<std::string, std::vector<std::string>> layouts;            // by master
  FactTable<std::string, std::vector<pugi::xml_node>> topLevelShapes;  // by part
  FactTable<std::string, ShapeNames> shapeNames;                       // by part
  FactTable<std::string, std::vector<ActionLinkSite>> actionLinks;
  FactTable<std::string, TagList> tags;
  FactTable<std::string, std::shared_ptr<const AnimationTimeline>> timelines;
  FactTable<std::string, SchemeColors> themeColors;  // by master
  FactTable<std::string, ColorContext> partColors;
  // Kept by element: dropped whole whenever shapes may have been freed, since
  // a new element can take a freed one's address.
  FactTable<const void*, TextStyleChain> textStyles;                   // by shape
  FactTable<const void*, TableGrid> tableGrids;                        // by a:tbl
  FactTable<const void*, std::vector<InheritedShape>> inheritedShapes;  // by shape
  FactTable<const void*, Frame> slideFrames;                           // by shape, in points
  FactTable<const void*, RunFonts> runFonts;                           // by a:r, for the package revision below
  std::uint64_t runFontsRevision = 0;
  EditCounts counts;

  // The one place facts are dropped, what the change may have made wrong, and
  // the edits counted.
  void Forget(PartChange change, const std::string& part);

 private:
  void ForgetFactsByElement();
};

}  // namespace quillmere::engine
