// The type library as a host sees it: identifiers, versions, flags, DISPIDs,
// vtable offsets, parameter flags and defaults, enumeration values. Expected
// values are written out here independently of the generator's table.

#include <gtest/gtest.h>
#include <windows.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/windows/BesideTestProgram.h"

using Microsoft::WRL::ComPtr;

namespace {

std::string Narrow(const wchar_t* text) {
  std::string out;
  for (; text && *text; ++text) out += static_cast<char>(*text);
  return out;
}

std::string GuidText(const GUID& guid) {
  wchar_t text[40];
  StringFromGUID2(guid, text, 40);
  return Narrow(text);
}

std::string Name(ITypeInfo* info, MEMBERID id) {
  BSTR name = nullptr;
  info->GetDocumentation(id, &name, nullptr, nullptr, nullptr);
  std::string out = Narrow(name);
  SysFreeString(name);
  return out;
}

std::string TypeText(ITypeInfo* info, const TYPEDESC& t) {
  switch (t.vt) {
    case VT_PTR: return TypeText(info, *t.lptdesc) + "*";
    case VT_SAFEARRAY: return "SAFEARRAY(" + TypeText(info, *t.lptdesc) + ")";
    case VT_I4: return "long";
    case VT_UI1: return "unsigned char";
    case VT_BOOL: return "VARIANT_BOOL";
    case VT_BSTR: return "BSTR";
    case VT_DATE: return "DATE";
    case VT_VARIANT: return "VARIANT";
    case VT_DISPATCH: return "IDispatch*";
    case VT_USERDEFINED: {
      ComPtr<ITypeInfo> ref;
      if (FAILED(info->GetRefTypeInfo(t.hreftype, &ref))) return "?userdefined";
      return Name(ref.Get(), MEMBERID_NIL);
    }
    default: return "?vt" + std::to_string(t.vt);
  }
}

std::string DefaultText(const VARIANT& v) {
  switch (V_VT(&v)) {
    case VT_BSTR: return "\"" + Narrow(V_BSTR(&v)) + "\"";
    case VT_I4: return std::to_string(V_I4(&v));
    case VT_BOOL: return V_BOOL(&v) ? "True" : "False";
    default: return "?vt" + std::to_string(V_VT(&v));
  }
}

// One parameter list in the notation of the interface tables:
// "[in, out, optional, default ""] BSTR* outputFolder; [out, retval] long*".
std::string Signature(ITypeInfo* info, const FUNCDESC& f) {
  std::vector<BSTR> names(f.cParams + 1);
  UINT count = 0;
  info->GetNames(f.memid == MEMBERID_NIL ? 0 : f.memid, names.data(), f.cParams + 1, &count);
  // GetNames finds the first function of that DISPID: a property's get and put share names.
  std::string text;
  for (SHORT i = 0; i < f.cParams; ++i) {
    const ELEMDESC& e = f.lprgelemdescParam[i];
    USHORT flags = e.paramdesc.wParamFlags;
    std::vector<std::string> attrs;
    if (flags & PARAMFLAG_FIN) attrs.push_back("in");
    if (flags & PARAMFLAG_FOUT) attrs.push_back("out");
    if (flags & PARAMFLAG_FRETVAL) attrs.push_back("retval");
    if (flags & PARAMFLAG_FOPT) attrs.push_back("optional");
    if (flags & PARAMFLAG_FHASDEFAULT)
      attrs.push_back("default " + DefaultText(e.paramdesc.pparamdescex->varDefaultValue));
    if (!text.empty()) text += "; ";
    text += "[";
    for (std::size_t a = 0; a < attrs.size(); ++a) text += (a ? ", " : "") + attrs[a];
    text += "] " + TypeText(info, e.tdesc);
    bool named = !(flags & PARAMFLAG_FRETVAL) && !(f.invkind == INVOKE_PROPERTYPUT && i + 1 == f.cParams);
    if (named && static_cast<UINT>(i + 1) < count) text += " " + Narrow(names[i + 1]);
  }
  if (f.cParamsOpt == -1) text += " (vararg)";
  for (UINT n = 0; n < count; ++n) SysFreeString(names[n]);
  return text;
}

struct MemberRow {
  int slot;  // -1 for dispinterface members
  MEMBERID dispid;
  char kind;  // 'm' method, 'g' property get, 'p' property put
  const char* name;
  const char* params;
};

struct InterfaceRow {
  const char* name;
  const char* iid;
  WORD major, minor;
  bool dual;
  std::vector<MemberRow> members;
};

const std::vector<InterfaceRow>& ExpectedInterfaces() {
  static const std::vector<InterfaceRow> rows = {
      {"_PPTInfo", "{19243D1E-4196-43D6-BFAA-8561EA3586D5}", 1, 1, true,
       {{7, 0x60030016, 'm', "GenerateThumbnails",
         "[in, out] BSTR* presentationName; [in, out] BSTR* propertiesXML; "
         "[in, out, optional, default \"\"] BSTR* outputFolder; [out, retval] long*"},
        {8, 0x60030017, 'm', "PPTSlides",
         "[in, out] BSTR* presentationName; [in, out] long* SlideList; [in, out] BSTR* propertiesXML; "
         "[in, out, optional, default \"\"] BSTR* outputFolder; [out, retval] long*"},
        {9, 0x60030018, 'm', "PPTSlideSelection",
         "[in, out] BSTR* presentationName; [in, out] BSTR* SlideList; [in, out] BSTR* propertiesXML; "
         "[in, out, optional, default \"\"] BSTR* outputFolder; [out, retval] long*"},
        {10, 0x60030019, 'm', "PPTActiveSlide",
         "[in, out] BSTR* propertiesXML; [in, out, optional, default \"\"] BSTR* outputFolder; [out, retval] long*"},
        {11, 0x6003001A, 'm', "PPTActivePresentation",
         "[in, out] BSTR* propertiesXML; [in, out, optional, default \"\"] BSTR* outputFolder; [out, retval] long*"},
        {12, 0x6003001B, 'm', "PPTSlide",
         "[in, out] BSTR* presentationName; [in, out] long* Index; [in, out] BSTR* propertiesXML; "
         "[in, out, optional, default \"\"] BSTR* outputFolder; [out, retval] long*"},
        {13, 0x6003001C, 'm', "PPTPresentation",
         "[in, out] BSTR* presentationName; [in, out] BSTR* propertiesXML; "
         "[in, out, optional, default \"\"] BSTR* outputFolder; [out, retval] long*"},
        {14, 0x6803001D, 'p', "SkipUnusedLayouts", "[in] VARIANT_BOOL"},
        {15, 0x6803001D, 'g', "SkipUnusedLayouts", "[out, retval] VARIANT_BOOL*"}}},
      {"__PPTInfo", "{8EF3C4E1-85D6-42DE-A6ED-73A7BD7ECB76}", 0, 0, false,
       {{-1, 1, 'm', "AbortConversion", "[in, out] VARIANT_BOOL* Cancel"},
        {-1, 2, 'm', "Progress", "[in, out] long* Current; [in, out] long* Max"}}},
      {"_cProjectFileHandler", "{E2B2FEAA-BE9F-4983-96A4-A93328B67CB1}", 1, 3, true,
       {{7, 0x60030000, 'm', "ExtractNarration", "[in, out] BSTR* AudioFilename"},
        {8, 0x60030001, 'm', "ExtractWO", "[in, out] BSTR* FolderName"},
        {9, 0x60030002, 'm', "ExtractMovie", "[in, out] BSTR* MovieName"},
        {10, 0x60030003, 'm', "SetPPTInstance", "[in, out] IDispatch** Obj"},
        {11, 0x68030004, 'g', "ExtractToFolder", "[out, retval] BSTR*"},
        {12, 0x68030004, 'p', "ExtractToFolder", "[in] BSTR"},
        {13, 0x68030005, 'g', "ExitCode", "[out, retval] BSTR*"},
        {14, 0x68030006, 'g', "Handle", "[out, retval] long*"},
        {15, 0x68030006, 'p', "Handle", "[in, out] long*"},
        {16, 0x68030007, 'g', "ProjectFilename", "[out, retval] BSTR*"},
        {17, 0x68030007, 'p', "ProjectFilename", "[in, out] BSTR*"},
        {18, 0x60030008, 'm', "HideProgress", ""},
        {19, 0x60030009, 'm', "GetFileTime", "[in, out] BSTR* szFilename; [out, retval] DATE*"},
        {20, 0x6003000A, 'm', "GetFileBytes",
         "[in] BSTR Path; [in, optional, default -1] long truncateToByte; [out, retval] SAFEARRAY(unsigned char)*"}}},
      {"_cRegistry", "{2FA5737B-6825-40F5-8816-73565CBBA3C6}", 1, 0, true,
       {{7, 0x68030000, 'g', "KeyExists", "[out, retval] VARIANT_BOOL*"},
        {8, 0x60030001, 'm', "CreateKey", "[out, retval] VARIANT_BOOL*"},
        {9, 0x60030002, 'm', "DeleteKey", "[out, retval] VARIANT_BOOL*"},
        {10, 0x60030003, 'm', "DeleteValue", "[out, retval] VARIANT_BOOL*"},
        {11, 0x68030004, 'g', "Value", "[out, retval] VARIANT*"},
        {12, 0x68030004, 'p', "Value", "[in] VARIANT"},
        {13, 0x60030005, 'm', "EnumerateValues",
         "[in, out] SAFEARRAY(BSTR)* sKeyNames; [in, out] long* iKeyCount; [out, retval] VARIANT_BOOL*"},
        {14, 0x60030006, 'm', "EnumerateSections",
         "[in, out] SAFEARRAY(BSTR)* sSect; [in, out] long* iSectCount; [out, retval] VARIANT_BOOL*"},
        {15, 0x60030007, 'm', "CreateEXEAssociation",
         "[in] BSTR sExePath; [in] BSTR sClassName; [in] BSTR sClassDescription; [in] BSTR sAssociation; "
         "[in, optional, default \"&Open\"] BSTR sOpenMenuText; [in, optional, default False] VARIANT_BOOL "
         "bSupportPrint; [in, optional, default \"&Print\"] BSTR sPrintMenuText; [in, optional, default False] "
         "VARIANT_BOOL bSupportNew; [in, optional, default \"&New\"] BSTR sNewMenuText; [in, optional, default "
         "False] VARIANT_BOOL bSupportInstall; [in, optional, default \"\"] BSTR sInstallMenuText; [in, optional, "
         "default -1] long lDefaultIconIndex"},
        {16, 0x60030008, 'm', "CreateAdditionalEXEAssociations",
         "[in] BSTR sClassName; [in, out] SAFEARRAY(VARIANT)* vItems (vararg)"},
        {17, 0x68030009, 'g', "ValueType", "[out, retval] long*"},
        {18, 0x68030009, 'p', "ValueType", "[in] long"},
        {19, 0x6803000A, 'g', "ClassKey", "[out, retval] long*"},
        {20, 0x6803000A, 'p', "ClassKey", "[in] long"},
        {21, 0x6803000B, 'g', "SectionKey", "[out, retval] BSTR*"},
        {22, 0x6803000B, 'p', "SectionKey", "[in] BSTR"},
        {23, 0x6803000C, 'g', "ValueKey", "[out, retval] BSTR*"},
        {24, 0x6803000C, 'p', "ValueKey", "[in] BSTR"},
        {25, 0x6803000D, 'g', "Default", "[out, retval] VARIANT*"},
        {26, 0x6803000D, 'p', "Default", "[in] VARIANT"}}},
      {"_cUnzip", "{3EA8ECF6-B662-4354-91EF-D16257AF88AC}", 1, 0, true,
       {{7, 0x68030000, 'g', "ExtractOnlyNewer", "[out, retval] VARIANT_BOOL*"},
        {8, 0x68030000, 'p', "ExtractOnlyNewer", "[in] VARIANT_BOOL"},
        {9, 0x68030001, 'g', "SpaceToUnderScore", "[out, retval] VARIANT_BOOL*"},
        {10, 0x68030001, 'p', "SpaceToUnderScore", "[in] VARIANT_BOOL"},
        {11, 0x68030002, 'g', "PromptToOverwrite", "[out, retval] VARIANT_BOOL*"},
        {12, 0x68030002, 'p', "PromptToOverwrite", "[in] VARIANT_BOOL"},
        {13, 0x68030003, 'g', "MessageLevel", "[out, retval] EUZMsgLevel*"},
        {14, 0x68030003, 'p', "MessageLevel", "[in] EUZMsgLevel"},
        {15, 0x68030004, 'g', "TestZip", "[out, retval] VARIANT_BOOL*"},
        {16, 0x68030004, 'p', "TestZip", "[in] VARIANT_BOOL"},
        {17, 0x68030005, 'g', "UseFolderNames", "[out, retval] VARIANT_BOOL*"},
        {18, 0x68030005, 'p', "UseFolderNames", "[in] VARIANT_BOOL"},
        {19, 0x68030006, 'g', "OverwriteExisting", "[out, retval] VARIANT_BOOL*"},
        {20, 0x68030006, 'p', "OverwriteExisting", "[in] VARIANT_BOOL"},
        {21, 0x68030007, 'g', "ConvertCRToCRLF", "[out, retval] VARIANT_BOOL*"},
        {22, 0x68030007, 'p', "ConvertCRToCRLF", "[in] VARIANT_BOOL"},
        {23, 0x68030008, 'g', "CaseSensitiveFileNames", "[out, retval] VARIANT_BOOL*"},
        {24, 0x68030008, 'p', "CaseSensitiveFileNames", "[in] VARIANT_BOOL"},
        {25, 0x68030009, 'g', "FileCount", "[out, retval] long*"},
        {26, 0x6803000A, 'g', "FileName", "[in] long lIndex; [out, retval] BSTR*"},
        {27, 0x6803000B, 'g', "FileDirectory", "[in] long lIndex; [out, retval] BSTR*"},
        {28, 0x6803000C, 'g', "FileSize", "[in] long lIndex; [out, retval] long*"},
        {29, 0x6803000D, 'g', "FilePackedSize", "[in] long lIndex; [out, retval] long*"},
        {30, 0x6803000E, 'g', "FileCompressionRatio", "[in] long lIndex; [out, retval] long*"},
        {31, 0x6803000F, 'g', "FileDate", "[in] long lIndex; [out, retval] DATE*"},
        {32, 0x68030010, 'g', "FileCRC", "[in] long lIndex; [out, retval] long*"},
        {33, 0x68030011, 'g', "FileCompressionMethod", "[in] long lIndex; [out, retval] BSTR*"},
        {34, 0x68030012, 'g', "FileEncrypted", "[in] long lIndex; [out, retval] VARIANT_BOOL*"},
        {35, 0x68030013, 'g', "FileSelected", "[in] long lIndex; [out, retval] VARIANT_BOOL*"},
        {36, 0x68030013, 'p', "FileSelected", "[in] long lIndex; [in] VARIANT_BOOL"},
        {37, 0x60030014, 'm', "Directory", "[out, retval] long*"},
        {38, 0x60030015, 'm', "Unzip", "[out, retval] VARIANT_BOOL*"},
        {39, 0x68030016, 'p', "UnzipFolder", "[in] BSTR"},
        {40, 0x68030016, 'g', "UnzipFolder", "[out, retval] BSTR*"},
        {41, 0x68030017, 'g', "ZipFile", "[out, retval] BSTR*"},
        {42, 0x60030018, 'm', "GetVersion",
         "[in, out] long* lMajor; [in, out] long* lMinor; [in, out] long* lRevision; [in, out] DATE* dDate; "
         "[in, out] BSTR* sExtraInfo"},
        {43, 0x68030017, 'p', "ZipFile", "[in] BSTR"}}},
      {"__cUnzip", "{30DE4829-C80E-4B35-B87E-D51FD21FA4A7}", 0, 0, false,
       {{-1, 1, 'm', "Cancel", "[in] BSTR sMsg; [in, out] VARIANT_BOOL* bCancel"},
        {-1, 2, 'm', "OverwritePrompt", "[in] BSTR sFIle; [in, out] EUZOverWriteResponse* eResponse"},
        {-1, 3, 'm', "PasswordRequest", "[in, out] BSTR* sPassword; [in, out] VARIANT_BOOL* bCancel"},
        {-1, 4, 'm', "Progress", "[in] long lCount; [in] BSTR sMsg"}}},
  };
  return rows;
}

struct CoclassRow {
  const char* name;
  const char* clsid;
  WORD flags;
  const char* defaultInterface;
  const char* sourceInterface;
};

const CoclassRow kCoclasses[] = {
    {"PPTInfo", "{E98E2A9D-9DBB-49C3-9B42-C8E54D50DEAF}",
     TYPEFLAG_FAPPOBJECT | TYPEFLAG_FCANCREATE | TYPEFLAG_FPREDECLID, "_PPTInfo", "__PPTInfo"},
    {"cProjectFileHandler", "{6B841625-C801-4200-A689-C0245F1A4FB5}", TYPEFLAG_FCANCREATE,
     "_cProjectFileHandler", nullptr},
    {"cRegistry", "{8E2D5836-9711-44BA-B554-EB9E54947993}", TYPEFLAG_FCANCREATE, "_cRegistry", nullptr},
    {"cUnzip", "{8224811C-8C14-4F26-B334-6086073DE7CA}", TYPEFLAG_FCANCREATE, "_cUnzip", "__cUnzip"},
};

struct EnumRow {
  const char* name;
  std::vector<std::pair<const char*, int>> values;
};

const std::vector<EnumRow>& ExpectedEnumerations() {
  static const std::vector<EnumRow> rows = {
      {"StatusCode",
       {{"ERR_SUCCESS", 0}, {"ERR_POWERPOINT_NOT_INSTALLED", 1}, {"ERR_NO_ACTIVE_PRESENTATION", 2},
        {"ERR_POWERPOINT_NOT_VISIBLE", 3}, {"ERR_PRESENTATION_OPEN_FAILED", 4},
        {"ERR_PRESENTATION_EXPORT_FAILURE", 5}, {"ERR_DIALOG_OPEN", 6}, {"ERR_USER_CANCEL", 7}, {"ERR_READ_ONLY", 8},
        {"ERR_COM_EXCEPTION", 9}, {"ERR_ELEVATION_REQUIRED", 10}, {"ERR_PASSWORD_PROTECTED_OPEN_FAILED", 11}}},
      {"ImageFormatType", {{"GIF", 0}, {"JPG", 1}, {"PNG", 2}, {"BMP", 3}, {"WMF", 4}, {"EMF", 5}}},
      {"EUZMsgLevel", {{"euzAllMessages", 0}, {"euzPartialMessages", 1}, {"euzNoMessages", 2}}},
      {"EUZOverWriteResponse",
       {{"euzDoNotOverwrite", 100}, {"euzOverwriteThisFile", 102}, {"euzOverwriteAllFiles", 103},
        {"euzOverwriteNone", 104}}},
  };
  return rows;
}

ComPtr<ITypeInfo> TypeInfoNamed(ITypeLib* lib, const char* name) {
  std::wstring wide(name, name + std::char_traits<char>::length(name));
  ITypeInfo* found[1] = {};
  MEMBERID id[1];
  USHORT count = 1;
  lib->FindName(wide.data(), 0, found, id, &count);
  ComPtr<ITypeInfo> info;
  info.Attach(count ? found[0] : nullptr);
  return info;
}

struct TestedLibrary {
  std::string file;
  ComPtr<ITypeLib> lib;
  int pointerSize;  // of the build the library describes
};

// The library as a file and as the DLL's embedded resource: both must say the
// same. Where 32-bit programs cannot run, the 64-bit test also reads the
// 32-bit build's, from the folder QUILLMERE_TYPELIB_32 names.
std::vector<TestedLibrary> Libraries() {
  std::vector<std::pair<std::wstring, int>> files = {{BesideTestProgram(L"Quillmere.tlb"), sizeof(void*)},
                                                     {BesideTestProgram(L"Quillmere.dll"), sizeof(void*)}};
  if (const wchar_t* folder = _wgetenv(L"QUILLMERE_TYPELIB_32")) {
    files.emplace_back(std::wstring(folder) + L"\\Quillmere.tlb", 4);
    files.emplace_back(std::wstring(folder) + L"\\Quillmere.dll", 4);
  }
  std::vector<TestedLibrary> libraries;
  for (const auto& [file, pointerSize] : files) {
    ComPtr<ITypeLib> lib;
    HRESULT hr = LoadTypeLibEx(file.c_str(), REGKIND_NONE, &lib);
    EXPECT_EQ(hr, S_OK) << Narrow(file.c_str());
    if (lib) libraries.push_back({Narrow(file.c_str()), lib, pointerSize});
  }
  return libraries;
}

TEST(TypeLibrary, LibraryIdentity) {
  for (auto& [file, lib, pointerSize] : Libraries()) {
    SCOPED_TRACE(file);
    TLIBATTR* attr = nullptr;
    ASSERT_EQ(lib->GetLibAttr(&attr), S_OK);
    EXPECT_EQ(GuidText(attr->guid), "{529C1273-8955-40B3-96CE-57C622F83347}");
    EXPECT_EQ(attr->wMajorVerNum, 9);
    EXPECT_EQ(attr->wMinorVerNum, 0);
    EXPECT_EQ(attr->lcid, 0u);
    EXPECT_EQ(attr->syskind, pointerSize == 4 ? SYS_WIN32 : SYS_WIN64);
    lib->ReleaseTLibAttr(attr);
    EXPECT_EQ(Name(TypeInfoNamed(lib.Get(), "PPTInfo").Get(), MEMBERID_NIL), "PPTInfo");
    BSTR libName = nullptr;
    lib->GetDocumentation(-1, &libName, nullptr, nullptr, nullptr);
    EXPECT_EQ(Narrow(libName), "Quillmere");
    SysFreeString(libName);
  }
}

// A dual interface is found by name as its dispatch view; its own
// vtable-bound view hangs off implemented type -1.
ComPtr<ITypeInfo> VtableView(ComPtr<ITypeInfo> info) {
  HREFTYPE ref = 0;
  ComPtr<ITypeInfo> view;
  if (SUCCEEDED(info->GetRefTypeOfImplType(static_cast<UINT>(-1), &ref)) &&
      SUCCEEDED(info->GetRefTypeInfo(ref, &view)))
    return view;
  return info;
}

// The functions a type declares itself, without those it lists from IUnknown and IDispatch.
std::vector<UINT> OwnFunctions(ITypeInfo* info, WORD count) {
  std::vector<UINT> own;
  for (UINT i = 0; i < count; ++i) {
    FUNCDESC* f = nullptr;
    if (FAILED(info->GetFuncDesc(i, &f))) continue;
    MEMBERID id = f->memid;
    info->ReleaseFuncDesc(f);
    if (id < 0x60000000 || id > 0x60010003) own.push_back(i);
  }
  return own;
}

TEST(TypeLibrary, InterfacesMatchTheirTables) {
  for (auto& [file, lib, pointerSize] : Libraries()) {
    SCOPED_TRACE(file);
    for (const InterfaceRow& row : ExpectedInterfaces()) {
      SCOPED_TRACE(row.name);
      ComPtr<ITypeInfo> info = TypeInfoNamed(lib.Get(), row.name);
      ASSERT_TRUE(info);
      if (row.dual) info = VtableView(info);
      TYPEATTR* attr = nullptr;
      ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
      EXPECT_EQ(GuidText(attr->guid), row.iid);
      EXPECT_EQ(attr->wMajorVerNum, row.major);
      EXPECT_EQ(attr->wMinorVerNum, row.minor);
      EXPECT_EQ(attr->typekind, row.dual ? TKIND_INTERFACE : TKIND_DISPATCH);
      WORD flags = row.dual ? TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FOLEAUTOMATION
                            : TYPEFLAG_FHIDDEN;
      EXPECT_EQ(attr->wTypeFlags & ~TYPEFLAG_FDISPATCHABLE, flags);
      std::vector<UINT> own = OwnFunctions(info.Get(), attr->cFuncs);
      info->ReleaseTypeAttr(attr);
      EXPECT_EQ(own.size(), row.members.size());

      HREFTYPE baseRef = 0;
      ComPtr<ITypeInfo> base;
      ASSERT_EQ(info->GetRefTypeOfImplType(0, &baseRef), S_OK);
      ASSERT_EQ(info->GetRefTypeInfo(baseRef, &base), S_OK);
      EXPECT_EQ(Name(base.Get(), MEMBERID_NIL), "IDispatch");

      for (std::size_t i = 0; i < own.size() && i < row.members.size(); ++i) {
        const MemberRow& m = row.members[i];
        SCOPED_TRACE(m.name);
        FUNCDESC* f = nullptr;
        ASSERT_EQ(info->GetFuncDesc(own[i], &f), S_OK);
        EXPECT_EQ(f->memid, m.dispid);
        EXPECT_EQ(Name(info.Get(), f->memid), m.name);
        INVOKEKIND kind = m.kind == 'g' ? INVOKE_PROPERTYGET : m.kind == 'p' ? INVOKE_PROPERTYPUT : INVOKE_FUNC;
        EXPECT_EQ(f->invkind, kind);
        EXPECT_EQ(Signature(info.Get(), *f), m.params);
        if (row.dual) {
          EXPECT_EQ(f->funckind, FUNC_PUREVIRTUAL);
          // The loader gives vtable offsets for the process reading the library, whichever kind it is.
          EXPECT_EQ(f->oVft, m.slot * static_cast<int>(sizeof(void*)));
          EXPECT_EQ(f->elemdescFunc.tdesc.vt, VT_HRESULT);
        } else {
          EXPECT_EQ(f->funckind, FUNC_DISPATCH);
          EXPECT_EQ(f->elemdescFunc.tdesc.vt, VT_VOID);
        }
        info->ReleaseFuncDesc(f);
      }
    }
  }
}

TEST(TypeLibrary, DualInterfacesAnswerByNameThroughTheirDispatchView) {
  for (auto& [file, lib, pointerSize] : Libraries()) {
    SCOPED_TRACE(file);
    ComPtr<ITypeInfo> dispatchView = TypeInfoNamed(lib.Get(), "_PPTInfo");
    ASSERT_TRUE(dispatchView);
    const wchar_t* names[] = {L"PPTPresentation", L"presentationName", L"outputFolder"};
    MEMBERID ids[3] = {};
    ASSERT_EQ(dispatchView->GetIDsOfNames(const_cast<LPOLESTR*>(names), 3, ids), S_OK);
    EXPECT_EQ(ids[0], 0x6003001C);
    EXPECT_EQ(ids[1], 0);
    EXPECT_EQ(ids[2], 2);
  }
}

TEST(TypeLibrary, CoclassesNameTheirInterfaces) {
  for (auto& [file, lib, pointerSize] : Libraries()) {
    SCOPED_TRACE(file);
    for (const CoclassRow& row : kCoclasses) {
      SCOPED_TRACE(row.name);
      ComPtr<ITypeInfo> info = TypeInfoNamed(lib.Get(), row.name);
      ASSERT_TRUE(info);
      TYPEATTR* attr = nullptr;
      ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
      EXPECT_EQ(attr->typekind, TKIND_COCLASS);
      EXPECT_EQ(GuidText(attr->guid), row.clsid);
      EXPECT_EQ(attr->wTypeFlags, row.flags);
      EXPECT_EQ(attr->cImplTypes, row.sourceInterface ? 2 : 1);
      UINT implTypes = attr->cImplTypes;
      info->ReleaseTypeAttr(attr);
      for (UINT i = 0; i < implTypes; ++i) {
        HREFTYPE ref = 0;
        ComPtr<ITypeInfo> impl;
        INT flags = 0;
        ASSERT_EQ(info->GetRefTypeOfImplType(i, &ref), S_OK);
        ASSERT_EQ(info->GetRefTypeInfo(ref, &impl), S_OK);
        ASSERT_EQ(info->GetImplTypeFlags(i, &flags), S_OK);
        bool source = flags & IMPLTYPEFLAG_FSOURCE;
        EXPECT_EQ(Name(impl.Get(), MEMBERID_NIL), source ? row.sourceInterface : row.defaultInterface);
        EXPECT_TRUE(flags & IMPLTYPEFLAG_FDEFAULT);
      }
    }
  }
}

TEST(TypeLibrary, EnumerationValues) {
  for (auto& [file, lib, pointerSize] : Libraries()) {
    SCOPED_TRACE(file);
    for (const EnumRow& row : ExpectedEnumerations()) {
      SCOPED_TRACE(row.name);
      ComPtr<ITypeInfo> info = TypeInfoNamed(lib.Get(), row.name);
      ASSERT_TRUE(info);
      TYPEATTR* attr = nullptr;
      ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
      EXPECT_EQ(attr->typekind, TKIND_ENUM);
      ASSERT_EQ(attr->cVars, row.values.size());
      info->ReleaseTypeAttr(attr);
      for (UINT i = 0; i < row.values.size(); ++i) {
        VARDESC* v = nullptr;
        ASSERT_EQ(info->GetVarDesc(i, &v), S_OK);
        EXPECT_EQ(Name(info.Get(), v->memid), row.values[i].first);
        EXPECT_EQ(V_VT(v->lpvarValue), VT_I4);
        EXPECT_EQ(V_I4(v->lpvarValue), row.values[i].second) << row.values[i].first;
        info->ReleaseVarDesc(v);
      }
    }
  }
}

}  // namespace
