#include "com/server/ByReferenceText.h"

#include "objectmodel/automation/windows/VariantValue.h"

namespace quillmere::com {

std::string TextIn(const BSTR* slot) { return slot ? FromBstr(*slot) : std::string(); }

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
