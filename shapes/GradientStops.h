#pragma once
// The stops of a gradient fill, in position order.

#include <array>
#include <cstdint>
#include <vector>

#include <pugixml.hpp>

#include "objectmodel/automation/Object.h"

namespace quillmere {

struct ExportContext;

// A two-column table: key and payload.
using SortTable = std::vector<std::array<double, 2>>;
// Ascending by the key column; rows with equal keys keep their order.
void SortRows(SortTable& table, std::size_t keyColumn);

// The fill's own stops (version 12 and later); owner answers theme colours.
void WriteGradientStops(ExportContext& context, const Object& fill, pugi::xml_node fillElement, const Object& owner,
                        std::int16_t majorVersion);
// Stops made from the fore and back colours as the gradient variant lays them out (before version 12).
void WriteTwoColorStops(ExportContext& context, const Object& fill, pugi::xml_node fillElement);

}  // namespace quillmere
