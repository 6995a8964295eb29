#pragma once
// Any Dispatch of ours offered to automation clients through IDispatch:
// GetIDsOfNames hands out one DISPID per member name for the whole process,
// Invoke calls the Dispatch by that name, and a ComError comes back as
// DISP_E_EXCEPTION with its number and description. Objects it returns are
// exposed the same way.

#include <ole2.h>
#include <oleauto.h>

#include <atomic>
#include <functional>
#include <memory>

#include "objectmodel/automation/Dispatch.h"

namespace quillmere {

class ExposedDispatch final : public IDispatch {
 public:
  // A new IDispatch with one reference for the caller.
  static IDispatch* Expose(std::shared_ptr<Dispatch> object);
  // The Dispatch behind one of ours; null for any other object.
  static std::shared_ptr<Dispatch> Unwrap(IUnknown* object);
  // Runs when the last of ours in this process is released: an automation
  // server's cue to exit.
  static void OnLastReleased(std::function<void()> handler);
  static long LiveCount();

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception, UINT* argError) override;

 private:
  explicit ExposedDispatch(std::shared_ptr<Dispatch> object);
  ~ExposedDispatch();

  std::atomic<ULONG> references_{1};
  std::shared_ptr<Dispatch> object_;
};

}  // namespace quillmere
