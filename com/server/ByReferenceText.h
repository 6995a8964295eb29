#pragma once
// [in, out] BSTR* arguments: reading the caller's text and writing it back.

#include <windows.h>
#include <oleauto.h>

#include <string>

namespace quillmere::com {

// The text in the slot; a missing slot or a null BSTR is empty.
std::string TextIn(const BSTR* slot);
// The text of an optional parameter, up to its first NUL: for an omitted
// argument the automation runtime may pass the library's default as plain
// text rather than as a counted BSTR.
std::string OptionalTextIn(const BSTR* slot);
// Replaces the caller's BSTR with the text (the old one is freed).
void TextOut(BSTR* slot, const std::string& text);

// A result BSTR for an [out, retval] slot.
HRESULT ReturnText(BSTR* slot, const std::string& text);

}  // namespace quillmere::com
