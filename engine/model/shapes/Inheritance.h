#pragma once
// Where a slide, layout, master or notes part and its shapes take what they
// leave out: a slide follows its layout, the layout its master, the master
// its theme; a placeholder follows its counterpart on the layout and that
// one's on the master. Every inherited read (position, fill, line, effects,
// text layout and styles, colours, backgrounds) walks these and nothing else.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

#include "engine/model/document/PresentationDocument.h"

namespace quillmere::engine {

// The parts one part inherits from; empty where there is none.
struct InheritedParts {
  std::string layout;  // a slide's layout
  std::string master;  // the slide master of a slide or layout, the notes master of a notes page, a master itself
  std::string theme;   // the master's theme
};
InheritedParts InheritedPartsOf(PresentationDocument& doc, const std::string& part);

// The part and the parts it inherits from, the part itself first: slide,
// layout, master; notes page, notes master.
std::vector<std::string> InheritanceChain(PresentationDocument& doc, const std::string& part);

// The layout and master counterparts of a placeholder on a slide (or the
// master counterpart of one on a layout), nearest first. Empty for a shape
// that is no placeholder, and shorter when a counterpart is missing. Worked
// out once per shape until shapes change (InheritedShapesOf).
inline const std::vector<InheritedShape>& InheritedShapes(PresentationDocument& doc, const std::string& part,
                                                          const pugi::xml_node& shape) {
  return doc.InheritedShapesOf(part, shape);
}
// The same, looked up afresh.
std::vector<InheritedShape> FindInheritedShapes(PresentationDocument& doc, const std::string& part,
                                                const pugi::xml_node& shape);

// Calls visit(part, shape) for the shape and then for each shape it inherits from, nearest first.
template <typename Visit>
void ForEachInheritedLevel(PresentationDocument& doc, const std::string& part, const pugi::xml_node& shape,
                           Visit visit) {
  visit(part, shape);
  for (const InheritedShape& up : InheritedShapes(doc, part, shape)) visit(up.part, up.shape);
}

// What the nearest of the shape and the shapes it inherits from decides:
// decide(part, shape) gives an empty optional where a level leaves it to the next.
template <typename Decide>
auto NearestDecision(PresentationDocument& doc, const std::string& part, const pugi::xml_node& shape, Decide decide)
    -> decltype(decide(part, shape)) {
  if (auto decided = decide(part, shape)) return decided;
  for (const InheritedShape& up : InheritedShapes(doc, part, shape))
    if (auto decided = decide(up.part, up.shape)) return decided;
  return std::nullopt;
}

// What a placeholder is to its master: "title", "body", "dt", "ftr", "sldNum"
// or "hdr" (every content kind a layout offers counts as the body).
std::string_view MasterPlaceholderKind(const pugi::xml_node& ph);

}  // namespace quillmere::engine
