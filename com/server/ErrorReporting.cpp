#include "com/server/ErrorReporting.h"

#include <oleauto.h>
#include <wrl/client.h>

#include <string>

#include "objectmodel/automation/windows/VariantValue.h"

namespace quillmere::com {
namespace {

HRESULT SetError(HRESULT result, const std::string& description, const wchar_t* source, REFIID iid) {
  Microsoft::WRL::ComPtr<ICreateErrorInfo> create;
  if (SUCCEEDED(CreateErrorInfo(&create))) {
    BSTR text = ToBstr(description);
    create->SetGUID(iid);
    create->SetSource(const_cast<LPOLESTR>(source));
    create->SetDescription(text);
    SysFreeString(text);
    Microsoft::WRL::ComPtr<IErrorInfo> info;
    if (SUCCEEDED(create.As(&info))) SetErrorInfo(0, info.Get());
  }
  return result;
}

}  // namespace

HRESULT ErrorHResult(HResult number) {
  if (number < 0x10000) return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, number);
  return static_cast<HRESULT>(number);
}

HRESULT ReportError(const ComError& error, const wchar_t* source, REFIID iid) {
  return SetError(ErrorHResult(error.Number()), error.Description(), source, iid);
}

HRESULT ReportUnexpected(const std::exception& error, const wchar_t* source, REFIID iid) {
  return SetError(E_FAIL, error.what(), source, iid);
}

}  // namespace quillmere::com
