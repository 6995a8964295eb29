#pragma once
// Numbers as the platform's number-to-text conversion writes them: whole numbers
// plainly, single values with up to 7 significant digits (double with 15), an
// exponent only for very large or very small magnitudes.

#include <cstdint>
#include <string>
#include <string_view>

namespace quillmere {

std::string FormatSingle(float value, std::string_view decimalSeparator = ".");
std::string FormatDouble(double value, std::string_view decimalSeparator = ".");

// Rounds to the nearest whole number, halves to the even neighbour.
std::int64_t RoundHalfEven(double value);

// The text-to-number rule of the tag readers: leading blanks skipped, then the
// longest leading decimal number ("12abc" is 12, "abc" is 0).
double LeadingNumber(std::string_view text);

}  // namespace quillmere
