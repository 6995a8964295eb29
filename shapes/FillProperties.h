#pragma once
// One fill (of a shape, a table cell or a background) as an element of the
// caller's name: visibility, type, colours and the part of its type (texture
// and picture images, pattern number, gradient stops).

#include <string_view>

#include <pugixml.hpp>

#include "objectmodel/automation/Object.h"

namespace quillmere {

struct ExportContext;

// fillOwner is the object whose Fill is read; themeOwner answers theme colours
// when fillOwner is not a shape. hidden writes an invisible fill.
void FillProperties(ExportContext& context, const Object& fillOwner, pugi::xml_node parent,
                    std::string_view elementName, const Object& themeOwner, bool hidden = false);

}  // namespace quillmere
