#include "shapes/ColorValues.h"

#include <algorithm>
#include <array>

#include "objectmodel/xml/NumberText.h"
#include "objectmodel/xml/XmlHelpers.h"

namespace quillmere {
namespace {

constexpr std::int32_t kThemeSlots = 12;

constexpr std::array<std::string_view, 16> kThemeNames{
    "Dark1",   "Light1",  "Dark2",     "Light2",            "Accent1", "Accent2",     "Accent3", "Accent4",
    "Accent5", "Accent6", "Hyperlink", "FollowedHyperlink", "Text1",   "Background1", "Text2",   "Background2"};

Object ThemeScheme(const Object& owner) {
  std::string type(owner.TypeName());
  std::transform(type.begin(), type.end(), type.begin(), [](unsigned char c) { return std::tolower(c); });
  return type == "master" ? owner.Child("Theme").Child("ThemeColorScheme") : owner.Child("ThemeColorScheme");
}

std::int32_t SlotColor(const Object& scheme, std::int32_t index) {
  return scheme.Child("Colors", index).Get("RGB").AsLong();
}

std::int32_t Channel(std::int32_t rgb, int shift) { return (rgb >> shift) & 0xFF; }

}  // namespace

std::string SchemeColorName(std::int16_t index) {
  switch (index) {
    case 1: return "Light1";
    case 2: return "Dark1";
    case 5: return "Accent1";
    case 6: return "Accent2";
    case 7: return "Accent3";
    case 8: return "Accent4";
    default: return {};
  }
}

std::string ThemeColorName(std::int16_t index) {
  if (index < 1 || index > static_cast<std::int16_t>(kThemeNames.size())) return {};
  return std::string(kThemeNames[static_cast<std::size_t>(index - 1)]);
}

std::int32_t FindThemeColorIndex(const Object& owner, std::int32_t rgb) {
  Object scheme = ThemeScheme(owner);
  for (std::int32_t i = 1; i <= kThemeSlots; ++i)
    if (SlotColor(scheme, i) == rgb) return i;
  return 0;
}

std::int32_t ThemeColorRGB(const Object& owner, std::int32_t& index) {
  if (index > kThemeSlots) index -= kThemeSlots;
  return SlotColor(ThemeScheme(owner), index);
}

float ColorLightness(std::int32_t rgb) {
  std::int32_t r = Channel(rgb, 0), g = Channel(rgb, 8), b = Channel(rgb, 16);
  float high = static_cast<float>(std::max({r, g, b})) / 255.0f;
  float low = static_cast<float>(std::min({r, g, b})) / 255.0f;
  return (high + low) / 2.0f;
}

float EstimateDarkLightScale(std::int32_t base, std::int32_t actual) {
  if (base == 0) {
    if (actual <= 0x0D0D0D) return 5;
    if (actual <= 0x262626) return 15;
    if (actual <= 0x404040) return 25;
    if (actual <= 0x595959) return 35;
    return 50;
  }
  if (base == 0xE1ECEE) {
    if (actual >= 0xC3D9DD) return -10;
    if (actual >= 0x97BDC4) return -25;
    if (actual >= 0x548A94) return -50;
    if (actual >= 0x2A454A) return -75;
    return -90;
  }
  if (base == 0xFFFFFF) {
    if (actual >= 0xF2F2F2) return -5;
    if (actual >= 0xD9D9D9) return -15;
    if (actual >= 0xBFBFBF) return -25;
    if (actual >= 0xA6A6A6) return -35;
    return -50;
  }
  float ratio = ColorLightness(actual) / ColorLightness(base);
  if (ratio <= 0.6f) return -50;
  if (ratio <= 1.0f) return -25;
  if (ratio <= 1.4f) return 40;
  if (ratio <= 1.6f) return 60;
  if (ratio <= 2.0f) return 80;
  return 0;
}

ColorGroup ResolveColor(const Object& color, const Object& owner, std::int16_t majorVersion) {
  ColorGroup group;
  std::string rgb = std::to_string(color.Get("RGB").AsLong());
  std::int32_t type = color.Get("Type").AsLong();
  group.value = rgb;
  group.scale = "0";
  if (type != kSchemeColorType) {
    group.kind = "1";
    group.name = rgb;
    return group;
  }
  if (majorVersion >= 12) {
    std::int32_t actual = color.Get("RGB").AsLong();
    group.source = ColorGroup::Source::ThemeSlot;
    group.kind = std::to_string(type);
    if (std::int32_t slot = FindThemeColorIndex(owner, actual); slot >= 1) {
      group.name = ThemeColorName(static_cast<std::int16_t>(slot));
      return group;
    }
    std::int32_t themeIndex = color.Get("ObjectThemeColor").AsLong();
    std::int32_t base = ThemeColorRGB(owner, themeIndex);
    // Read again: the lookup reduced 13..16, whose names differ from 1..4.
    group.name = ThemeColorName(static_cast<std::int16_t>(color.Get("ObjectThemeColor").AsLong()));
    group.scale = std::to_string(RoundHalfEven(EstimateDarkLightScale(base, actual)));
    return group;
  }
  std::string scheme = SchemeColorName(static_cast<std::int16_t>(color.Get("SchemeColor").AsLong()));
  if (scheme.empty()) {
    group.kind = "1";
    group.name = rgb;
    return group;
  }
  group.source = ColorGroup::Source::Scheme;
  group.kind = std::to_string(type);
  group.name = scheme;
  return group;
}

void WriteColorGroup(int indent, pugi::xml_node parent, const ColorGroupNames& names, const ColorGroup& group,
                     ColorOrder order) {
  AddElement(indent, parent, names.kind, group.kind);
  AddElement(indent, parent, names.name, group.name);
  bool rgb = group.source == ColorGroup::Source::Rgb;
  if (rgb && (order == ColorOrder::RgbNameOnly || order == ColorOrder::RgbNameOnlyValueFirst)) return;
  bool scaleFirst = order == ColorOrder::ScaleFirst || order == ColorOrder::RgbNameOnly ||
                    (order == ColorOrder::ThemeScaleFirst && group.source == ColorGroup::Source::ThemeSlot);
  if (scaleFirst) AddElement(indent, parent, names.scale, group.scale);
  AddElement(indent, parent, names.value, group.value);
  if (!scaleFirst) AddElement(indent, parent, names.scale, group.scale);
}

void WriteBackColor(int indent, pugi::xml_node parent, const Object& color, std::int16_t majorVersion,
                    bool withRgbValue) {
  std::string rgb = std::to_string(color.Get("RGB").AsLong());
  std::int32_t type = color.Get("Type").AsLong();
  if (type != kSchemeColorType) {
    AddElement(indent, parent, "BackcolorType", "1");
    AddElement(indent, parent, "Backcolor", rgb);
    if (withRgbValue) AddElement(indent, parent, "BackcolorValue", rgb);
    return;
  }
  std::string name = majorVersion >= 12
                         ? ThemeColorName(static_cast<std::int16_t>(color.Get("ObjectThemeColor").AsLong()))
                         : SchemeColorName(static_cast<std::int16_t>(color.Get("SchemeColor").AsLong()));
  AddElement(indent, parent, "BackcolorType", name.empty() ? "1" : std::to_string(type));
  AddElement(indent, parent, "Backcolor", name.empty() ? rgb : name);
  AddElement(indent, parent, "BackcolorValue", rgb);
}

}  // namespace quillmere
