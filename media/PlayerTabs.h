#pragma once
// The player tabs of a presentation: each tab shows one quiz or interaction
// package, found beside the presentation or in the project archive. Tabs
// whose package is found nowhere are left out.

#include <cstdint>

#include <pugixml.hpp>

#include "objectmodel/automation/Object.h"

namespace quillmere {

struct ExportContext;

// Appends PlayerTabs (also when the presentation has no tabs) to parent. A tab
// without a GUID tag is given one, kept in the presentation's tags.
// projectVersion is the authoring project's version (GetProjectVersion).
void WritePlayerTabs(ExportContext& context, const Object& presentation, pugi::xml_node parent,
                     std::int16_t projectVersion);

}  // namespace quillmere
