#pragma once
// The adjustments a preset geometry offers and their defaults, in the units
// of its avLst: 100000ths for proportions, 60000ths of a degree for angles.

#include <string_view>
#include <vector>

namespace quillmere::engine {

struct PresetAdjustment {
  std::string_view name;  // "adj", "adj1", ...
  long long defaultValue;
  bool angle;  // a polar handle turns it, so PowerPoint shows it in degrees
};

// In the order PowerPoint numbers them; empty for a preset without handles.
const std::vector<PresetAdjustment>& PresetAdjustments(std::string_view preset);

}  // namespace quillmere::engine
