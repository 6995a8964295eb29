#pragma once
// Colours as the host reads them: the resolved packed RGB and, for theme or
// scheme colours, the slot they come from and how far they were tinted, so
// the host can keep them bound to the theme.

#include <cstdint>
#include <string>
#include <string_view>

#include <pugixml.hpp>

#include "objectmodel/automation/Object.h"

namespace quillmere {

// MsoColorType of a colour taken from the legacy colour scheme.
inline constexpr std::int32_t kSchemeColorType = 2;

// Legacy colour-scheme names (1, 2, 5..8); empty for any other index.
std::string SchemeColorName(std::int16_t index);
// Theme colour names 1..16; empty outside.
std::string ThemeColorName(std::int16_t index);

// The first theme slot 1..12 of the owner whose colour is rgb; 0 when none.
std::int32_t FindThemeColorIndex(const Object& owner, std::int32_t rgb);
// The colour of theme slot index; 13..16 are reduced to 1..4 in the caller's variable.
std::int32_t ThemeColorRGB(const Object& owner, std::int32_t& index);
// How far actual is darkened (positive) or lightened (negative) from base, in percent.
float EstimateDarkLightScale(std::int32_t base, std::int32_t actual);
// HSL lightness 0..1 of a packed RGB.
float ColorLightness(std::int32_t rgb);

// The four texts of a colour group, resolved from a colour object.
struct ColorGroup {
  enum class Source { Rgb, ThemeSlot, Scheme } source = Source::Rgb;
  std::string kind, name, scale, value;
};
// Throws when a member of the colour or the owner's theme cannot be read.
ColorGroup ResolveColor(const Object& color, const Object& owner, std::int16_t majorVersion);

// The element names one writer gives its colour group.
struct ColorGroupNames {
  std::string_view kind, name, scale, value;
};
inline constexpr ColorGroupNames kForecolorNames{"ForecolorType", "Forecolor", "ForecolorDarkLightScale",
                                                 "ForecolorValue"};
inline constexpr ColorGroupNames kPlainColorNames{"ColorType", "Color", "DarkLightScale", "ColorValue"};

// The element orders the writers use.
enum class ColorOrder {
  ScaleFirst,             // kind, name, scale, value
  ThemeScaleFirst,        // scale first for a theme colour (version 12 and later), value first otherwise
  RgbNameOnly,            // scale first; an explicit RGB colour writes only kind and name
  RgbNameOnlyValueFirst,  // value first; an explicit RGB colour writes only kind and name
};

void WriteColorGroup(int indent, pugi::xml_node parent, const ColorGroupNames& names, const ColorGroup& group,
                     ColorOrder order);

// The back colour of a line or fill: kind and name, then the value (for an
// RGB colour only when withRgbValue); never a scale.
void WriteBackColor(int indent, pugi::xml_node parent, const Object& color, std::int16_t majorVersion,
                    bool withRgbValue);

}  // namespace quillmere
