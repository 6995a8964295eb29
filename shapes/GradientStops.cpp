#include "shapes/GradientStops.h"

#include <utility>

#include "objectmodel/ExportContext.h"
#include "objectmodel/xml/XmlHelpers.h"
#include "shapes/ColorValues.h"

namespace quillmere {
namespace {

constexpr int kGradientStopsIndent = 16;

void WriteStop(pugi::xml_node stops, const std::string& position, const std::string& transparency,
               const ColorGroup& color) {
  pugi::xml_node stop = AppendContainer(stops, "GradientStop");
  AddElement(kGradientStopsIndent, stop, "Position", position);
  AddElement(kGradientStopsIndent, stop, "Transparency", transparency);
  WriteColorGroup(kGradientStopsIndent, stop, kPlainColorNames, color, ColorOrder::RgbNameOnlyValueFirst);
}

// Before version 12 a stop names only a legacy scheme colour.
ColorGroup TwoColorStopColor(const Object& color) {
  ColorGroup group = ResolveColor(color, Object(), 11);
  group.source = ColorGroup::Source::Scheme;  // every stop writes its value and a zero scale
  return group;
}

}  // namespace

void SortRows(SortTable& table, std::size_t keyColumn) {
  if (table.empty()) return;
  std::size_t last = table.size() - 1;
  for (std::size_t gap = last / 2; gap >= 1; gap /= 2) {
    bool exchanged = true;
    while (exchanged) {
      exchanged = false;
      for (std::size_t j = 0; j + gap <= last; ++j) {
        if (table[j][keyColumn] > table[j + gap][keyColumn]) {
          std::swap(table[j], table[j + gap]);
          exchanged = true;
        }
      }
    }
  }
}

void WriteGradientStops(ExportContext& context, const Object& fill, pugi::xml_node fillElement, const Object& owner,
                        std::int16_t majorVersion) {
  Object stops = fill.Child("GradientStops");
  SortTable rows;
  for (std::int32_t i = 1, n = stops.Count(); i <= n; ++i)
    rows.push_back({stops.Item(i).Get("Position").AsDouble(), static_cast<double>(i)});
  SortRows(rows, 0);
  pugi::xml_node element = AppendContainer(fillElement, "GradientStops");
  for (const auto& row : rows) {
    Object stop = stops.Item(static_cast<std::int32_t>(row[1]));
    WriteStop(element, context.PlatformText(stop.Get("Position").AsSingle()),
              context.PlatformText(stop.Get("Transparency").AsSingle()),
              ResolveColor(stop.Child("Color"), owner, majorVersion));
  }
}

void WriteTwoColorStops(ExportContext& context, const Object& fill, pugi::xml_node fillElement) {
  std::int32_t variant = fill.Get("GradientVariant").AsLong();
  ColorGroup fore = TwoColorStopColor(fill.Child("ForeColor"));
  ColorGroup back = TwoColorStopColor(fill.Child("BackColor"));
  std::vector<std::pair<float, const ColorGroup*>> layout;
  if (variant == 1 || variant == 2)
    layout = {{0.0f, &fore}, {1.0f, &back}};
  else if (variant == 3)
    layout = {{0.0f, &fore}, {0.5f, &back}, {1.0f, &fore}};
  else if (variant == 4)
    layout = {{0.0f, &back}, {0.5f, &fore}, {1.0f, &back}};
  pugi::xml_node element = AppendContainer(fillElement, "GradientStops");
  std::string transparency = context.PlatformText(fill.Get("Transparency").AsSingle());
  for (const auto& [position, color] : layout) WriteStop(element, context.PlatformText(position), transparency, *color);
}

}  // namespace quillmere
