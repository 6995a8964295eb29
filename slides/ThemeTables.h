#pragma once
// Names of the built-in Office themes, recovered from a scheme's values: the
// object model does not say which theme a scheme came from.

#include <string>

#include "component/automation/Object.h"

namespace quillmere {

// The first built-in theme whose twelve colours all equal Colors(1..12) of the
// scheme; empty when none matches or the scheme cannot be read.
std::string ThemeColorSchemeName(const Object& scheme);

}  // namespace quillmere
