#pragma once
// The COM frame every public class shares: reference counting, IDispatch
// answered from the type library embedded in the DLL (so DISPIDs, optional
// arguments and defaults are exactly the library's), ISupportErrorInfo and
// IProvideClassInfo2.

#include <windows.h>
#include <ocidl.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <atomic>

#include "com/server/OmittedArguments.h"
#include "com/server/ServerModule.h"

namespace quillmere::com {

// The type information of one interface or class of the embedded library.
// For a dual interface, the vtable-bound view (what DispInvoke calls through).
HRESULT EmbeddedTypeInfo(REFGUID guid, bool vtableView, ITypeInfo** info);

template <class Interface>
class DispatchObject : public Interface, public ISupportErrorInfo, public IProvideClassInfo2 {
 public:
  DispatchObject(const IID& iid, const CLSID& clsid, const IID* sourceIid)
      : iid_(iid), clsid_(clsid), sourceIid_(sourceIid) {
    ObjectCreated();
  }
  DispatchObject(const DispatchObject&) = delete;
  DispatchObject& operator=(const DispatchObject&) = delete;

  // Loads the type information; an object is handed out only when this succeeded.
  HRESULT Initialize() { return EmbeddedTypeInfo(iid_, true, &typeInfo_); }

  STDMETHODIMP QueryInterface(REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == iid_) {
      *object = static_cast<Interface*>(this);
    } else if (riid == IID_ISupportErrorInfo) {
      *object = static_cast<ISupportErrorInfo*>(this);
    } else if (riid == IID_IProvideClassInfo || riid == IID_IProvideClassInfo2) {
      *object = static_cast<IProvideClassInfo2*>(this);
    } else {
      *object = OtherInterface(riid);
    }
    if (!*object) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
  STDMETHODIMP_(ULONG) Release() override {
    ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  STDMETHODIMP GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    return EmbeddedTypeInfo(iid_, false, info);
  }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    return DispGetIDsOfNames(typeInfo_.Get(), names, count, ids);
  }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* info,
                      UINT* argumentError) override {
    OmittedArguments omitted;
    return DispInvoke(static_cast<Interface*>(this), typeInfo_.Get(), id, flags,
                      omitted.Complete(typeInfo_.Get(), id, flags, params), result, info, argumentError);
  }

  STDMETHODIMP InterfaceSupportsErrorInfo(REFIID riid) override { return riid == iid_ ? S_OK : S_FALSE; }

  STDMETHODIMP GetClassInfo(ITypeInfo** info) override {
    if (!info) return E_POINTER;
    return EmbeddedTypeInfo(clsid_, false, info);
  }
  STDMETHODIMP GetGUID(DWORD kind, GUID* guid) override {
    if (!guid) return E_POINTER;
    *guid = GUID_NULL;
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID || !sourceIid_) return E_INVALIDARG;
    *guid = *sourceIid_;
    return S_OK;
  }

 protected:
  virtual ~DispatchObject() { ObjectDestroyed(); }
  // Interfaces beyond the frame's (the event source's connection points).
  virtual void* OtherInterface(REFIID) { return nullptr; }
  const IID& InterfaceId() const { return iid_; }

 private:
  std::atomic<ULONG> references_{1};
  const IID& iid_;
  const CLSID& clsid_;
  const IID* sourceIid_;
  Microsoft::WRL::ComPtr<ITypeInfo> typeInfo_;
};

// Creates an object, initialises it and hands out the asked-for interface.
template <class Object>
HRESULT CreateObject(REFIID riid, void** out) {
  auto* object = new (std::nothrow) Object();
  if (!object) return E_OUTOFMEMORY;
  HRESULT result = object->Initialize();
  if (SUCCEEDED(result)) result = object->QueryInterface(riid, out);
  object->Release();
  return result;
}

}  // namespace quillmere::com
