// The four exports of an in-process server (undecorated through Quillmere.def).

#include "com/server/ClassFactory.h"
#include "com/server/Registration.h"
#include "com/server/ServerClasses.h"
#include "com/server/ServerModule.h"
#include "com/typelib/TypeLibraryIds.h"

namespace quillmere::com {

std::span<const ServerClass> ServerClasses() {
  static const ServerClass classes[] = {
      {L"PPTInfo", kClsidPPTInfo, CreatePPTInfo},
      {L"cProjectFileHandler", kClsidProjectFileHandler, CreateProjectFileHandler},
      {L"cRegistry", kClsidRegistry, CreateRegistry},
      {L"cUnzip", kClsidUnzip, CreateUnzip},
  };
  return classes;
}

}  // namespace quillmere::com

using namespace quillmere::com;

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  for (const ServerClass& serverClass : ServerClasses()) {
    if (serverClass.clsid == clsid) return CreateClassFactory(serverClass.create, riid, object);
  }
  return CLASS_E_CLASSNOTAVAILABLE;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() { return ModuleInUse() ? S_FALSE : S_OK; }

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() { return RegisterServer(); }

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() { return UnregisterServer(); }
