#include "engine/objects/slides/ThemeColorObjects.h"

namespace quillmere::engine {

const MemberTable<ThemeColorObject>& ThemeColorObject::Members() {
  static const auto rgb = [](ThemeColorObject& o, Args) { return Value(static_cast<int>(o.rgb)); };
  static const auto putRgb = [](ThemeColorObject& o, Args, const Value& v) {
    if (!o.owner.doc) ThrowReadOnly("RGB");
    auto color = static_cast<std::uint32_t>(v.AsLong()) & 0xFFFFFF;
    if (!o.owner.doc->SetThemeColor(o.owner.part, o.index, color))
      throw ComError(hr::kUnspecified, "ThemeColor.RGB : The theme of this page cannot be changed.");
    o.rgb = color;
  };
  static const MemberTable<ThemeColorObject> table{
      {.name = "RGB", .get = rgb, .put = putRgb},
      // The default member, reached by a call without a member name.
      {.name = "", .get = rgb, .put = putRgb},
  };
  return table;
}

const MemberTable<ThemeColorSchemeObject>& ThemeColorSchemeObject::Members() {
  static const auto colorAt = [](ThemeColorSchemeObject& o, Args a) { return ThemeColorAt(o, ArgAt(a, 0)); };
  static const MemberTable<ThemeColorSchemeObject> table{
      {.name = "Colors", .call = colorAt},
      {.name = "Count", .get = [](ThemeColorSchemeObject&, Args) { return Value(kThemeColorCount); }},
      // The default member: ThemeColorScheme(i) is Colors(i).
      {.name = "", .call = colorAt},
  };
  return table;
}

Value ThemeColorAt(ThemeColorSchemeObject& scheme, const Value& index) {
  int i = index.AsLong();  // MsoThemeColorSchemeIndex
  if (i < 1 || i > kThemeColorCount)
    throw ComError(hr::kInvalidArgument,
                   "ThemeColorScheme.Colors : The index into the specified collection is out of bounds.");
  // The colours worked out for the part are kept until an edit changes them.
  if (scheme.owner.doc) scheme.colors = scheme.owner.doc->ColorsOf(scheme.owner.part).mapped;
  return Value(std::make_shared<ThemeColorObject>(scheme.Session(), scheme.colors[i - 1], scheme.owner, i - 1));
}

namespace {

// For each PpColorSchemeIndex - 1, the MsoThemeColorSchemeIndex - 1 of the
// mapped theme colour it shows: Light1 is what bg1 maps to, Dark1 tx1,
// Light2 bg2, Dark2 tx2 (ThemeColors.h).
constexpr std::array<int, kLegacySchemeColorCount> kLegacyFromTheme = {
    1,   // ppBackground: bg1
    0,   // ppForeground: tx1
    3,   // ppShadow: bg2
    2,   // ppTitle: tx2
    4,   // ppFill: accent1
    5,   // ppAccent1: accent2
    10,  // ppAccent2: hlink
    11,  // ppAccent3: folHlink
};

}  // namespace

ColorSchemeObject::ColorSchemeObject(std::shared_ptr<EngineSession> s, const SchemeColors& mapped)
    : EngineObject(std::move(s)) {
  for (int i = 0; i < kLegacySchemeColorCount; ++i) colors[i] = mapped[kLegacyFromTheme[i]];
}

const MemberTable<ColorSchemeObject>& ColorSchemeObject::Members() {
  static const auto colorAt = [](ColorSchemeObject& o, Args a) {
    int index = ArgAt(a, 0).AsLong();  // PpColorSchemeIndex
    if (index < 1 || index > kLegacySchemeColorCount)
      throw ComError(hr::kInvalidArgument,
                     "ColorScheme.Colors : The index into the specified collection is out of bounds.");
    return Value(std::make_shared<RGBColorObject>(o.Session(), o.colors[index - 1]));
  };
  static const MemberTable<ColorSchemeObject> table{
      {.name = "Count", .get = [](ColorSchemeObject&, Args) { return Value(kLegacySchemeColorCount); }},
      {.name = "Colors", .call = colorAt},
      {.name = "Item", .call = colorAt},
      {.name = "", .call = colorAt},
  };
  return table;
}

const MemberTable<RGBColorObject>& RGBColorObject::Members() {
  static const auto rgb = [](RGBColorObject& o, Args) { return Value(static_cast<int>(o.rgb)); };
  static const MemberTable<RGBColorObject> table{
      {.name = "RGB", .get = rgb},
      {.name = "", .get = rgb},
  };
  return table;
}

}  // namespace quillmere::engine
