#include "shapes/NativeShapeTable.h"

#include <array>
#include <utility>

namespace quillmere {
namespace {

constexpr std::size_t kAutoShapeTypes = 201;

std::array<bool, kAutoShapeTypes> BuildTable() {
  constexpr std::pair<int, int> kNativeRanges[] = {{1, 19},    {22, 22},   {24, 24},   {28, 28},   {33, 38},
                                                   {49, 52},   {89, 96},   {105, 107}, {109, 111}, {113, 115},
                                                   {117, 119}, {121, 123}, {141, 141}, {144, 159}, {162, 168}};
  std::array<bool, kAutoShapeTypes> table{};
  for (auto [first, last] : kNativeRanges)
    for (int type = first; type <= last; ++type) table[static_cast<std::size_t>(type)] = true;
  return table;
}

}  // namespace

bool IsNativeAutoShape(std::int32_t autoShapeType) {
  static const std::array<bool, kAutoShapeTypes> table = BuildTable();
  if (autoShapeType < 0 || autoShapeType >= static_cast<std::int32_t>(kAutoShapeTypes)) return false;
  return table[static_cast<std::size_t>(autoShapeType)];
}

}  // namespace quillmere
