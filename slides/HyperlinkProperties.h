#pragma once
// The ActionSettings of a slide, slide master or custom layout: every
// mouse-click and mouse-over action of its shapes and text, and for slides
// the targets of the player's previous and next buttons.

#include <pugixml.hpp>

#include "objectmodel/automation/Object.h"

namespace quillmere {

struct ExportContext;

// Appends ActionSettings to parent.
void HyperlinkProperties(ExportContext& context, const Object& owner, pugi::xml_node parent);

// Describes ActionSettings(index) of a shape or text range (1 mouse click,
// 2 mouse over) under element: what it does and, for a link, where it goes.
// What cannot be read is left out; an unreadable action is "None".
void GetActionSetting(ExportContext& context, const Object& object, std::int32_t index, pugi::xml_node element);

}  // namespace quillmere
