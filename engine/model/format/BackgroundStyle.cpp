#include "engine/model/format/BackgroundStyle.h"

#include <array>
#include <string_view>

#include "engine/model/document/XmlNames.h"

namespace quillmere::engine {
namespace {

constexpr int kFirstBackgroundFillStyle = 1001;
constexpr int kBackgroundFillStyles = 3;

// PowerPoint's background-style gallery has a row per background fill style
// of the theme (idx 1001, 1002, 1003) and, within a row, a column per colour:
// Background 1, Text 1, Background 2, Text 2. Presets count row by row, so
// Preset1 is idx 1001 with bg1 and Preset12 is idx 1003 with tx2.
constexpr std::array<std::string_view, 4> kGalleryColors = {"bg1", "tx1", "bg2", "tx2"};

bool HasModifiers(const pugi::xml_node& color) {
  return color.find_child([](const pugi::xml_node& n) { return n.type() == pugi::node_element; });
}

}  // namespace

int BackgroundStyleIndex(const pugi::xml_node& bg) {
  pugi::xml_node ref = ChildNamed(bg, "bgRef");
  int row = ref.attribute("idx").as_int() - kFirstBackgroundFillStyle;
  pugi::xml_node color = ChildNamed(ref, "schemeClr");
  if (row < 0 || row >= kBackgroundFillStyles || !color || HasModifiers(color)) return kBackgroundStyleNotAPreset;
  for (std::size_t column = 0; column < kGalleryColors.size(); ++column)
    if (kGalleryColors[column] == color.attribute("val").value())
      return row * static_cast<int>(kGalleryColors.size()) + static_cast<int>(column) + 1;
  return kBackgroundStyleNotAPreset;
}

}  // namespace quillmere::engine
