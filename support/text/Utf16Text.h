#pragma once
// Converting between our UTF-8 strings and the UTF-16 text of file formats
// and storage names. Damaged input never fails a conversion: a byte that is
// not UTF-8, or a surrogate without its partner, becomes U+FFFD.

#include <string>
#include <string_view>

namespace quillmere {

std::u16string ToUtf16(std::string_view utf8);
std::string FromUtf16(std::u16string_view utf16);

// Whether the bytes are UTF-8 without NUL characters, as text files mean it.
bool IsValidUtf8(std::string_view bytes);

// One code point as UTF-8 (U+FFFD for a value that is no character).
void AppendUtf8(std::string& out, char32_t codePoint);

}  // namespace quillmere
