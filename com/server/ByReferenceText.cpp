#include "com/server/ByReferenceText.h"

#include <cwchar>

#include "component/automation/windows/VariantValue.h"
#include "support/Utf16Text.h"

namespace quillmere::com {

std::string TextIn(const BSTR* slot) { return slot ? FromBstr(*slot) : std::string(); }

std::string OptionalTextIn(const BSTR* slot) {
  if (!slot || !*slot) return std::string();
  return FromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(*slot), std::wcslen(*slot)));
}

void TextOut(BSTR* slot, const std::string& text) {
  if (!slot) return;
  SysFreeString(*slot);
  *slot = ToBstr(text);
}

HRESULT ReturnText(BSTR* slot, const std::string& text) {
  if (!slot) return E_POINTER;
  *slot = ToBstr(text);
  return *slot ? S_OK : E_OUTOFMEMORY;
}

}  // namespace quillmere::com
