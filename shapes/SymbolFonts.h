#pragma once
// Symbol characters (Wingdings, Symbol and the like) report the font of the
// text around them; the presentation tells their real font only in the rich
// text of a copy. The text export asks it for each such character and sets
// that font on the character before it reads the runs.

#include <cstdint>
#include <string>

#include "objectmodel/StepRunner.h"
#include "objectmodel/automation/Object.h"

namespace quillmere {

// Text in these languages is written in code pages where symbol characters
// cannot be told from the language's own, so it is left alone.
bool NeedsSymbolFontRepair(std::int32_t languageId);

// Sets the symbol font on every character of the text range whose ANSI code
// differs from its Unicode code and whose copy names a symbol font. One step
// of `run` per character, so that a failing character does not stop the rest.
void FixSymbolFonts(const Object& range, StepRunner& run, int step);

// The font named by the first SYMBOL field of the clipboard's rich text, or "".
std::string SymbolFontFromClipboard();

}  // namespace quillmere
