#pragma once
// Values as automation passes them: VARIANTs with BSTR (UTF-16) text,
// VARIANT_BOOL, whole numbers, singles, doubles and IDispatch objects.

#include <ole2.h>
#include <oleauto.h>

#include <string>
#include <string_view>
#include <vector>

#include "objectmodel/automation/Value.h"

namespace quillmere {

// A BSTR of the text (the caller frees it) and the text of a BSTR (null is empty).
BSTR ToBstr(std::string_view utf8);
std::string FromBstr(const BSTR text);

// The value a VARIANT holds, by reference or not. Dates become their day
// numbers, other numbers 32-bit integers where they fit and doubles otherwise;
// an object becomes a ComDispatch, or the Dispatch it exposes when it is one of
// ours. Throws ComError (type mismatch) for arrays and records.
Value ValueFromVariant(const VARIANT& variant);

// How an empty value travels: an omitted argument is VT_ERROR
// DISP_E_PARAMNOTFOUND, a result is VT_EMPTY.
enum class EmptyValue { MissingArgument, Empty };

// Fills out (initialised, owned by the caller afterwards). A Dispatch that is
// not a ComDispatch travels exposed through an IDispatch of our own.
void ValueToVariant(const Value& value, VARIANT& out, EmptyValue empty);

// VARIANTs cleared when they go out of scope.
class VariantList {
 public:
  explicit VariantList(std::size_t size);
  ~VariantList();
  VariantList(const VariantList&) = delete;
  VariantList& operator=(const VariantList&) = delete;
  VARIANT* Data() { return items_.data(); }
  VARIANT& operator[](std::size_t i) { return items_[i]; }

 private:
  std::vector<VARIANT> items_;
};

}  // namespace quillmere
