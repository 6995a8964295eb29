#pragma once
// A theme's fonts and name as Theme.ThemeFontScheme and Design.Name answer
// them: the typefaces of a:majorFont and a:minorFont by script, and the
// a:theme name PowerPoint shows for a master that has none of its own.

#include <array>
#include <string>

#include <pugixml.hpp>

namespace quillmere::engine {

// MsoFontLanguageIndex: msoThemeLatin 1, msoThemeComplexScript 2, msoThemeEastAsian 3.
inline constexpr int kThemeFontLanguages = 3;
// By MsoFontLanguageIndex - 1: the typefaces of a:latin, a:cs and a:ea.
using ThemeFontNames = std::array<std::string, kThemeFontLanguages>;

struct ThemeFonts {
  ThemeFontNames major;  // headings
  ThemeFontNames minor;  // body
};

// The fonts of a theme part's a:fontScheme; a script without an element or
// typeface, or a theme without a font scheme, reads as "".
ThemeFonts ReadThemeFonts(const pugi::xml_node& themeRoot);
// a:theme/@name, or "" when the theme has none.
std::string ThemeName(const pugi::xml_node& themeRoot);

}  // namespace quillmere::engine
