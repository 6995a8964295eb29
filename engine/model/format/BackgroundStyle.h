#pragma once
// The background-style preset a background is, as BackgroundStyle numbers it.

#include <pugixml.hpp>

namespace quillmere::engine {

inline constexpr int kBackgroundStyleNotAPreset = 0;

// The MsoBackgroundStyleIndex of a p:bg: a preset for a p:bgRef to one of the
// theme's three background fill styles with a background or text colour,
// kBackgroundStyleNotAPreset for anything else (own fill, other colours,
// colour modifiers, no background).
int BackgroundStyleIndex(const pugi::xml_node& bg);

}  // namespace quillmere::engine
