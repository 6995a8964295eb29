// Self-registration end to end: the undecorated exports, every class reachable
// by its ProgID, the registry keys a host relies on, and nothing left behind
// by unregistration.

#include "tests/windows/ComServerTestSupport.h"

namespace {

struct ClassRow {
  const wchar_t* progId;
  const wchar_t* clsid;
};

const ClassRow kClasses[] = {
    {L"Quillmere.PPTInfo", L"{E98E2A9D-9DBB-49C3-9B42-C8E54D50DEAF}"},
    {L"Quillmere.cProjectFileHandler", L"{6B841625-C801-4200-A689-C0245F1A4FB5}"},
    {L"Quillmere.cRegistry", L"{8E2D5836-9711-44BA-B554-EB9E54947993}"},
    {L"Quillmere.cUnzip", L"{8224811C-8C14-4F26-B334-6086073DE7CA}"},
};
const wchar_t* const kTypeLibKey = L"TypeLib\\{529C1273-8955-40B3-96CE-57C622F83347}";
const wchar_t* const kInterfaceKeys[] = {
    L"Interface\\{19243D1E-4196-43D6-BFAA-8561EA3586D5}", L"Interface\\{E2B2FEAA-BE9F-4983-96A4-A93328B67CB1}",
    L"Interface\\{2FA5737B-6825-40F5-8816-73565CBBA3C6}", L"Interface\\{3EA8ECF6-B662-4354-91EF-D16257AF88AC}",
    L"Interface\\{8EF3C4E1-85D6-42DE-A6ED-73A7BD7ECB76}", L"Interface\\{30DE4829-C80E-4B35-B87E-D51FD21FA4A7}"};

bool KeyExists(const std::wstring& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
  RegCloseKey(handle);
  return true;
}

std::wstring ReadText(const std::wstring& key, const wchar_t* name = nullptr) {
  wchar_t buffer[1024] = {};
  DWORD size = sizeof(buffer);
  if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS)
    return L"<missing>";
  return buffer;
}

using ComServerRegistration = ComServerTest;

TEST_F(ComServerRegistration, RegistersEveryClassAndUnregistrationRemovesEveryKey) {
  std::wstring dllPath = BesideTestProgram(L"Quillmere.dll");
  for (const ClassRow& row : kClasses) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(row.progId)));
    std::wstring clsidKey = std::wstring(L"CLSID\\") + row.clsid;
    EXPECT_EQ(ReadText(std::wstring(row.progId) + L"\\CLSID"), row.clsid);
    EXPECT_EQ(lstrcmpiW(ReadText(clsidKey + L"\\InprocServer32").c_str(), dllPath.c_str()), 0);
    EXPECT_EQ(ReadText(clsidKey + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
    EXPECT_EQ(ReadText(clsidKey + L"\\ProgID"), row.progId);
    EXPECT_EQ(ReadText(clsidKey + L"\\VersionIndependentProgID"), row.progId);
    EXPECT_EQ(ReadText(clsidKey + L"\\TypeLib"), L"{529C1273-8955-40B3-96CE-57C622F83347}");

    CLSID clsid;
    ASSERT_EQ(CLSIDFromProgID(row.progId, &clsid), S_OK);
    ComPtr<IDispatch> object;
    EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&object)), S_OK);
    ComPtr<IProvideClassInfo> classInfo;
    ComPtr<ITypeInfo> coclass;
    ASSERT_EQ(object.As(&classInfo), S_OK);
    ASSERT_EQ(classInfo->GetClassInfo(&coclass), S_OK);
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(coclass->GetTypeAttr(&attr), S_OK);
    EXPECT_EQ(attr->guid, clsid);
    coclass->ReleaseTypeAttr(attr);
    // A live object keeps the DLL loaded.
    EXPECT_EQ(CallExport("DllCanUnloadNow"), S_FALSE);
  }
  EXPECT_EQ(CallExport("DllCanUnloadNow"), S_OK);
  EXPECT_TRUE(KeyExists(std::wstring(kTypeLibKey) + L"\\9.0"));
  for (const wchar_t* key : kInterfaceKeys) EXPECT_TRUE(KeyExists(key)) << testing::PrintToString(std::wstring(key));

  ASSERT_EQ(CallExport("DllUnregisterServer"), S_OK);
  for (const ClassRow& row : kClasses) {
    EXPECT_FALSE(KeyExists(row.progId));
    EXPECT_FALSE(KeyExists(std::wstring(L"CLSID\\") + row.clsid));
    CLSID clsid;
    EXPECT_NE(CLSIDFromProgID(row.progId, &clsid), S_OK);
  }
  EXPECT_FALSE(KeyExists(kTypeLibKey));
  for (const wchar_t* key : kInterfaceKeys) EXPECT_FALSE(KeyExists(key)) << testing::PrintToString(std::wstring(key));
  // A second unregistration finds nothing to remove and is no failure.
  EXPECT_EQ(CallExport("DllUnregisterServer"), S_OK);
  ASSERT_EQ(CallExport("DllRegisterServer"), S_OK);  // the suite's teardown unregisters
}

}  // namespace
