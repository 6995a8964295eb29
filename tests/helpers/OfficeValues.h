#pragma once
// Values of PowerPoint's object model that the tests pass and compare.

#include <cstdint>

namespace quillmere::testing {

inline constexpr int kTrue = -1;  // msoTrue
inline constexpr int kFalse = 0;  // msoFalse
inline constexpr int kPng = 2;    // ppShapeFormatPNG
inline constexpr int kEmf = 5;    // ppShapeFormatEMF

// An RRGGBB colour packed as the object model packs it, red in the low byte.
inline int Packed(std::uint32_t hex) {
  return static_cast<int>(((hex >> 16) & 0xFF) | (hex & 0xFF00) | ((hex & 0xFF) << 16));
}

inline double Cm(double cm) { return cm * 72.0 / 2.54; }

}  // namespace quillmere::testing
