#include "objectmodel/automation/windows/ComAutomationRuntime.h"

#include <windows.h>

#include "objectmodel/automation/ComError.h"
#include "objectmodel/automation/windows/ComDispatch.h"
#include "objectmodel/automation/windows/ComErrorTranslation.h"
#include "objectmodel/automation/windows/VariantValue.h"
#include "support/text/Text.h"

#undef GetObject  // the runtime's member, not the GDI call

namespace quillmere {
namespace {

constexpr std::string_view kPowerPointClass = "powerpoint.application";
constexpr HRESULT kElevationRequired = static_cast<HRESULT>(hr::kElevationRequired);

[[noreturn]] void CannotCreate() { throw ComError(hr::kCannotCreateObject, "ActiveX component can't create object"); }

Object AsObject(IUnknown* unknown) {
  IDispatch* dispatch = nullptr;
  HRESULT result = unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
  unknown->Release();
  ThrowIfFailed(result);
  return Object(ComDispatch::Adopt(dispatch));
}

// The class registered for a ProgID; the drivers' PowerPoint may be another class.
CLSID ClassOf(std::string_view progId, std::string_view powerPointClass) {
  BSTR name = ToBstr(LowerAscii(progId) == kPowerPointClass ? powerPointClass : progId);
  CLSID clsid{};
  HRESULT result = CLSIDFromProgID(name, &clsid);
  SysFreeString(name);
  if (FAILED(result)) CannotCreate();
  return clsid;
}

}  // namespace

ComAutomationRuntime::ComAutomationRuntime(std::string powerPointClass)
    : powerPointClass_(std::move(powerPointClass)) {}

Object ComAutomationRuntime::GetObject(std::string_view progId) {
  CLSID clsid = ClassOf(progId, powerPointClass_);
  IUnknown* running = nullptr;
  if (FAILED(GetActiveObject(clsid, nullptr, &running)) || !running) CannotCreate();
  return AsObject(running);
}

Object ComAutomationRuntime::CreateObject(std::string_view progId) {
  CLSID clsid = ClassOf(progId, powerPointClass_);
  IUnknown* created = nullptr;
  HRESULT result =
      CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER | CLSCTX_INPROC_SERVER, IID_IUnknown,
                       reinterpret_cast<void**>(&created));
  // Starting PowerPoint from a process without the rights it asks for is told apart.
  if (result == kElevationRequired) throw ErrorFromHResult(result);
  if (FAILED(result) || !created) CannotCreate();
  return AsObject(created);
}

bool ComAutomationRuntime::MainWindowDisabled() const {
  HWND main = FindWindowW(L"PP11FrameClass", nullptr);
  if (!main) main = FindWindowW(L"PP10FrameClass", nullptr);
  return main && !IsWindowEnabled(main);
}

}  // namespace quillmere
