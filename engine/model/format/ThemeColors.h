#pragma once
// Theme colours as ThemeColorScheme.Colors answers them: the twelve colours
// of a theme's a:clrScheme, seen through the colour map of a master and the
// overrides of its layouts and slides.

#include <array>
#include <cstdint>

#include <pugixml.hpp>

namespace quillmere::engine {

inline constexpr int kThemeColorCount = 12;

// Packed as RGB answers them: red in the low byte (R | G << 8 | B << 16).
// Indexed by MsoThemeColorSchemeIndex - 1: Dark1, Light1, Dark2, Light2,
// Accent1..Accent6, Hyperlink, FollowedHyperlink.
using SchemeColors = std::array<std::uint32_t, kThemeColorCount>;

// For each MsoThemeColorSchemeIndex - 1, the theme slot it shows (also an
// index in that order). Dark1 shows what tx1 maps to, Light1 bg1, Dark2 tx2,
// Light2 bg2; the others map accent1..accent6, hlink and folHlink.
using ColorMap = std::array<int, kThemeColorCount>;

// The colours of a theme part's a:clrScheme; a:sysClr gives its lastClr and
// colours missing or of another form read as black.
SchemeColors ReadThemeColors(const pugi::xml_node& themeRoot);
// Each slot maps to itself.
ColorMap IdentityColorMap();
// Applies the attributes of a p:clrMap or a:overrideClrMapping present on the
// element; the entries it does not name keep their mapping.
void ApplyColorMapping(ColorMap& map, const pugi::xml_node& mapping);
SchemeColors MappedColors(const SchemeColors& theme, const ColorMap& map);
// Sets a slot (an index in kThemeSlots order) of a theme part's a:clrScheme
// to an RGB colour (packed as above); false when the theme has no such slot.
bool WriteThemeColor(const pugi::xml_node& themeRoot, int slot, std::uint32_t rgb);

}  // namespace quillmere::engine
