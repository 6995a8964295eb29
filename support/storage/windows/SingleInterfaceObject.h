#pragma once
// IUnknown for a small COM object that offers one interface besides IUnknown
// and deletes itself when its last reference is released. The counter is
// atomic because a proxy may release from another thread.

#include <unknwn.h>

#include <atomic>

namespace quillmere {

template <class Interface, const IID& kInterfaceId>
class SingleInterfaceObject : public Interface {
 public:
  SingleInterfaceObject() = default;
  SingleInterfaceObject(const SingleInterfaceObject&) = delete;
  SingleInterfaceObject& operator=(const SingleInterfaceObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    if (riid == IID_IUnknown || riid == kInterfaceId) {
      *out = static_cast<Interface*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

 protected:
  virtual ~SingleInterfaceObject() = default;

 private:
  std::atomic<ULONG> references_{1};
};

}  // namespace quillmere
