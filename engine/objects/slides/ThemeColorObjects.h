#pragma once
// The theme colours a slide, master or custom layout shows, and the legacy
// eight-colour scheme (ColorScheme) PowerPoint 2003 knew instead.

#include <cstdint>
#include <memory>
#include <string>

#include "engine/core/EngineObject.h"
#include "engine/model/document/PresentationDocument.h"
#include "engine/model/format/ThemeColors.h"

namespace quillmere::engine {

// The page whose theme colours a put changes (PresentationDocument::SetThemeColor);
// none for colours that are read only.
struct ThemeColorOwner {
  std::shared_ptr<PresentationDocument> doc;
  std::string part;
};

class ThemeColorObject final : public EngineObject<ThemeColorObject> {
 public:
  static constexpr std::string_view kTypeName = "ThemeColor";
  static const MemberTable<ThemeColorObject>& Members();
  ThemeColorObject(std::shared_ptr<EngineSession> s, std::uint32_t c, ThemeColorOwner o = {}, int i = 0)
      : EngineObject(std::move(s)), rgb(c), owner(std::move(o)), index(i) {}
  std::uint32_t rgb;
  ThemeColorOwner owner;
  int index;  // MsoThemeColorSchemeIndex - 1
};

class ThemeColorSchemeObject final : public EngineObject<ThemeColorSchemeObject> {
 public:
  static constexpr std::string_view kTypeName = "ThemeColorScheme";
  static const MemberTable<ThemeColorSchemeObject>& Members();
  ThemeColorSchemeObject(std::shared_ptr<EngineSession> s, const SchemeColors& c)
      : EngineObject(std::move(s)), colors(c) {}
  // The colours a page shows, read anew for each colour asked for, which can be set.
  ThemeColorSchemeObject(std::shared_ptr<EngineSession> s, ThemeColorOwner o)
      : EngineObject(std::move(s)), colors(o.doc->ThemeColorsOf(o.part)), owner(std::move(o)) {}
  SchemeColors colors;
  ThemeColorOwner owner;
};

// Colors(index): the colour at a 1-based MsoThemeColorSchemeIndex.
Value ThemeColorAt(ThemeColorSchemeObject& scheme, const Value& index);

// ColorScheme: the eight PpColorSchemeIndex colours (1 ppBackground, 2
// ppForeground, 3 ppShadow, 4 ppTitle, 5 ppFill, 6 ppAccent1, 7 ppAccent2,
// 8 ppAccent3). Open XML keeps no such scheme; PowerPoint derives it from
// the theme colours as the master maps them, and so does this: background
// bg1, foreground tx1, shadow bg2, title tx2, fill accent1, accent1 accent2,
// accent2 hlink, accent3 folHlink.
inline constexpr int kLegacySchemeColorCount = 8;

class ColorSchemeObject final : public EngineObject<ColorSchemeObject> {
 public:
  static constexpr std::string_view kTypeName = "ColorScheme";
  static const MemberTable<ColorSchemeObject>& Members();
  // mapped: the theme colours as the master shows them (ThemeColorsOf).
  ColorSchemeObject(std::shared_ptr<EngineSession> s, const SchemeColors& mapped);
  std::array<std::uint32_t, kLegacySchemeColorCount> colors;
};

class RGBColorObject final : public EngineObject<RGBColorObject> {
 public:
  static constexpr std::string_view kTypeName = "RGBColor";
  static const MemberTable<RGBColorObject>& Members();
  RGBColorObject(std::shared_ptr<EngineSession> s, std::uint32_t c) : EngineObject(std::move(s)), rgb(c) {}
  std::uint32_t rgb;
};

}  // namespace quillmere::engine
