#include "engine/model/format/ThemeColors.h"

#include <charconv>
#include <cstdio>
#include <string>
#include <string_view>

#include "engine/model/document/XmlNames.h"

namespace quillmere::engine {
namespace {

// The a:clrScheme children in MsoThemeColorSchemeIndex order.
constexpr std::array<std::string_view, kThemeColorCount> kThemeSlots = {
    "dk1", "lt1", "dk2", "lt2", "accent1", "accent2", "accent3", "accent4", "accent5", "accent6", "hlink", "folHlink"};
// The colour map attribute that chooses the slot shown at each index.
constexpr std::array<const char*, kThemeColorCount> kMapEntries = {
    "tx1", "bg1", "tx2", "bg2", "accent1", "accent2", "accent3", "accent4", "accent5", "accent6", "hlink", "folHlink"};

int SlotNamed(std::string_view name) {
  for (int i = 0; i < kThemeColorCount; ++i)
    if (kThemeSlots[i] == name) return i;
  return -1;
}

// "RRGGBB" as RGB packs it (red in the low byte); black when malformed.
std::uint32_t PackedColor(std::string_view hex) {
  std::uint32_t rgb = 0;
  auto [end, error] = std::from_chars(hex.data(), hex.data() + hex.size(), rgb, 16);
  if (error != std::errc() || end != hex.data() + hex.size() || hex.size() != 6) return 0;
  return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
}

std::uint32_t ColorOf(const pugi::xml_node& slot) {
  if (pugi::xml_node srgb = ChildNamed(slot, "srgbClr")) return PackedColor(srgb.attribute("val").value());
  if (pugi::xml_node sys = ChildNamed(slot, "sysClr")) return PackedColor(sys.attribute("lastClr").value());
  return 0;
}

}  // namespace

SchemeColors ReadThemeColors(const pugi::xml_node& themeRoot) {
  pugi::xml_node scheme = ChildNamed(ChildNamed(themeRoot, "themeElements"), "clrScheme");
  SchemeColors colors{};
  for (int i = 0; i < kThemeColorCount; ++i) colors[i] = ColorOf(ChildNamed(scheme, kThemeSlots[i]));
  return colors;
}

ColorMap IdentityColorMap() {
  ColorMap map{};
  for (int i = 0; i < kThemeColorCount; ++i) map[i] = i;
  return map;
}

void ApplyColorMapping(ColorMap& map, const pugi::xml_node& mapping) {
  for (int i = 0; i < kThemeColorCount; ++i) {
    int slot = SlotNamed(mapping.attribute(kMapEntries[i]).value());
    if (slot >= 0) map[i] = slot;
  }
}

SchemeColors MappedColors(const SchemeColors& theme, const ColorMap& map) {
  SchemeColors shown{};
  for (int i = 0; i < kThemeColorCount; ++i) shown[i] = theme[map[i]];
  return shown;
}

bool WriteThemeColor(const pugi::xml_node& themeRoot, int slot, std::uint32_t rgb) {
  if (slot < 0 || slot >= kThemeColorCount) return false;
  pugi::xml_node entry = ChildNamed(ChildNamed(ChildNamed(themeRoot, "themeElements"), "clrScheme"), kThemeSlots[slot]);
  if (!entry) return false;
  std::string prefix(entry.name(), std::string_view(entry.name()).size() - kThemeSlots[slot].size());
  while (entry.first_child()) entry.remove_child(entry.first_child());
  char hex[7];
  std::snprintf(hex, sizeof hex, "%02X%02X%02X", rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
  entry.append_child((prefix + "srgbClr").c_str()).append_attribute("val") = hex;
  return true;
}

}  // namespace quillmere::engine
