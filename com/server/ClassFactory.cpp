#include "com/server/ClassFactory.h"

#include <unknwn.h>

#include <new>

#include "com/server/ServerModule.h"
#include "support/storage/windows/SingleInterfaceObject.h"

namespace quillmere::com {
namespace {

class ClassFactory final : public SingleInterfaceObject<IClassFactory, IID_IClassFactory> {
 public:
  explicit ClassFactory(CreateFunction create) : create_(create) { ObjectCreated(); }

  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return create_(riid, object);
  }
  STDMETHODIMP LockServer(BOOL lock) override {
    LockModule(lock != FALSE);
    return S_OK;
  }

 private:
  ~ClassFactory() override { ObjectDestroyed(); }

  CreateFunction create_;
};

}  // namespace

HRESULT CreateClassFactory(CreateFunction create, REFIID riid, void** object) {
  auto* factory = new (std::nothrow) ClassFactory(create);
  if (!factory) return E_OUTOFMEMORY;
  HRESULT result = factory->QueryInterface(riid, object);
  factory->Release();
  return result;
}

}  // namespace quillmere::com
