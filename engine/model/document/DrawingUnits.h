#pragma once
// The units DrawingML counts in.

namespace quillmere::engine {

inline constexpr double kEmuPerPoint = 12700.0;  // English metric units in a point
inline constexpr double kAngleUnit = 60000.0;    // angle units in a degree
inline constexpr double kFractionUnit = 100000.0;  // a whole, in percentages and scales

}  // namespace quillmere::engine
