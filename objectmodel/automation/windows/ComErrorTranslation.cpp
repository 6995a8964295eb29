#include "objectmodel/automation/windows/ComErrorTranslation.h"

#include <windows.h>

#include "objectmodel/automation/windows/VariantValue.h"
#include "support/text/Utf16Text.h"

namespace quillmere {
namespace {

// Visual Basic's own numbers for the dispatch failures it translates.
struct KnownFailure {
  HRESULT result;
  HResult number;
  const char* description;
};
constexpr KnownFailure kKnownFailures[] = {
    {DISP_E_MEMBERNOTFOUND, hr::kNotSupported, "Object doesn't support this property or method"},
    {DISP_E_UNKNOWNNAME, hr::kNotSupported, "Object doesn't support this property or method"},
    {DISP_E_TYPEMISMATCH, hr::kTypeMismatch, "Type mismatch"},
    {DISP_E_OVERFLOW, 0x800A0006, "Overflow"},
    {DISP_E_PARAMNOTOPTIONAL, 0x800A01C1, "Argument not optional"},
    {DISP_E_BADPARAMCOUNT, 0x800A01C2, "Wrong number of arguments or invalid property assignment"},
};

std::string SystemMessage(HRESULT result) {
  wchar_t* text = nullptr;
  DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                    FORMAT_MESSAGE_IGNORE_INSERTS,
                                nullptr, static_cast<DWORD>(result), 0, reinterpret_cast<wchar_t*>(&text), 0,
                                nullptr);
  std::string message;
  if (length) message = FromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(text), length));
  LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
    message.pop_back();
  return message.empty() ? "Automation error" : message;
}

}  // namespace

ComError ErrorFromHResult(HRESULT result) {
  for (const KnownFailure& known : kKnownFailures)
    if (known.result == result) return ComError(known.number, known.description);
  return ComError(static_cast<HResult>(result), SystemMessage(result));
}

ComError ErrorFromInvoke(HRESULT result, EXCEPINFO& info) {
  if (result != DISP_E_EXCEPTION) return ErrorFromHResult(result);
  if (info.pfnDeferredFillIn) info.pfnDeferredFillIn(&info);
  std::string description = FromBstr(info.bstrDescription);
  SysFreeString(info.bstrDescription);
  SysFreeString(info.bstrSource);
  SysFreeString(info.bstrHelpFile);
  info.bstrDescription = info.bstrSource = info.bstrHelpFile = nullptr;
  // A server numbers its error either as an HRESULT or as a Visual Basic error code.
  HResult number = info.scode ? static_cast<HResult>(info.scode)
                   : info.wCode ? 0x800A0000u | info.wCode
                                : static_cast<HResult>(E_FAIL);
  if (description.empty()) description = SystemMessage(static_cast<HRESULT>(number));
  return ComError(number, std::move(description));
}

HRESULT RaiseInExcepInfo(const ComError& error, std::string_view source, EXCEPINFO* info) {
  if (!info) return static_cast<HRESULT>(error.Number());
  *info = EXCEPINFO{};
  info->scode = static_cast<SCODE>(error.Number());
  info->bstrDescription = ToBstr(error.Description());
  info->bstrSource = ToBstr(source);
  return DISP_E_EXCEPTION;
}

void ThrowIfFailed(HRESULT result) {
  if (FAILED(result)) throw ErrorFromHResult(result);
}

}  // namespace quillmere
