#pragma once
// The font of a run (or a bullet) as attributes of the element that carries
// its text: the PowerPoint 2003 font, and the PowerPoint 2007 Font2 with its
// fill colour, gradient and effects.

#include <string>

#include <pugixml.hpp>

#include "objectmodel/automation/Object.h"

namespace quillmere {

struct ExportContext;

// font: a Font (PowerPoint 2003 text, and bullets). prefix starts every attribute name.
void FontAttributes(ExportContext& context, const Object& font, pugi::xml_node target, const std::string& prefix);
// run: a TextRange2 run; owner: the slide, layout or master that holds the shape, for theme colours.
void FontAttributes2007(ExportContext& context, const Object& run, pugi::xml_node target, const std::string& prefix,
                        const Object& owner);

}  // namespace quillmere
