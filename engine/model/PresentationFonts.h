#pragma once
// The fonts a presentation uses, as Presentation.Fonts lists them.

#include <string>
#include <vector>

#include "engine/model/PresentationDocument.h"

namespace quillmere::engine {

// First the first master's heading and body Latin theme fonts (the second
// left out when it is the first), then the other Latin typefaces the slides'
// text names (a:latin of runs, paragraph ends and list styles, theme
// references resolved), each once, in the order slides and shapes first use
// them. PowerPoint keeps its own list in an order of its own; this one puts
// the theme's pair first because the PowerPoint 2003 writer reads Fonts(1)
// and Fonts(2) as a design's heading and body fonts. Masters and layouts are
// not read: their text names theme fonts.
std::vector<std::string> PresentationFonts(PresentationDocument& doc);

}  // namespace quillmere::engine
