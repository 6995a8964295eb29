#include "com/typelib/TypeLibraryTable.h"

#include "com/typelib/TypeLibraryIds.h"

namespace quillmere::com::typelib {
namespace {

constexpr Param In(const wchar_t* name, Type type) { return {name, type, Pass::In}; }
constexpr Param InOut(const wchar_t* name, Type type) { return {name, type, Pass::InOut}; }
constexpr Param Result(Type type) { return {nullptr, type, Pass::Retval}; }
constexpr Param OptionalText(const wchar_t* name, Pass pass, const wchar_t* text) {
  return {name, Type::Bstr, pass, true, {Default::Kind::Text, 0, text}};
}
constexpr Param OptionalLong(const wchar_t* name, std::int32_t value) {
  return {name, Type::Long, Pass::In, true, {Default::Kind::Long, value, nullptr}};
}
constexpr Param OptionalBool(const wchar_t* name, bool value) {
  return {name, Type::Bool, Pass::In, true, {Default::Kind::Bool, value ? -1 : 0, nullptr}};
}

constexpr Member Method(const wchar_t* name, MEMBERID dispid, std::span<const Param> params = {}) {
  return {name, MemberKind::Method, dispid, params};
}
constexpr Member Get(const wchar_t* name, MEMBERID dispid, std::span<const Param> params) {
  return {name, MemberKind::Get, dispid, params};
}
constexpr Member Put(const wchar_t* name, MEMBERID dispid, std::span<const Param> params) {
  return {name, MemberKind::Put, dispid, params};
}

// Property parameter lists shared by several members.
constexpr Param kGetLong[] = {Result(Type::Long)};
constexpr Param kPutLong[] = {In(L"lValue", Type::Long)};
constexpr Param kGetBool[] = {Result(Type::Bool)};
constexpr Param kPutBool[] = {In(L"bValue", Type::Bool)};
constexpr Param kGetText[] = {Result(Type::Bstr)};
constexpr Param kPutText[] = {In(L"sValue", Type::Bstr)};
constexpr Param kGetVariant[] = {Result(Type::Variant)};
constexpr Param kPutVariant[] = {In(L"vValue", Type::Variant)};
constexpr Param kResultLong[] = {Result(Type::Long)};
constexpr Param kResultBool[] = {Result(Type::Bool)};

// _PPTInfo
constexpr Param kGenerateThumbnails[] = {
    InOut(L"presentationName", Type::Bstr), InOut(L"propertiesXML", Type::Bstr),
    OptionalText(L"outputFolder", Pass::InOut, L""), Result(Type::Long)};
constexpr Param kPPTSlides[] = {
    InOut(L"presentationName", Type::Bstr), InOut(L"SlideList", Type::Long), InOut(L"propertiesXML", Type::Bstr),
    OptionalText(L"outputFolder", Pass::InOut, L""), Result(Type::Long)};
constexpr Param kPPTSlideSelection[] = {
    InOut(L"presentationName", Type::Bstr), InOut(L"SlideList", Type::Bstr), InOut(L"propertiesXML", Type::Bstr),
    OptionalText(L"outputFolder", Pass::InOut, L""), Result(Type::Long)};
constexpr Param kActiveExport[] = {
    InOut(L"propertiesXML", Type::Bstr), OptionalText(L"outputFolder", Pass::InOut, L""), Result(Type::Long)};
constexpr Param kPPTSlide[] = {
    InOut(L"presentationName", Type::Bstr), InOut(L"Index", Type::Long), InOut(L"propertiesXML", Type::Bstr),
    OptionalText(L"outputFolder", Pass::InOut, L""), Result(Type::Long)};
constexpr Param kPPTPresentation[] = {
    InOut(L"presentationName", Type::Bstr), InOut(L"propertiesXML", Type::Bstr),
    OptionalText(L"outputFolder", Pass::InOut, L""), Result(Type::Long)};
constexpr Param kSkipUnusedLayoutsPut[] = {In(L"RHS", Type::Bool)};

constexpr Member kPPTInfoMembers[] = {
    Method(L"GenerateThumbnails", 0x60030016, kGenerateThumbnails),
    Method(L"PPTSlides", 0x60030017, kPPTSlides),
    Method(L"PPTSlideSelection", 0x60030018, kPPTSlideSelection),
    Method(L"PPTActiveSlide", 0x60030019, kActiveExport),
    Method(L"PPTActivePresentation", 0x6003001A, kActiveExport),
    Method(L"PPTSlide", 0x6003001B, kPPTSlide),
    Method(L"PPTPresentation", 0x6003001C, kPPTPresentation),
    Put(L"SkipUnusedLayouts", 0x6803001D, kSkipUnusedLayoutsPut),
    Get(L"SkipUnusedLayouts", 0x6803001D, kGetBool),
};

// __PPTInfo
constexpr Param kAbortConversion[] = {InOut(L"Cancel", Type::Bool)};
constexpr Param kPPTInfoProgress[] = {InOut(L"Current", Type::Long), InOut(L"Max", Type::Long)};
constexpr Member kPPTInfoEvents[] = {
    Method(L"AbortConversion", 1, kAbortConversion),
    Method(L"Progress", 2, kPPTInfoProgress),
};

// _cProjectFileHandler
constexpr Param kExtractNarration[] = {InOut(L"AudioFilename", Type::Bstr)};
constexpr Param kExtractWO[] = {InOut(L"FolderName", Type::Bstr)};
constexpr Param kExtractMovie[] = {InOut(L"MovieName", Type::Bstr)};
constexpr Param kSetPPTInstance[] = {InOut(L"Obj", Type::Object)};
constexpr Param kPutLongByRef[] = {InOut(L"lValue", Type::Long)};
constexpr Param kPutTextByRef[] = {InOut(L"sValue", Type::Bstr)};
constexpr Param kGetFileTime[] = {InOut(L"szFilename", Type::Bstr), Result(Type::Date)};
constexpr Param kGetFileBytes[] = {In(L"Path", Type::Bstr), OptionalLong(L"truncateToByte", -1),
                                   Result(Type::ByteArray)};

constexpr Member kProjectFileHandlerMembers[] = {
    Method(L"ExtractNarration", 0x60030000, kExtractNarration),
    Method(L"ExtractWO", 0x60030001, kExtractWO),
    Method(L"ExtractMovie", 0x60030002, kExtractMovie),
    Method(L"SetPPTInstance", 0x60030003, kSetPPTInstance),
    Get(L"ExtractToFolder", 0x68030004, kGetText),
    Put(L"ExtractToFolder", 0x68030004, kPutText),
    Get(L"ExitCode", 0x68030005, kGetText),
    Get(L"Handle", 0x68030006, kGetLong),
    Put(L"Handle", 0x68030006, kPutLongByRef),
    Get(L"ProjectFilename", 0x68030007, kGetText),
    Put(L"ProjectFilename", 0x68030007, kPutTextByRef),
    Method(L"HideProgress", 0x60030008),
    Method(L"GetFileTime", 0x60030009, kGetFileTime),
    Method(L"GetFileBytes", 0x6003000A, kGetFileBytes),
};

// _cRegistry
constexpr Param kEnumerateValues[] = {InOut(L"sKeyNames", Type::StringArray), InOut(L"iKeyCount", Type::Long),
                                      Result(Type::Bool)};
constexpr Param kEnumerateSections[] = {InOut(L"sSect", Type::StringArray), InOut(L"iSectCount", Type::Long),
                                        Result(Type::Bool)};
constexpr Param kCreateEXEAssociation[] = {
    In(L"sExePath", Type::Bstr),
    In(L"sClassName", Type::Bstr),
    In(L"sClassDescription", Type::Bstr),
    In(L"sAssociation", Type::Bstr),
    OptionalText(L"sOpenMenuText", Pass::In, L"&Open"),
    OptionalBool(L"bSupportPrint", false),
    OptionalText(L"sPrintMenuText", Pass::In, L"&Print"),
    OptionalBool(L"bSupportNew", false),
    OptionalText(L"sNewMenuText", Pass::In, L"&New"),
    OptionalBool(L"bSupportInstall", false),
    OptionalText(L"sInstallMenuText", Pass::In, L""),
    OptionalLong(L"lDefaultIconIndex", -1),
};
constexpr Param kCreateAdditionalEXEAssociations[] = {In(L"sClassName", Type::Bstr),
                                                      InOut(L"vItems", Type::VariantArray)};

constexpr Member kRegistryMembers[] = {
    Get(L"KeyExists", 0x68030000, kGetBool),
    Method(L"CreateKey", 0x60030001, kResultBool),
    Method(L"DeleteKey", 0x60030002, kResultBool),
    Method(L"DeleteValue", 0x60030003, kResultBool),
    Get(L"Value", 0x68030004, kGetVariant),
    Put(L"Value", 0x68030004, kPutVariant),
    Method(L"EnumerateValues", 0x60030005, kEnumerateValues),
    Method(L"EnumerateSections", 0x60030006, kEnumerateSections),
    Method(L"CreateEXEAssociation", 0x60030007, kCreateEXEAssociation),
    {L"CreateAdditionalEXEAssociations", MemberKind::Method, 0x60030008, kCreateAdditionalEXEAssociations, true},
    Get(L"ValueType", 0x68030009, kGetLong),
    Put(L"ValueType", 0x68030009, kPutLong),
    Get(L"ClassKey", 0x6803000A, kGetLong),
    Put(L"ClassKey", 0x6803000A, kPutLong),
    Get(L"SectionKey", 0x6803000B, kGetText),
    Put(L"SectionKey", 0x6803000B, kPutText),
    Get(L"ValueKey", 0x6803000C, kGetText),
    Put(L"ValueKey", 0x6803000C, kPutText),
    Get(L"Default", 0x6803000D, kGetVariant),
    Put(L"Default", 0x6803000D, kPutVariant),
};

// _cUnzip
constexpr Param kGetMsgLevel[] = {Result(Type::MsgLevel)};
constexpr Param kPutMsgLevel[] = {In(L"eLevel", Type::MsgLevel)};
constexpr Param kRecordLong[] = {In(L"lIndex", Type::Long), Result(Type::Long)};
constexpr Param kRecordText[] = {In(L"lIndex", Type::Long), Result(Type::Bstr)};
constexpr Param kRecordDate[] = {In(L"lIndex", Type::Long), Result(Type::Date)};
constexpr Param kRecordBool[] = {In(L"lIndex", Type::Long), Result(Type::Bool)};
constexpr Param kPutRecordBool[] = {In(L"lIndex", Type::Long), In(L"bState", Type::Bool)};
constexpr Param kGetVersion[] = {InOut(L"lMajor", Type::Long), InOut(L"lMinor", Type::Long),
                                 InOut(L"lRevision", Type::Long), InOut(L"dDate", Type::Date),
                                 InOut(L"sExtraInfo", Type::Bstr)};

constexpr Member kUnzipMembers[] = {
    Get(L"ExtractOnlyNewer", 0x68030000, kGetBool),
    Put(L"ExtractOnlyNewer", 0x68030000, kPutBool),
    Get(L"SpaceToUnderScore", 0x68030001, kGetBool),
    Put(L"SpaceToUnderScore", 0x68030001, kPutBool),
    Get(L"PromptToOverwrite", 0x68030002, kGetBool),
    Put(L"PromptToOverwrite", 0x68030002, kPutBool),
    Get(L"MessageLevel", 0x68030003, kGetMsgLevel),
    Put(L"MessageLevel", 0x68030003, kPutMsgLevel),
    Get(L"TestZip", 0x68030004, kGetBool),
    Put(L"TestZip", 0x68030004, kPutBool),
    Get(L"UseFolderNames", 0x68030005, kGetBool),
    Put(L"UseFolderNames", 0x68030005, kPutBool),
    Get(L"OverwriteExisting", 0x68030006, kGetBool),
    Put(L"OverwriteExisting", 0x68030006, kPutBool),
    Get(L"ConvertCRToCRLF", 0x68030007, kGetBool),
    Put(L"ConvertCRToCRLF", 0x68030007, kPutBool),
    Get(L"CaseSensitiveFileNames", 0x68030008, kGetBool),
    Put(L"CaseSensitiveFileNames", 0x68030008, kPutBool),
    Get(L"FileCount", 0x68030009, kGetLong),
    Get(L"FileName", 0x6803000A, kRecordText),
    Get(L"FileDirectory", 0x6803000B, kRecordText),
    Get(L"FileSize", 0x6803000C, kRecordLong),
    Get(L"FilePackedSize", 0x6803000D, kRecordLong),
    Get(L"FileCompressionRatio", 0x6803000E, kRecordLong),
    Get(L"FileDate", 0x6803000F, kRecordDate),
    Get(L"FileCRC", 0x68030010, kRecordLong),
    Get(L"FileCompressionMethod", 0x68030011, kRecordText),
    Get(L"FileEncrypted", 0x68030012, kRecordBool),
    Get(L"FileSelected", 0x68030013, kRecordBool),
    Put(L"FileSelected", 0x68030013, kPutRecordBool),
    Method(L"Directory", 0x60030014, kResultLong),
    Method(L"Unzip", 0x60030015, kResultBool),
    Put(L"UnzipFolder", 0x68030016, kPutText),
    Get(L"UnzipFolder", 0x68030016, kGetText),
    Get(L"ZipFile", 0x68030017, kGetText),
    Method(L"GetVersion", 0x60030018, kGetVersion),
    Put(L"ZipFile", 0x68030017, kPutText),
};

// __cUnzip
constexpr Param kUnzipCancel[] = {In(L"sMsg", Type::Bstr), InOut(L"bCancel", Type::Bool)};
constexpr Param kOverwritePrompt[] = {In(L"sFIle", Type::Bstr), InOut(L"eResponse", Type::OverwriteResponse)};
constexpr Param kPasswordRequest[] = {InOut(L"sPassword", Type::Bstr), InOut(L"bCancel", Type::Bool)};
constexpr Param kUnzipProgress[] = {In(L"lCount", Type::Long), In(L"sMsg", Type::Bstr)};
constexpr Member kUnzipEvents[] = {
    Method(L"Cancel", 1, kUnzipCancel),
    Method(L"OverwritePrompt", 2, kOverwritePrompt),
    Method(L"PasswordRequest", 3, kPasswordRequest),
    Method(L"Progress", 4, kUnzipProgress),
};

constexpr Interface kInterfaces[] = {
    {L"_PPTInfo", kIidPPTInfo, 1, 1, InterfaceKind::Dual, kPPTInfoMembers},
    {L"__PPTInfo", kIidPPTInfoEvents, 0, 0, InterfaceKind::Events, kPPTInfoEvents},
    {L"_cProjectFileHandler", kIidProjectFileHandler, 1, 3, InterfaceKind::Dual, kProjectFileHandlerMembers},
    {L"_cRegistry", kIidRegistry, 1, 0, InterfaceKind::Dual, kRegistryMembers},
    {L"_cUnzip", kIidUnzip, 1, 0, InterfaceKind::Dual, kUnzipMembers},
    {L"__cUnzip", kIidUnzipEvents, 0, 0, InterfaceKind::Events, kUnzipEvents},
};

constexpr Enumerator kStatusCodes[] = {
    {L"ERR_SUCCESS", 0},
    {L"ERR_POWERPOINT_NOT_INSTALLED", 1},
    {L"ERR_NO_ACTIVE_PRESENTATION", 2},
    {L"ERR_POWERPOINT_NOT_VISIBLE", 3},
    {L"ERR_PRESENTATION_OPEN_FAILED", 4},
    {L"ERR_PRESENTATION_EXPORT_FAILURE", 5},
    {L"ERR_DIALOG_OPEN", 6},
    {L"ERR_USER_CANCEL", 7},
    {L"ERR_READ_ONLY", 8},
    {L"ERR_COM_EXCEPTION", 9},
    {L"ERR_ELEVATION_REQUIRED", 10},
    {L"ERR_PASSWORD_PROTECTED_OPEN_FAILED", 11},
};
constexpr Enumerator kImageFormats[] = {{L"GIF", 0}, {L"JPG", 1}, {L"PNG", 2}, {L"BMP", 3}, {L"WMF", 4}, {L"EMF", 5}};
constexpr Enumerator kMsgLevels[] = {{L"euzAllMessages", 0}, {L"euzPartialMessages", 1}, {L"euzNoMessages", 2}};
constexpr Enumerator kOverwriteResponses[] = {
    {L"euzDoNotOverwrite", 100}, {L"euzOverwriteThisFile", 102}, {L"euzOverwriteAllFiles", 103},
    {L"euzOverwriteNone", 104}};

constexpr Enumeration kEnumerations[] = {
    {L"StatusCode", kStatusCodes},
    {L"ImageFormatType", kImageFormats},
    {L"EUZMsgLevel", kMsgLevels},
    {L"EUZOverWriteResponse", kOverwriteResponses},
};

constexpr Coclass kCoclasses[] = {
    {L"PPTInfo", kClsidPPTInfo, TYPEFLAG_FAPPOBJECT | TYPEFLAG_FCANCREATE | TYPEFLAG_FPREDECLID, L"_PPTInfo",
     L"__PPTInfo"},
    {L"cProjectFileHandler", kClsidProjectFileHandler, TYPEFLAG_FCANCREATE, L"_cProjectFileHandler", nullptr},
    {L"cRegistry", kClsidRegistry, TYPEFLAG_FCANCREATE, L"_cRegistry", nullptr},
    {L"cUnzip", kClsidUnzip, TYPEFLAG_FCANCREATE, L"_cUnzip", L"__cUnzip"},
};

constexpr Library kLibrary = {L"Quillmere", kLibId,      kLibMajorVersion, kLibMinorVersion,
                              kEnumerations, kInterfaces, kCoclasses};

}  // namespace

const Library& QuillmereLibrary() { return kLibrary; }

const wchar_t* EnumerationName(Type type) {
  switch (type) {
    case Type::MsgLevel:
      return L"EUZMsgLevel";
    case Type::OverwriteResponse:
      return L"EUZOverWriteResponse";
    default:
      return nullptr;
  }
}

}  // namespace quillmere::com::typelib
