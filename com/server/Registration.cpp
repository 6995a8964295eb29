#include "com/server/Registration.h"

#include <oleauto.h>
#include <wrl/client.h>

#include <string>

#include "com/server/ServerClasses.h"
#include "com/server/ServerModule.h"
#include "com/typelib/TypeLibraryIds.h"

namespace quillmere::com {
namespace {

std::wstring GuidText(const GUID& guid) {
  wchar_t text[40];
  StringFromGUID2(guid, text, 40);
  return text;
}

std::wstring ProgId(const ServerClass& serverClass) { return std::wstring(L"Quillmere.") + serverClass.name; }

// Writes the default value (name empty) or a named value of HKEY_CLASSES_ROOT\key.
LSTATUS SetText(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  HKEY handle = nullptr;
  LSTATUS status = RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                   KEY_SET_VALUE, nullptr, &handle, nullptr);
  if (status != ERROR_SUCCESS) return status;
  status = RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(handle);
  return status;
}

LSTATUS WriteClassKeys(const ServerClass& serverClass, const std::wstring& modulePath) {
  const std::wstring progId = ProgId(serverClass);
  const std::wstring clsid = GuidText(serverClass.clsid);
  const std::wstring clsidKey = L"CLSID\\" + clsid;
  const std::wstring version =
      std::to_wstring(kLibMajorVersion) + L"." + std::to_wstring(kLibMinorVersion);
  const struct {
    std::wstring key;
    const wchar_t* name;
    std::wstring value;
  } entries[] = {
      {progId, nullptr, progId},
      {progId + L"\\CLSID", nullptr, clsid},
      {clsidKey, nullptr, progId},
      {clsidKey + L"\\InprocServer32", nullptr, modulePath},
      {clsidKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
      {clsidKey + L"\\ProgID", nullptr, progId},
      {clsidKey + L"\\VersionIndependentProgID", nullptr, progId},
      {clsidKey + L"\\TypeLib", nullptr, GuidText(kLibId)},
      {clsidKey + L"\\Version", nullptr, version},
  };
  for (const auto& entry : entries) {
    LSTATUS status = SetText(entry.key, entry.name, entry.value);
    if (status != ERROR_SUCCESS) return status;
  }
  return ERROR_SUCCESS;
}

LSTATUS DeleteTree(const std::wstring& key) {
  LSTATUS status = RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
  return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
}

}  // namespace

HRESULT RegisterServer() {
  const std::wstring modulePath = ModulePath();
  Microsoft::WRL::ComPtr<ITypeLib> library;
  HRESULT result = LoadTypeLibEx(modulePath.c_str(), REGKIND_NONE, &library);
  if (FAILED(result)) return result;
  result = RegisterTypeLib(library.Get(), const_cast<LPOLESTR>(modulePath.c_str()), nullptr);
  if (FAILED(result)) return result;
  for (const ServerClass& serverClass : ServerClasses()) {
    LSTATUS status = WriteClassKeys(serverClass, modulePath);
    if (status != ERROR_SUCCESS) {
      UnregisterServer();
      return HRESULT_FROM_WIN32(status);
    }
  }
  return S_OK;
}

HRESULT UnregisterServer() {
  HRESULT result = S_OK;
  for (const ServerClass& serverClass : ServerClasses()) {
    for (const std::wstring& key : {ProgId(serverClass), L"CLSID\\" + GuidText(serverClass.clsid)}) {
      LSTATUS status = DeleteTree(key);
      if (status != ERROR_SUCCESS) result = HRESULT_FROM_WIN32(status);
    }
  }
  // Only a registered library is taken away: a second unregistration finds nothing and is no failure.
  BSTR registeredPath = nullptr;
  if (SUCCEEDED(QueryPathOfRegTypeLib(kLibId, kLibMajorVersion, kLibMinorVersion, LOCALE_NEUTRAL, &registeredPath))) {
    SysFreeString(registeredPath);
    HRESULT typeLibrary = UnRegisterTypeLib(kLibId, kLibMajorVersion, kLibMinorVersion, LOCALE_NEUTRAL,
                                            sizeof(void*) == 4 ? SYS_WIN32 : SYS_WIN64);
    if (FAILED(typeLibrary) && SUCCEEDED(result)) result = typeLibrary;
  }
  return result;
}

}  // namespace quillmere::com
