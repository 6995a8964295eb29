#pragma once
// SAFEARRAYs as the utility classes hand them out and take them in.

#include <windows.h>
#include <oleauto.h>

#include <cstdint>
#include <string>
#include <vector>

namespace quillmere::com {

// A one-dimensional byte array from index 0; null on failure.
SAFEARRAY* ByteArray(const std::vector<std::uint8_t>& bytes);
// A one-dimensional string array from index 1, as a Visual Basic caller's ReDim (1 To n) makes it.
SAFEARRAY* StringArray(const std::vector<std::string>& texts);
// Replaces the array behind an [in, out] slot (the old one is destroyed).
void ReplaceArray(SAFEARRAY** slot, SAFEARRAY* array);
// The elements of a VARIANT array as text (a ParamArray's items).
std::vector<std::string> TextsOf(SAFEARRAY* variants);

}  // namespace quillmere::com
