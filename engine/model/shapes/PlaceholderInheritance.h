#pragma once
// Where a placeholder takes what it leaves out (position, size, fill, line,
// text formatting): the placeholder it stands for on its layout, and that
// one's counterpart on the master.

#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

#include "engine/model/document/PresentationDocument.h"

namespace quillmere::engine {

// The layout and master counterparts of a placeholder on a slide (or the
// master counterpart of one on a layout), nearest first. Empty for a shape
// that is no placeholder, and shorter when a counterpart is missing. Worked
// out once per shape until shapes change (PlaceholderAncestorsOf).
inline const std::vector<InheritedShape>& PlaceholderAncestors(PresentationDocument& doc, const std::string& part,
                                                               const pugi::xml_node& shape) {
  return doc.PlaceholderAncestorsOf(part, shape);
}
// The same, looked up afresh.
std::vector<InheritedShape> FindPlaceholderAncestors(PresentationDocument& doc, const std::string& part,
                                                     const pugi::xml_node& shape);

// What a placeholder is to its master: "title", "body", "dt", "ftr", "sldNum"
// or "hdr" (every content kind a layout offers counts as the body).
std::string_view MasterPlaceholderKind(const pugi::xml_node& ph);

// The counterpart of placeholder ph among the placeholders of a layout or
// master part: the one with the same idx, else the first of the same kind.
pugi::xml_node MatchingPlaceholder(const pugi::xml_node& ph, const pugi::xml_node& partRoot, bool onMaster);

}  // namespace quillmere::engine
