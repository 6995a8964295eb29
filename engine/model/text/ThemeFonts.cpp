#include "engine/model/text/ThemeFonts.h"

#include <string_view>

#include "engine/model/document/XmlNames.h"

namespace quillmere::engine {
namespace {

// The a:majorFont / a:minorFont children in MsoFontLanguageIndex order.
constexpr std::array<std::string_view, kThemeFontLanguages> kScripts = {"latin", "cs", "ea"};

ThemeFontNames FontsOf(const pugi::xml_node& set) {
  ThemeFontNames names;
  for (int i = 0; i < kThemeFontLanguages; ++i) names[i] = ChildNamed(set, kScripts[i]).attribute("typeface").value();
  return names;
}

}  // namespace

ThemeFonts ReadThemeFonts(const pugi::xml_node& themeRoot) {
  pugi::xml_node scheme = ChildNamed(ChildNamed(themeRoot, "themeElements"), "fontScheme");
  return {FontsOf(ChildNamed(scheme, "majorFont")), FontsOf(ChildNamed(scheme, "minorFont"))};
}

std::string ThemeName(const pugi::xml_node& themeRoot) { return themeRoot.attribute("name").value(); }

}  // namespace quillmere::engine
