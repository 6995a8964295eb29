#include "objectmodel/automation/windows/VariantValue.h"

#include <limits>
#include <memory>
#include <type_traits>

#include "objectmodel/automation/ComError.h"
#include "objectmodel/automation/windows/ComDispatch.h"
#include "objectmodel/automation/windows/ExposedDispatch.h"
#include "support/text/Utf16Text.h"

namespace quillmere {
namespace {

[[noreturn]] void Mismatch() { throw ComError(hr::kTypeMismatch, "Type mismatch"); }

Value FromWhole(long long n) {
  if (n >= std::numeric_limits<std::int32_t>::min() && n <= std::numeric_limits<std::int32_t>::max())
    return Value(static_cast<int>(n));
  return Value(static_cast<double>(n));
}

Value FromObject(IUnknown* unknown) {
  if (!unknown) return Value();
  if (auto ours = ExposedDispatch::Unwrap(unknown)) return Value(std::move(ours));
  IDispatch* dispatch = nullptr;
  if (FAILED(unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)))) Mismatch();
  return Value(std::shared_ptr<Dispatch>(ComDispatch::Adopt(dispatch)));
}

// Any other number through the system's own conversion.
Value FromOtherNumber(const VARIANT& v) {
  VARIANT d;
  VariantInit(&d);
  if (FAILED(VariantChangeType(&d, const_cast<VARIANT*>(&v), 0, VT_R8))) Mismatch();
  return Value(d.dblVal);
}

}  // namespace

BSTR ToBstr(std::string_view utf8) {
  std::u16string wide = ToUtf16(utf8);
  BSTR out = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(wide.data()), static_cast<UINT>(wide.size()));
  if (!out) throw ComError(0x8007000E, "Out of memory");
  return out;
}

std::string FromBstr(const BSTR text) {
  if (!text) return {};
  return FromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(text), SysStringLen(text)));
}

Value ValueFromVariant(const VARIANT& variant) {
  const VARIANT* v = &variant;
  if (V_VT(v) == (VT_BYREF | VT_VARIANT)) v = V_VARIANTREF(v);
  if (V_VT(v) & (VT_ARRAY | VT_VECTOR)) Mismatch();
  const bool ref = (V_VT(v) & VT_BYREF) != 0;
  switch (V_VT(v) & VT_TYPEMASK) {
    case VT_EMPTY:
    case VT_NULL:
    case VT_ERROR: return Value();
    case VT_BOOL: return Value((ref ? *V_BOOLREF(v) : V_BOOL(v)) != VARIANT_FALSE);
    case VT_I1: return Value(static_cast<int>(ref ? *V_I1REF(v) : V_I1(v)));
    case VT_UI1: return Value(static_cast<int>(ref ? *V_UI1REF(v) : V_UI1(v)));
    case VT_I2: return Value(static_cast<int>(ref ? *V_I2REF(v) : V_I2(v)));
    case VT_UI2: return Value(static_cast<int>(ref ? *V_UI2REF(v) : V_UI2(v)));
    case VT_I4: return Value(static_cast<int>(ref ? *V_I4REF(v) : V_I4(v)));
    case VT_INT: return Value(static_cast<int>(ref ? *V_INTREF(v) : V_INT(v)));
    case VT_UI4: return FromWhole(ref ? *V_UI4REF(v) : V_UI4(v));
    case VT_UINT: return FromWhole(ref ? *V_UINTREF(v) : V_UINT(v));
    case VT_I8: return FromWhole(ref ? *V_I8REF(v) : V_I8(v));
    case VT_R4: return Value(ref ? *V_R4REF(v) : V_R4(v));
    case VT_R8: return Value(ref ? *V_R8REF(v) : V_R8(v));
    case VT_DATE: return Value(static_cast<double>(ref ? *V_DATEREF(v) : V_DATE(v)));
    case VT_BSTR: return Value(FromBstr(ref ? *V_BSTRREF(v) : V_BSTR(v)));
    case VT_DISPATCH: return FromObject(ref ? *V_DISPATCHREF(v) : V_DISPATCH(v));
    case VT_UNKNOWN: return FromObject(ref ? *V_UNKNOWNREF(v) : V_UNKNOWN(v));
    case VT_CY:
    case VT_DECIMAL:
    case VT_UI8: return FromOtherNumber(*v);
    default: Mismatch();
  }
}

void ValueToVariant(const Value& value, VARIANT& out, EmptyValue empty) {
  VariantInit(&out);
  value.Visit([&](const auto& held) {
    using T = std::decay_t<decltype(held)>;
    if constexpr (std::is_same_v<T, std::monostate>) {
      if (empty == EmptyValue::MissingArgument) {
        V_VT(&out) = VT_ERROR;
        V_ERROR(&out) = DISP_E_PARAMNOTFOUND;
      }
    } else if constexpr (std::is_same_v<T, bool>) {
      V_VT(&out) = VT_BOOL;
      V_BOOL(&out) = held ? VARIANT_TRUE : VARIANT_FALSE;
    } else if constexpr (std::is_same_v<T, std::int32_t>) {
      V_VT(&out) = VT_I4;
      V_I4(&out) = held;
    } else if constexpr (std::is_same_v<T, float>) {
      V_VT(&out) = VT_R4;
      V_R4(&out) = held;
    } else if constexpr (std::is_same_v<T, double>) {
      V_VT(&out) = VT_R8;
      V_R8(&out) = held;
    } else if constexpr (std::is_same_v<T, std::string>) {
      V_BSTR(&out) = ToBstr(held);
      V_VT(&out) = VT_BSTR;
    } else if (held) {
      V_DISPATCH(&out) = ComDispatch::Interface(held);
      V_VT(&out) = VT_DISPATCH;
    } else {
      V_VT(&out) = VT_DISPATCH;  // Nothing
      V_DISPATCH(&out) = nullptr;
    }
  });
}

VariantList::VariantList(std::size_t size) : items_(size) {
  for (VARIANT& v : items_) VariantInit(&v);
}

VariantList::~VariantList() {
  for (VARIANT& v : items_) VariantClear(&v);
}

}  // namespace quillmere
