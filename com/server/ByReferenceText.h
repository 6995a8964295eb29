#pragma once
// Arguments as automation passes them: [in, out] BSTR* text read and written
// back, and booleans as VARIANT_BOOL.

#include <windows.h>
#include <oleauto.h>

#include <string>

namespace quillmere::com {

// The text in the slot; a missing slot or a null BSTR is empty.
std::string TextIn(const BSTR* slot);
// Replaces the caller's BSTR with the text (the old one is freed).
void TextOut(BSTR* slot, const std::string& text);

// A result BSTR for an [out, retval] slot.
HRESULT ReturnText(BSTR* slot, const std::string& text);

inline VARIANT_BOOL VariantBool(bool value) { return value ? VARIANT_TRUE : VARIANT_FALSE; }

}  // namespace quillmere::com
