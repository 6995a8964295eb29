#pragma once
// The numbered presets PowerPoint reports for effects (ShadowFormat.Type,
// SoftEdgeFormat.Type, ReflectionFormat.Type) and the effect each stands for.

#include <array>
#include <pugixml.hpp>

namespace quillmere::engine {

inline constexpr int kMixedPreset = -2;
// The soft-edge radius of types 1..6, in points.
inline constexpr std::array<double, 6> kSoftEdgeRadii{1, 2.5, 5, 10, 25, 50};
inline constexpr int kReflectionPresets = 9;

// a:outerShdw, a:innerShdw or a:prstShdw as an MsoShadowType.
int ShadowType(const pugi::xml_node& shadow);
// 0 without a soft edge, -2 for a radius that is no preset.
int SoftEdgeType(const pugi::xml_node& softEdge);
// 0 without a reflection; else the nearest of the nine presets.
int ReflectionType(const pugi::xml_node& reflection);
// Makes the a:reflection that of preset 1..9.
void SetReflectionPreset(pugi::xml_node reflection, int type);

}  // namespace quillmere::engine
