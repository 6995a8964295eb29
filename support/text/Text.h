#pragma once
// Small text helpers shared across the library.

#include <string>
#include <string_view>

namespace quillmere {

// ASCII lower-casing, as names of members, tags and files compare.
std::string LowerAscii(std::string_view text);

// Whether the texts are equal once ASCII letters are lower-cased, without
// making lower-cased copies: lookups by name compare thousands of names.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

// The text without its leading and trailing spaces (U+0020 only).
std::string TrimSpaces(std::string_view text);

// The text with each ASCII control character written as "\xNN", so that a
// name from an archive shows in a message without steering the terminal or
// the log it lands in.
std::string VisibleText(std::string_view text);

// The local date and time now, as trace lines show it ("2026-12-06 13:05:09").
std::string CurrentDateTimeText();

}  // namespace quillmere
