#pragma once
// MsoAutoShapeType values of the DrawingML preset geometries, both ways.

#include <optional>
#include <string_view>

namespace quillmere::engine {

inline constexpr int kAutoShapeRectangle = 1;
inline constexpr int kAutoShapeMixed = -2;
inline constexpr int kAutoShapeNotPrimitive = 138;

// The MsoAutoShapeType of a prstGeom prst token; nothing for the line and
// connector geometries, which PowerPoint does not count as autoshapes.
std::optional<int> AutoShapeTypeOfPreset(std::string_view preset);
// The prst token PowerPoint writes for an MsoAutoShapeType; empty when unknown.
std::string_view PresetOfAutoShapeType(int type);

}  // namespace quillmere::engine
