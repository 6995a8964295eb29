#pragma once
// Names of the built-in Office themes, recovered from a scheme's values: the
// object model does not say which theme a scheme came from.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "objectmodel/automation/Object.h"

namespace quillmere {

// One element of a written ColorScheme and the colour it holds.
struct SchemeSlot {
  std::string_view element;
  std::int32_t themeIndex;   // MsoThemeColorSchemeIndex
  std::int32_t legacyIndex;  // PpColorSchemeIndex of PowerPoint 2002 and 2003
};

// The elements of a ColorScheme in the order the host reads them. The legacy
// scheme has eight colours, so several elements share one.
inline constexpr std::array<SchemeSlot, 12> kSchemeSlots{{{"Accent1", 5, 5},
                                                          {"Accent2", 6, 6},
                                                          {"Accent3", 7, 7},
                                                          {"Accent4", 8, 8},
                                                          {"Accent5", 9, 5},
                                                          {"Accent6", 10, 5},
                                                          {"Dark1", 1, 2},
                                                          {"Dark2", 3, 2},
                                                          {"FollowedHyperlink", 12, 8},
                                                          {"Hyperlink", 11, 7},
                                                          {"Light1", 2, 1},
                                                          {"Light2", 4, 1}}};

// The script index of a theme's Latin fonts (msoThemeLatin).
inline constexpr std::int32_t kLatinScript = 1;

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
