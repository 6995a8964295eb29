#pragma once
// Text positions as the presentation's object model counts them: in UTF-16
// code units, while our strings are UTF-8. A byte that is not UTF-8 counts as
// one unit (and reads as U+FFFD) so that damaged text still has positions.

#include <cstddef>
#include <functional>
#include <string_view>

namespace quillmere {

// Each code point with the position (0-based, in units) where it starts.
void ForEachCodePoint(std::string_view utf8, const std::function<void(char32_t, std::size_t)>& visit);

// The first code point, 0 for empty text.
char32_t FirstCodePoint(std::string_view utf8);

inline constexpr char32_t kFirstSupplementary = 0x10000;
// What text that cannot be decoded reads as.
inline constexpr char32_t kReplacementCharacter = 0xFFFD;
// The units a code point takes: two (a surrogate pair) from kFirstSupplementary on.
inline std::size_t Utf16UnitsOf(char32_t cp) { return cp >= kFirstSupplementary ? 2 : 1; }

std::size_t Utf16Length(std::string_view utf8);

// The text of the units [from, to), cut short where the text ends; a position
// inside a surrogate pair rounds up.
std::string_view Utf16Slice(std::string_view utf8, std::size_t from, std::size_t to);

}  // namespace quillmere
