#pragma once
// What a DrawingML colour element shows: its base colour (given, preset,
// system, HSL, scRGB or a theme slot through the owner's colour map) with its
// transforms applied in document order the way PowerPoint computes them.

#include <cstdint>

#include <pugixml.hpp>

#include "engine/model/format/ThemeColors.h"

namespace quillmere::engine {

// Where scheme colours come from for one slide, layout or master.
struct ColorContext {
  SchemeColors mapped{};  // by MsoThemeColorSchemeIndex - 1 through the colour map (tx1, bg1, ...)
  SchemeColors theme{};   // the theme's own slots (dk1, lt1, ...)
  // The colour of the style reference (a:fillRef, a:lnRef, ...) that a:schemeClr
  // val="phClr" stands for inside the theme's style matrix; empty elsewhere.
  pugi::xml_node placeholderColor;
};

struct ResolvedColor {
  bool present = false;         // the element was a colour element
  std::uint32_t rgb = 0;        // R | G << 8 | B << 16
  double alpha = 1.0;           // 0 transparent .. 1 opaque
  int themeColor = 0;           // MsoThemeColorIndex (tx1 = 13, dk1 = 1, ...), 0 when not a scheme colour
  double brightness = 0.0;      // -1..1 from lumMod/lumOff, as Brightness reports it
  double tintAndShade = 0.0;    // -1..1 from tint/shade
  bool scheme() const { return themeColor != 0; }
};

// Whether the element is one of the six colour elements.
bool IsColorElement(const pugi::xml_node& node);
// The first colour element among the children of a fill, stop or line element.
pugi::xml_node ColorChildOf(const pugi::xml_node& parent);
// Resolves a colour element; an element of another kind gives !present.
ResolvedColor ResolveColor(const pugi::xml_node& colorElement, const ColorContext& context);

// MsoThemeColorIndex of a schemeClr value (0 when unknown).
int ThemeColorIndexOf(std::string_view schemeValue);
// The legacy colour-scheme index (PpColorSchemeIndex 1..8) a theme colour
// takes; 0 for the colours that scheme has no place for.
int LegacySchemeIndexOf(int themeColor);
// The a:schemeClr value of a MsoThemeColorIndex, or "" when out of range.
std::string_view SchemeValueOf(int themeColor);

}  // namespace quillmere::engine
