#pragma once
// Custom layouts made and taken out while a deck is open (CustomLayouts.Add,
// CustomLayout.Delete): the temporary layout on which a slide shows a
// master's background. A layout added and deleted again leaves the package
// as it was: the same parts, saved byte for byte as before.

#include <cstddef>
#include <string>

#include "engine/model/document/PresentationDocument.h"

namespace quillmere::engine {

// A new layout of the master (NewLayoutXml) at a 0-based position of its list
// (past the end: last), under the first "slideLayoutN.xml" name no part has.
// Returns its part, or "" when no layout id is left.
std::string AddLayout(PresentationDocument& doc, const std::string& masterPart, std::size_t position);

enum class LayoutRemoval { Removed, InUse, NotListed };
// Takes a layout out of its master's list and out of the package, unless a
// slide still follows it.
LayoutRemoval DeleteLayout(PresentationDocument& doc, const std::string& layoutPart);

}  // namespace quillmere::engine
