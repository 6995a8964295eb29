#pragma once
// The fonts a presentation uses, as Presentation.Fonts lists them.

#include <string>
#include <vector>

#include "engine/model/document/PresentationDocument.h"

namespace quillmere::engine {

// As PowerPoint lists them: the heading and body Latin fonts of each
// master's theme, masters in order (so the first master's pair comes first,
// which the PowerPoint 2003 writer reads as Fonts(1) and Fonts(2)), then the
// other Latin typefaces the slides' text names (a:latin of runs, paragraph
// ends and list styles, a:buFont of bullets, theme references resolved),
// each font once, in the
// order they are first used. Masters' and layouts' own text is not read: it
// names theme fonts.
std::vector<std::string> PresentationFonts(PresentationDocument& doc);

}  // namespace quillmere::engine
