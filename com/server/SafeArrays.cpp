#include "com/server/SafeArrays.h"

#include "objectmodel/automation/ComError.h"
#include "objectmodel/automation/windows/VariantValue.h"

namespace quillmere::com {

SAFEARRAY* ByteArray(const std::vector<std::uint8_t>& bytes) {
  SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
  if (!array || bytes.empty()) return array;
  void* data = nullptr;
  if (FAILED(SafeArrayAccessData(array, &data))) {
    SafeArrayDestroy(array);
    return nullptr;
  }
  std::copy(bytes.begin(), bytes.end(), static_cast<std::uint8_t*>(data));
  SafeArrayUnaccessData(array);
  return array;
}

SAFEARRAY* StringArray(const std::vector<std::string>& texts) {
  SAFEARRAY* array = SafeArrayCreateVector(VT_BSTR, 1, static_cast<ULONG>(texts.size()));
  if (!array) return nullptr;
  LONG index = 1;
  for (const std::string& text : texts) {
    BSTR item = ToBstr(text);
    HRESULT result = SafeArrayPutElement(array, &index, item);  // copies the BSTR
    SysFreeString(item);
    if (FAILED(result)) {
      SafeArrayDestroy(array);
      return nullptr;
    }
    ++index;
  }
  return array;
}

void ReplaceArray(SAFEARRAY** slot, SAFEARRAY* array) {
  if (*slot) SafeArrayDestroy(*slot);
  *slot = array;
}

std::vector<std::string> TextsOf(SAFEARRAY* variants) {
  std::vector<std::string> texts;
  if (!variants || SafeArrayGetDim(variants) != 1) return texts;
  LONG lower = 0, upper = -1;
  SafeArrayGetLBound(variants, 1, &lower);
  SafeArrayGetUBound(variants, 1, &upper);
  for (LONG i = lower; i <= upper; ++i) {
    VARIANT item;
    VariantInit(&item);
    if (FAILED(SafeArrayGetElement(variants, &i, &item))) throw ComError(hr::kTypeMismatch, "Type mismatch");
    try {
      texts.push_back(ValueFromVariant(item).AsString());
    } catch (...) {
      VariantClear(&item);
      throw;
    }
    VariantClear(&item);
  }
  return texts;
}

}  // namespace quillmere::com
