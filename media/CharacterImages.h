#pragma once
// Character images the authoring application placed on a slide: picture
// shapes whose tags say which character, expression and pose they show, so
// the host can rebuild them from its own library.

#include <pugixml.hpp>

#include "objectmodel/automation/Object.h"

namespace quillmere {

struct ExportContext;

// True when the shape carries a character type tag.
bool IsCharacter(const Object& shape);

// Appends a Character element repeating the shape's character tags.
void WriteCharacter(ExportContext& context, const Object& shape, pugi::xml_node parent);

}  // namespace quillmere
