#include "engine/comserver/EngineServerRegistration.h"

#include <windows.h>

#include "engine/comserver/EngineServerClass.h"

namespace quillmere::engine {
namespace {

constexpr wchar_t kDescription[] = L"Quillmere Presentation Engine";
constexpr wchar_t kAliasVersion[] = L".16";  // the version PowerPoint's CurVer names
constexpr wchar_t kOwnVersion[] = L".1";

std::wstring ClassIdText() {
  wchar_t text[40] = {};
  StringFromGUID2(kEngineServerClsid, text, 40);
  return text;
}

// Writes the default value of HKEY_CLASSES_ROOT\path, creating the key.
bool SetDefault(const std::wstring& path, const std::wstring& value) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return false;
  LONG result = RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                               static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  return result == ERROR_SUCCESS;
}

std::wstring GetDefault(const std::wstring& path) {
  wchar_t value[MAX_PATH] = {};
  DWORD size = sizeof(value);
  if (RegGetValueW(HKEY_CLASSES_ROOT, path.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
    return {};
  return value;
}

bool DeleteTree(const std::wstring& path) {
  LONG result = RegDeleteTreeW(HKEY_CLASSES_ROOT, path.c_str());
  if (result == ERROR_SUCCESS) result = RegDeleteKeyW(HKEY_CLASSES_ROOT, path.c_str());
  return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

bool RegisterProgId(const std::wstring& progId, const std::wstring& clsid) {
  return SetDefault(progId, kDescription) && SetDefault(progId + L"\\CLSID", clsid);
}

// The ProgID, its version-specific twin and the CurVer between them, which the
// drivers read to tell that the class is installed.
bool RegisterVersionedProgId(const std::wstring& progId, const std::wstring& version, const std::wstring& clsid) {
  const std::wstring versioned = progId + version;
  return RegisterProgId(progId, clsid) && SetDefault(progId + L"\\CurVer", versioned) &&
         RegisterProgId(versioned, clsid);
}

}  // namespace

bool RegisterEngineServer(const std::wstring& exePath, const std::vector<std::wstring>& aliases) {
  const std::wstring clsid = ClassIdText();
  const std::wstring classKey = L"CLSID\\" + clsid;
  const std::wstring progId(kEngineServerProgId);
  bool ok = SetDefault(classKey, kDescription) && SetDefault(classKey + L"\\LocalServer32", L"\"" + exePath + L"\"") &&
            SetDefault(classKey + L"\\ProgID", progId) && RegisterVersionedProgId(progId, kOwnVersion, clsid);
  for (const std::wstring& alias : aliases) ok = ok && RegisterVersionedProgId(alias, kAliasVersion, clsid);
  return ok;
}

bool UnregisterEngineServer(const std::vector<std::wstring>& aliases) {
  const std::wstring clsid = ClassIdText();
  bool ok = true;
  for (const std::wstring& alias : aliases) {
    if (GetDefault(alias + L"\\CLSID") != clsid) continue;  // someone else's class now
    ok = DeleteTree(alias + kAliasVersion) && DeleteTree(alias) && ok;
  }
  const std::wstring progId(kEngineServerProgId);
  return DeleteTree(progId + kOwnVersion) && DeleteTree(progId) && DeleteTree(L"CLSID\\" + clsid) && ok;
}

}  // namespace quillmere::engine
