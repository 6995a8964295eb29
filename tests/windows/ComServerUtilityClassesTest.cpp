// cRegistry, cUnzip and cProjectFileHandler as a script host drives them:
// late-bound through IDispatch, with by-reference arguments, arrays, errors
// in EXCEPINFO and, for cUnzip, events answered by the host.

#include "tests/windows/ComServerTestSupport.h"

#include <shellapi.h>

namespace {

const IID kUnzipEvents = {0x30DE4829, 0xC80E, 0x4B35, {0xB8, 0x7E, 0xD5, 0x1F, 0xD2, 0x1F, 0xA4, 0xA7}};

std::wstring TextOf(const VARIANT& v) { return V_VT(&v) == VT_BSTR && V_BSTR(&v) ? V_BSTR(&v) : L""; }

HRESULT Put(IDispatch* object, const wchar_t* property, VARIANT value) {
  return Call(object, property, DISPATCH_PROPERTYPUT, {value});
}
HRESULT PutText(IDispatch* object, const wchar_t* property, const std::wstring& text) {
  TextSlot value(text);
  return Put(object, property, TextValue(value.value));
}

// A fresh folder below the prefix's temporary folder.
std::wstring EmptyFolder(const wchar_t* name) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring folder = std::wstring(temp) + name;
  std::wstring doubleNul = folder + L'\0';
  SHFILEOPSTRUCTW remove{
      nullptr, FO_DELETE, doubleNul.c_str(), nullptr, FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI, FALSE,
      nullptr, nullptr};
  SHFileOperationW(&remove);
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

int FilesIn(const std::wstring& folder) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return 0;
  int count = 0;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++count;
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return count;
}

using ComServerUtilityClasses = ComServerTest;

TEST_F(ComServerUtilityClasses, RegistryRoundTripEnumerationAndRaisedErrors) {
  ComPtr<IDispatch> registry = Create(L"Quillmere.cRegistry");
  ASSERT_TRUE(registry);
  ASSERT_EQ(Put(registry.Get(), L"ClassKey", LongValue(static_cast<LONG>(0x80000001))), S_OK);
  ASSERT_EQ(PutText(registry.Get(), L"SectionKey", L"Software\\QuillmereComServerTest"), S_OK);
  ASSERT_EQ(PutText(registry.Get(), L"ValueKey", L"Greeting"), S_OK);
  ASSERT_EQ(Put(registry.Get(), L"ValueType", LongValue(1)), S_OK);
  ASSERT_EQ(PutText(registry.Get(), L"Value", L"h\u00e9llo"), S_OK);

  Result value;
  ASSERT_EQ(Call(registry.Get(), L"Value", DISPATCH_PROPERTYGET, {}, &value.value), S_OK);
  EXPECT_EQ(TextOf(value.value), L"h\u00e9llo");
  Result exists;
  ASSERT_EQ(Call(registry.Get(), L"KeyExists", DISPATCH_PROPERTYGET, {}, &exists.value), S_OK);
  EXPECT_EQ(V_BOOL(&exists.value), VARIANT_TRUE);

  // The names come back in a new array (from index 1) in place of the caller's.
  SAFEARRAY* names = SafeArrayCreateVector(VT_BSTR, 0, 0);
  LONG count = -1;
  VARIANT namesArgument;
  V_VT(&namesArgument) = VT_BYREF | VT_ARRAY | VT_BSTR;
  V_ARRAYREF(&namesArgument) = &names;
  Result found;
  ASSERT_EQ(Call(registry.Get(), L"EnumerateValues", DISPATCH_METHOD, {namesArgument, LongRef(count)}, &found.value),
            S_OK);
  EXPECT_EQ(V_BOOL(&found.value), VARIANT_TRUE);
  EXPECT_EQ(count, 1);
  LONG first = 0;
  SafeArrayGetLBound(names, 1, &first);
  EXPECT_EQ(first, 1);
  BSTR name = nullptr;
  ASSERT_EQ(SafeArrayGetElement(names, &first, &name), S_OK);
  EXPECT_STREQ(name, L"Greeting");
  SysFreeString(name);
  SafeArrayDestroy(names);

  Result deleted;
  EXPECT_EQ(Call(registry.Get(), L"DeleteValue", DISPATCH_METHOD, {}, &deleted.value), S_OK);
  EXPECT_EQ(V_BOOL(&deleted.value), VARIANT_TRUE);
  EXPECT_EQ(Call(registry.Get(), L"DeleteKey", DISPATCH_METHOD, {}, &deleted.value), S_OK);
  // An unreadable value gives Default.
  ASSERT_EQ(Put(registry.Get(), L"Default", LongValue(42)), S_OK);
  Result fallback;
  ASSERT_EQ(Call(registry.Get(), L"Value", DISPATCH_PROPERTYGET, {}, &fallback.value), S_OK);
  EXPECT_EQ(V_VT(&fallback.value), VT_I4);
  EXPECT_EQ(V_I4(&fallback.value), 42);

  // A ParamArray of two items is no Name/Text/Command triple.
  TextSlot className(L"QuillmereTest.Document"), item(L"verb");
  EXCEPINFO error{};
  EXPECT_EQ(Call(registry.Get(), L"CreateAdditionalEXEAssociations", DISPATCH_METHOD,
                 {TextValue(className.value), TextValue(item.value), TextValue(item.value)}, nullptr, &error),
            DISP_E_EXCEPTION);
  EXPECT_EQ(static_cast<std::uint32_t>(error.scode), 0x800469ACu);
  EXPECT_STREQ(error.bstrSource, L"cRegistry");
  EXPECT_STREQ(error.bstrDescription,
               L"Invalid parameter list passed to CreateAdditionalEXEAssociations - expected Name/Text/Command");
  SysFreeString(error.bstrSource);
  SysFreeString(error.bstrDescription);
  SysFreeString(error.bstrHelpFile);
}

TEST_F(ComServerUtilityClasses, UnzipListsExtractsAndHearsTheHostsAnswers) {
  ComPtr<IDispatch> unzip = Create(L"Quillmere.cUnzip");
  ASSERT_TRUE(unzip);
  ASSERT_EQ(PutText(unzip.Get(), L"ZipFile", CorpusDeck("pptx__minimal.pptx")), S_OK);
  Result status, files;
  ASSERT_EQ(Call(unzip.Get(), L"Directory", DISPATCH_METHOD, {}, &status.value), S_OK);
  EXPECT_EQ(V_I4(&status.value), 0);
  ASSERT_EQ(Call(unzip.Get(), L"FileCount", DISPATCH_PROPERTYGET, {}, &files.value), S_OK);
  const LONG fileCount = V_I4(&files.value);
  ASSERT_GT(fileCount, 3);

  Result name;
  ASSERT_EQ(Call(unzip.Get(), L"FileName", DISPATCH_PROPERTYGET, {LongValue(1)}, &name.value), S_OK);
  EXPECT_FALSE(TextOf(name.value).empty());
  EXCEPINFO error{};
  EXPECT_EQ(Call(unzip.Get(), L"FileName", DISPATCH_PROPERTYGET, {LongValue(0)}, nullptr, &error), DISP_E_EXCEPTION);
  EXPECT_EQ(static_cast<std::uint32_t>(error.scode), 0x800A0009u);
  EXPECT_STREQ(error.bstrSource, L"cUnzip");
  SysFreeString(error.bstrSource);
  SysFreeString(error.bstrDescription);
  SysFreeString(error.bstrHelpFile);

  // The host stops the run at the third entry: two files land, flat.
  std::wstring folder = EmptyFolder(L"QuillmereUnzipTest");
  ASSERT_EQ(PutText(unzip.Get(), L"UnzipFolder", folder), S_OK);
  ASSERT_EQ(Put(unzip.Get(), L"UseFolderNames", BoolValue(false)), S_OK);
  int cancelEvents = 0;
  std::wstring firstEntry;
  RecordingSink sink(kUnzipEvents, [&](DISPID event, std::vector<VARIANT*>& args) {
    if (event != 1) return;
    if (++cancelEvents == 1) firstEntry = V_BSTR(args[0]);
    if (cancelEvents == 3) *V_BOOLREF(args[1]) = VARIANT_TRUE;
  });
  {
    Connection connection(unzip.Get(), kUnzipEvents, &sink);
    ASSERT_EQ(connection.Status(), S_OK);
    Result unzipped;
    ASSERT_EQ(Call(unzip.Get(), L"Unzip", DISPATCH_METHOD, {}, &unzipped.value), S_OK);
  }
  EXPECT_EQ(cancelEvents, 3);
  EXPECT_FALSE(firstEntry.empty());
  EXPECT_EQ(FilesIn(folder), 2);
  EXPECT_EQ(sink.References(), 0u);  // disconnected

  // Asked before replacing, the host says "all": one prompt, then the whole archive.
  ASSERT_EQ(Put(unzip.Get(), L"PromptToOverwrite", BoolValue(true)), S_OK);
  int prompts = 0;
  RecordingSink answering(kUnzipEvents, [&](DISPID event, std::vector<VARIANT*>& args) {
    if (event != 2) return;
    ++prompts;
    EXPECT_FALSE(std::wstring(V_BSTR(args[0])).empty());
    *V_I4REF(args[1]) = 103;  // euzOverwriteAllFiles
  });
  Connection connection(unzip.Get(), kUnzipEvents, &answering);
  Result unzipped;
  ASSERT_EQ(Call(unzip.Get(), L"Unzip", DISPATCH_METHOD, {}, &unzipped.value), S_OK);
  EXPECT_EQ(V_BOOL(&unzipped.value), VARIANT_FALSE);  // Info-ZIP's 0: success
  EXPECT_EQ(prompts, 1);
  EXPECT_GE(FilesIn(folder), 3);

  LONG major = -1, minor = -1, revision = -1;
  DATE date = 0;
  TextSlot extra(L"");
  VARIANT dateArgument;
  V_VT(&dateArgument) = VT_BYREF | VT_DATE;
  V_DATEREF(&dateArgument) = &date;
  ASSERT_EQ(Call(unzip.Get(), L"GetVersion", DISPATCH_METHOD,
                 {LongRef(major), LongRef(minor), LongRef(revision), dateArgument, extra.Ref()}),
            S_OK);
  EXPECT_GE(major, 1);
  EXPECT_GT(date, 0);
  EXPECT_FALSE(extra.Text().empty());
}

TEST_F(ComServerUtilityClasses, ProjectFileHandlerPropertiesBytesAndMissingArchive) {
  ComPtr<IDispatch> handler = Create(L"Quillmere.cProjectFileHandler");
  ASSERT_TRUE(handler);
  TextSlot deck(CorpusDeck("pptx__minimal.pptx"));
  Result bytes;
  ASSERT_EQ(Call(handler.Get(), L"GetFileBytes", DISPATCH_METHOD, {TextValue(deck.value), LongValue(3)}, &bytes.value),
            S_OK);
  ASSERT_EQ(V_VT(&bytes.value), VT_ARRAY | VT_UI1);
  SAFEARRAY* array = V_ARRAY(&bytes.value);
  LONG lower = -1, upper = -1;
  SafeArrayGetLBound(array, 1, &lower);
  SafeArrayGetUBound(array, 1, &upper);
  EXPECT_EQ(lower, 0);
  EXPECT_EQ(upper, 3);
  unsigned char* data = nullptr;
  ASSERT_EQ(SafeArrayAccessData(array, reinterpret_cast<void**>(&data)), S_OK);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(data), 4), std::string("PK\x03\x04", 4));
  SafeArrayUnaccessData(array);
  // The optional truncateToByte left out reads the whole file.
  Result whole;
  ASSERT_EQ(Call(handler.Get(), L"GetFileBytes", DISPATCH_METHOD, {TextValue(deck.value)}, &whole.value), S_OK);
  SafeArrayGetUBound(V_ARRAY(&whole.value), 1, &upper);
  EXPECT_GT(upper, 100);

  std::wstring folder = EmptyFolder(L"QuillmereArchiveTest");
  ASSERT_EQ(PutText(handler.Get(), L"ExtractToFolder", folder), S_OK);
  TextSlot archive(folder + L"\\missing.qpk");
  ASSERT_EQ(Call(handler.Get(), L"ProjectFilename", DISPATCH_PROPERTYPUT, {archive.Ref()}), S_OK);
  TextSlot track(L"track.wav");
  ASSERT_EQ(Call(handler.Get(), L"ExtractNarration", DISPATCH_METHOD, {track.Ref()}), S_OK);
  Result exitCode, projectFile;
  ASSERT_EQ(Call(handler.Get(), L"ExitCode", DISPATCH_PROPERTYGET, {}, &exitCode.value), S_OK);
  EXPECT_EQ(TextOf(exitCode.value), L"0");  // a missing archive extracts nothing and is no failure
  // The properties' own slots keep what is put.
  ASSERT_EQ(Call(handler.Get(), L"ProjectFilename", DISPATCH_PROPERTYGET, {}, &projectFile.value), S_OK);
  EXPECT_EQ(TextOf(projectFile.value), folder + L"\\missing.qpk");
  LONG handle = 77;
  ASSERT_EQ(Call(handler.Get(), L"Handle", DISPATCH_PROPERTYPUT, {LongRef(handle)}), S_OK);
  Result handleBack;
  ASSERT_EQ(Call(handler.Get(), L"Handle", DISPATCH_PROPERTYGET, {}, &handleBack.value), S_OK);
  EXPECT_EQ(V_I4(&handleBack.value), 77);
}

}  // namespace
