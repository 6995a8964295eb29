#pragma once
// Language tags of runs (a:rPr lang, "en-US") as the Windows language ids
// PowerPoint reports for them (msoLanguageID, 1033).

#include <string_view>

namespace quillmere::engine {

// The id of a tag; a tag not in the table takes its language's main
// region, and text that names no known language reads as US English, the
// language PowerPoint gives text that sets none.
int LanguageIdOf(std::string_view tag);

}  // namespace quillmere::engine
