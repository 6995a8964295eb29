// cProjectFileHandler as a COM object over the library's cProjectFileHandler.

#include "com/server/ByReferenceText.h"
#include "com/server/ComInterfaces.h"
#include "com/server/DispatchObject.h"
#include "com/server/ErrorReporting.h"
#include "com/server/SafeArrays.h"
#include "com/server/ServerClasses.h"
#include "com/typelib/TypeLibraryIds.h"
#include "objectmodel/automation/windows/ComDispatch.h"
#include "objectmodel/automation/windows/VariantValue.h"
#include "utilities/archive/ProjectFileHandler.h"

namespace quillmere::com {
namespace {

class ProjectFileHandlerObject final : public DispatchObject<IProjectFileHandler> {
 public:
  ProjectFileHandlerObject() : DispatchObject(kIidProjectFileHandler, kClsidProjectFileHandler, nullptr) {}

  STDMETHODIMP ExtractNarration(BSTR* AudioFilename) override {
    return Extract(AudioFilename, &cProjectFileHandler::ExtractNarration);
  }
  STDMETHODIMP ExtractWO(BSTR* FolderName) override { return Extract(FolderName, &cProjectFileHandler::ExtractWO); }
  STDMETHODIMP ExtractMovie(BSTR* MovieName) override {
    return Extract(MovieName, &cProjectFileHandler::ExtractMovie);
  }
  STDMETHODIMP SetPPTInstance(IDispatch** Obj) override {
    if (!Obj) return E_POINTER;
    return Guard([&] {
      Object instance;
      if (*Obj) {
        (*Obj)->AddRef();
        instance = Object(ComDispatch::Adopt(*Obj));
      }
      handler_.SetPPTInstance(instance);
    });
  }
  STDMETHODIMP get_ExtractToFolder(BSTR* value) override { return ReturnText(value, handler_.ExtractToFolder()); }
  STDMETHODIMP put_ExtractToFolder(BSTR value) override {
    return Guard([&] { handler_.SetExtractToFolder(FromBstr(value)); });
  }
  STDMETHODIMP get_ExitCode(BSTR* value) override { return ReturnText(value, handler_.ExitCode()); }
  STDMETHODIMP get_Handle(long* value) override {
    if (!value) return E_POINTER;
    *value = handler_.Handle();
    return S_OK;
  }
  STDMETHODIMP put_Handle(long* value) override {
    if (!value) return E_POINTER;
    std::int32_t handle = *value;
    handler_.SetHandle(handle);
    *value = handle;
    return S_OK;
  }
  STDMETHODIMP get_ProjectFilename(BSTR* value) override { return ReturnText(value, handler_.ProjectFilename()); }
  STDMETHODIMP put_ProjectFilename(BSTR* value) override {
    if (!value) return E_POINTER;
    return Guard([&] {
      std::string path = TextIn(value);
      handler_.SetProjectFilename(path);
      TextOut(value, path);
    });
  }
  STDMETHODIMP HideProgress() override {
    handler_.HideProgress();
    return S_OK;
  }
  STDMETHODIMP GetFileTime(BSTR* szFilename, DATE* result) override {
    if (!szFilename || !result) return E_POINTER;
    return Guard([&] {
      std::string path = TextIn(szFilename);
      *result = handler_.GetFileTime(path);
      TextOut(szFilename, path);
    });
  }
  STDMETHODIMP GetFileBytes(BSTR Path, long truncateToByte, SAFEARRAY** result) override {
    if (!result) return E_POINTER;
    *result = nullptr;
    return Guard([&] {
      *result = ByteArray(handler_.GetFileBytes(FromBstr(Path), truncateToByte));
      if (!*result) throw std::bad_alloc();
    });
  }

 private:
  template <class Body>
  HRESULT Guard(Body&& body) {
    return Guarded(L"cProjectFileHandler", kIidProjectFileHandler, body);
  }

  HRESULT Extract(BSTR* name, void (cProjectFileHandler::*method)(std::string&)) {
    if (!name) return E_POINTER;
    return Guard([&] {
      std::string text = TextIn(name);
      (handler_.*method)(text);
      TextOut(name, text);
    });
  }

  cProjectFileHandler handler_;
};

}  // namespace

HRESULT CreateProjectFileHandler(REFIID riid, void** object) {
  return CreateObject<ProjectFileHandlerObject>(riid, object);
}

}  // namespace quillmere::com
