#pragma once
// Names of the built-in Office themes, recovered from a scheme's values: the
// object model does not say which theme a scheme came from.

#include <string>
#include <string_view>

#include "component/automation/Object.h"

namespace quillmere {

// The first built-in theme whose twelve colours all equal Colors(1..12) of the
// scheme; empty when none matches or the scheme cannot be read.
std::string ThemeColorSchemeName(const Object& scheme);

// The first built-in theme whose heading and body fonts are the scheme's Latin
// MajorFont and MinorFont; empty when none matches or the scheme cannot be read.
std::string ThemeFontSchemeName(const Object& fontScheme);

// The design's own name when it is a built-in theme ("Office Theme" counts as
// "Office") whose fonts the scheme has; empty otherwise. A design named after
// a theme that shares its fonts with an earlier one keeps its own name.
std::string DesignThemeFontName(std::string_view designName, const Object& fontScheme);

}  // namespace quillmere
