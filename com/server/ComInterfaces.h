#pragma once
// The dual interfaces of the type library as C++ vtables. The order of the
// members must stay that of com/typelib/TypeLibraryTable.cpp: automation calls
// reach them through the vtable offsets written there.

#include <windows.h>
#include <oaidl.h>

namespace quillmere::com {

struct IPPTInfo : IDispatch {
  virtual HRESULT STDMETHODCALLTYPE GenerateThumbnails(BSTR* presentationName, BSTR* propertiesXML,
                                                       BSTR* outputFolder, long* result) = 0;
  virtual HRESULT STDMETHODCALLTYPE PPTSlides(BSTR* presentationName, long* SlideList, BSTR* propertiesXML,
                                              BSTR* outputFolder, long* result) = 0;
  virtual HRESULT STDMETHODCALLTYPE PPTSlideSelection(BSTR* presentationName, BSTR* SlideList, BSTR* propertiesXML,
                                                      BSTR* outputFolder, long* result) = 0;
  virtual HRESULT STDMETHODCALLTYPE PPTActiveSlide(BSTR* propertiesXML, BSTR* outputFolder, long* result) = 0;
  virtual HRESULT STDMETHODCALLTYPE PPTActivePresentation(BSTR* propertiesXML, BSTR* outputFolder,
                                                          long* result) = 0;
  virtual HRESULT STDMETHODCALLTYPE PPTSlide(BSTR* presentationName, long* Index, BSTR* propertiesXML,
                                             BSTR* outputFolder, long* result) = 0;
  virtual HRESULT STDMETHODCALLTYPE PPTPresentation(BSTR* presentationName, BSTR* propertiesXML, BSTR* outputFolder,
                                                    long* result) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_SkipUnusedLayouts(VARIANT_BOOL value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_SkipUnusedLayouts(VARIANT_BOOL* value) = 0;
};

struct IProjectFileHandler : IDispatch {
  virtual HRESULT STDMETHODCALLTYPE ExtractNarration(BSTR* AudioFilename) = 0;
  virtual HRESULT STDMETHODCALLTYPE ExtractWO(BSTR* FolderName) = 0;
  virtual HRESULT STDMETHODCALLTYPE ExtractMovie(BSTR* MovieName) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetPPTInstance(IDispatch** Obj) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_ExtractToFolder(BSTR* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_ExtractToFolder(BSTR value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_ExitCode(BSTR* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Handle(long* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Handle(long* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_ProjectFilename(BSTR* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_ProjectFilename(BSTR* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE HideProgress() = 0;
  virtual HRESULT STDMETHODCALLTYPE GetFileTime(BSTR* szFilename, DATE* result) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetFileBytes(BSTR Path, long truncateToByte, SAFEARRAY** result) = 0;
};

struct IRegistry : IDispatch {
  virtual HRESULT STDMETHODCALLTYPE get_KeyExists(VARIANT_BOOL* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateKey(VARIANT_BOOL* result) = 0;
  virtual HRESULT STDMETHODCALLTYPE DeleteKey(VARIANT_BOOL* result) = 0;
  virtual HRESULT STDMETHODCALLTYPE DeleteValue(VARIANT_BOOL* result) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Value(VARIANT* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Value(VARIANT value) = 0;
  virtual HRESULT STDMETHODCALLTYPE EnumerateValues(SAFEARRAY** sKeyNames, long* iKeyCount, VARIANT_BOOL* result) = 0;
  virtual HRESULT STDMETHODCALLTYPE EnumerateSections(SAFEARRAY** sSect, long* iSectCount, VARIANT_BOOL* result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateEXEAssociation(BSTR sExePath, BSTR sClassName, BSTR sClassDescription,
                                                         BSTR sAssociation, BSTR sOpenMenuText,
                                                         VARIANT_BOOL bSupportPrint, BSTR sPrintMenuText,
                                                         VARIANT_BOOL bSupportNew, BSTR sNewMenuText,
                                                         VARIANT_BOOL bSupportInstall, BSTR sInstallMenuText,
                                                         long lDefaultIconIndex) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateAdditionalEXEAssociations(BSTR sClassName, SAFEARRAY** vItems) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_ValueType(long* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_ValueType(long value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_ClassKey(long* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_ClassKey(long value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_SectionKey(BSTR* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_SectionKey(BSTR value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_ValueKey(BSTR* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_ValueKey(BSTR value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Default(VARIANT* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Default(VARIANT value) = 0;
};

struct IUnzip : IDispatch {
  virtual HRESULT STDMETHODCALLTYPE get_ExtractOnlyNewer(VARIANT_BOOL* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_ExtractOnlyNewer(VARIANT_BOOL value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_SpaceToUnderScore(VARIANT_BOOL* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_SpaceToUnderScore(VARIANT_BOOL value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_PromptToOverwrite(VARIANT_BOOL* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_PromptToOverwrite(VARIANT_BOOL value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_MessageLevel(long* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_MessageLevel(long value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_TestZip(VARIANT_BOOL* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_TestZip(VARIANT_BOOL value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_UseFolderNames(VARIANT_BOOL* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_UseFolderNames(VARIANT_BOOL value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_OverwriteExisting(VARIANT_BOOL* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_OverwriteExisting(VARIANT_BOOL value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_ConvertCRToCRLF(VARIANT_BOOL* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_ConvertCRToCRLF(VARIANT_BOOL value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_CaseSensitiveFileNames(VARIANT_BOOL* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_CaseSensitiveFileNames(VARIANT_BOOL value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_FileCount(long* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_FileName(long lIndex, BSTR* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_FileDirectory(long lIndex, BSTR* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_FileSize(long lIndex, long* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_FilePackedSize(long lIndex, long* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_FileCompressionRatio(long lIndex, long* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_FileDate(long lIndex, DATE* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_FileCRC(long lIndex, long* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_FileCompressionMethod(long lIndex, BSTR* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_FileEncrypted(long lIndex, VARIANT_BOOL* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_FileSelected(long lIndex, VARIANT_BOOL* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_FileSelected(long lIndex, VARIANT_BOOL value) = 0;
  virtual HRESULT STDMETHODCALLTYPE Directory(long* result) = 0;
  virtual HRESULT STDMETHODCALLTYPE Unzip(VARIANT_BOOL* result) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_UnzipFolder(BSTR value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_UnzipFolder(BSTR* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_ZipFile(BSTR* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetVersion(long* lMajor, long* lMinor, long* lRevision, DATE* dDate,
                                               BSTR* sExtraInfo) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_ZipFile(BSTR value) = 0;
};

}  // namespace quillmere::com
