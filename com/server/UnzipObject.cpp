// cUnzip as a COM object over the library's cUnzip; its events are raised on
// the hosts' sinks with the by-reference arguments read back, and the thread's
// messages run once after each event.

#include <limits>

#include "com/server/ByReferenceText.h"
#include "com/server/ComInterfaces.h"
#include "com/server/ErrorReporting.h"
#include "com/server/EventSourceObject.h"
#include "com/server/ServerClasses.h"
#include "com/typelib/TypeLibraryIds.h"
#include "objectmodel/automation/windows/VariantValue.h"
#include "utilities/zip/Unzip.h"

namespace quillmere::com {
namespace {

constexpr DISPID kCancel = 1;
constexpr DISPID kOverwritePrompt = 2;
constexpr DISPID kPasswordRequest = 3;
constexpr DISPID kProgress = 4;

// A BSTR argument that lives for one event.
class TextArgument {
 public:
  explicit TextArgument(const std::string& text) : text_(ToBstr(text)) {}
  ~TextArgument() { SysFreeString(text_); }
  TextArgument(const TextArgument&) = delete;
  TextArgument& operator=(const TextArgument&) = delete;
  VARIANT ByValue() const {
    VARIANT v;
    V_VT(&v) = VT_BSTR;
    V_BSTR(&v) = text_;
    return v;
  }
  VARIANT ByReference() {
    VARIANT v;
    V_VT(&v) = VT_BYREF | VT_BSTR;
    V_BSTRREF(&v) = &text_;
    return v;
  }
  std::string Text() const { return FromBstr(text_); }

 private:
  BSTR text_;
};

VARIANT BoolReference(VARIANT_BOOL& flag) {
  VARIANT v;
  V_VT(&v) = VT_BYREF | VT_BOOL;
  V_BOOLREF(&v) = &flag;
  return v;
}

class UnzipObject final : public EventSourceObject<IUnzip> {
 public:
  UnzipObject() : EventSourceObject(kIidUnzip, kClsidUnzip, kIidUnzipEvents) {
    cUnzipEvents& events = unzip_.Events();
    events.Cancel = [this](const std::string& sMsg, bool& bCancel) {
      TextArgument message(sMsg);
      VARIANT_BOOL cancel = VariantBool(bCancel);
      VARIANT arguments[] = {message.ByValue(), BoolReference(cancel)};
      Raise(kCancel, arguments, 2);
      bCancel = cancel != VARIANT_FALSE;
    };
    events.OverwritePrompt = [this](const std::string& sFIle, EUZOverWriteResponse& eResponse) {
      TextArgument file(sFIle);
      LONG response = eResponse;
      VARIANT arguments[] = {file.ByValue(), {}};
      V_VT(&arguments[1]) = VT_BYREF | VT_I4;
      V_I4REF(&arguments[1]) = &response;
      Raise(kOverwritePrompt, arguments, 2);
      eResponse = static_cast<EUZOverWriteResponse>(response);
    };
    events.PasswordRequest = [this](std::string& sPassword, bool& bCancel) {
      TextArgument password(sPassword);
      VARIANT_BOOL cancel = VariantBool(bCancel);
      VARIANT arguments[] = {password.ByReference(), BoolReference(cancel)};
      Raise(kPasswordRequest, arguments, 2);
      sPassword = password.Text();
      bCancel = cancel != VARIANT_FALSE;
    };
    events.Progress = [this](std::int32_t lCount, const std::string& sMsg) {
      TextArgument message(sMsg);
      VARIANT arguments[] = {{}, message.ByValue()};
      V_VT(&arguments[0]) = VT_I4;
      V_I4(&arguments[0]) = lCount;
      Raise(kProgress, arguments, 2);
    };
  }

  STDMETHODIMP get_ExtractOnlyNewer(VARIANT_BOOL* v) override { return GetBool(v, &cUnzip::ExtractOnlyNewer); }
  STDMETHODIMP put_ExtractOnlyNewer(VARIANT_BOOL v) override { return PutBool(v, &cUnzip::SetExtractOnlyNewer); }
  STDMETHODIMP get_SpaceToUnderScore(VARIANT_BOOL* v) override { return GetBool(v, &cUnzip::SpaceToUnderScore); }
  STDMETHODIMP put_SpaceToUnderScore(VARIANT_BOOL v) override { return PutBool(v, &cUnzip::SetSpaceToUnderScore); }
  STDMETHODIMP get_PromptToOverwrite(VARIANT_BOOL* v) override { return GetBool(v, &cUnzip::PromptToOverwrite); }
  STDMETHODIMP put_PromptToOverwrite(VARIANT_BOOL v) override { return PutBool(v, &cUnzip::SetPromptToOverwrite); }
  STDMETHODIMP get_MessageLevel(long* v) override {
    if (!v) return E_POINTER;
    *v = unzip_.MessageLevel();
    return S_OK;
  }
  STDMETHODIMP put_MessageLevel(long v) override {
    unzip_.SetMessageLevel(static_cast<EUZMsgLevel>(v));
    return S_OK;
  }
  STDMETHODIMP get_TestZip(VARIANT_BOOL* v) override { return GetBool(v, &cUnzip::TestZip); }
  STDMETHODIMP put_TestZip(VARIANT_BOOL v) override { return PutBool(v, &cUnzip::SetTestZip); }
  STDMETHODIMP get_UseFolderNames(VARIANT_BOOL* v) override { return GetBool(v, &cUnzip::UseFolderNames); }
  STDMETHODIMP put_UseFolderNames(VARIANT_BOOL v) override { return PutBool(v, &cUnzip::SetUseFolderNames); }
  STDMETHODIMP get_OverwriteExisting(VARIANT_BOOL* v) override { return GetBool(v, &cUnzip::OverwriteExisting); }
  STDMETHODIMP put_OverwriteExisting(VARIANT_BOOL v) override { return PutBool(v, &cUnzip::SetOverwriteExisting); }
  STDMETHODIMP get_ConvertCRToCRLF(VARIANT_BOOL* v) override { return GetBool(v, &cUnzip::ConvertCRToCRLF); }
  STDMETHODIMP put_ConvertCRToCRLF(VARIANT_BOOL v) override { return PutBool(v, &cUnzip::SetConvertCRToCRLF); }
  STDMETHODIMP get_CaseSensitiveFileNames(VARIANT_BOOL* v) override {
    return GetBool(v, &cUnzip::CaseSensitiveFileNames);
  }
  STDMETHODIMP put_CaseSensitiveFileNames(VARIANT_BOOL v) override {
    return PutBool(v, &cUnzip::SetCaseSensitiveFileNames);
  }
  STDMETHODIMP get_FileCount(long* v) override {
    if (!v) return E_POINTER;
    *v = unzip_.FileCount();
    return S_OK;
  }
  STDMETHODIMP get_FileName(long i, BSTR* v) override {
    return Record(v, [&] { return ReturnText(v, unzip_.FileName(i)); });
  }
  STDMETHODIMP get_FileDirectory(long i, BSTR* v) override {
    return Record(v, [&] { return ReturnText(v, unzip_.FileDirectory(i)); });
  }
  STDMETHODIMP get_FileSize(long i, long* v) override {
    return Record(v, [&] { return Size(v, unzip_.FileSize(i)); });
  }
  STDMETHODIMP get_FilePackedSize(long i, long* v) override {
    return Record(v, [&] { return Size(v, unzip_.FilePackedSize(i)); });
  }
  STDMETHODIMP get_FileCompressionRatio(long i, long* v) override {
    return Record(v, [&] { *v = unzip_.FileCompressionRatio(i); return S_OK; });
  }
  STDMETHODIMP get_FileDate(long i, DATE* v) override {
    return Record(v, [&] { *v = unzip_.FileDate(i); return S_OK; });
  }
  STDMETHODIMP get_FileCRC(long i, long* v) override {
    return Record(v, [&] { *v = static_cast<long>(unzip_.FileCRC(i)); return S_OK; });
  }
  STDMETHODIMP get_FileCompressionMethod(long i, BSTR* v) override {
    return Record(v, [&] { return ReturnText(v, unzip_.FileCompressionMethod(i)); });
  }
  STDMETHODIMP get_FileEncrypted(long i, VARIANT_BOOL* v) override {
    return Record(v, [&] { *v = VariantBool(unzip_.FileEncrypted(i)); return S_OK; });
  }
  STDMETHODIMP get_FileSelected(long i, VARIANT_BOOL* v) override {
    return Record(v, [&] { *v = VariantBool(unzip_.FileSelected(i)); return S_OK; });
  }
  STDMETHODIMP put_FileSelected(long i, VARIANT_BOOL v) override {
    return Record(&v, [&] { unzip_.SetFileSelected(i, v != VARIANT_FALSE); return S_OK; });
  }
  STDMETHODIMP Directory(long* result) override {
    return Record(result, [&] { *result = unzip_.Directory(); return S_OK; });
  }
  STDMETHODIMP Unzip(VARIANT_BOOL* result) override {
    return Record(result, [&] { *result = VariantBool(unzip_.Unzip()); return S_OK; });
  }
  STDMETHODIMP put_UnzipFolder(BSTR v) override {
    unzip_.SetUnzipFolder(FromBstr(v));
    return S_OK;
  }
  STDMETHODIMP get_UnzipFolder(BSTR* v) override { return ReturnText(v, unzip_.UnzipFolder()); }
  STDMETHODIMP get_ZipFile(BSTR* v) override { return ReturnText(v, unzip_.ZipFile()); }
  STDMETHODIMP GetVersion(long* lMajor, long* lMinor, long* lRevision, DATE* dDate, BSTR* sExtraInfo) override {
    if (!lMajor || !lMinor || !lRevision || !dDate || !sExtraInfo) return E_POINTER;
    std::int32_t major = 0, minor = 0, revision = 0;
    double date = 0;
    std::string extra;
    unzip_.GetVersion(major, minor, revision, date, extra);
    *lMajor = major;
    *lMinor = minor;
    *lRevision = revision;
    *dDate = date;
    TextOut(sExtraInfo, extra);
    return S_OK;
  }
  STDMETHODIMP put_ZipFile(BSTR v) override {
    unzip_.SetZipFile(FromBstr(v));
    return S_OK;
  }

 private:
  void Raise(DISPID event, VARIANT* arguments, UINT count) {
    Events().Fire(event, arguments, count);
    PumpPendingMessages();
  }

  HRESULT GetBool(VARIANT_BOOL* v, bool (cUnzip::*get)() const) {
    if (!v) return E_POINTER;
    *v = VariantBool((unzip_.*get)());
    return S_OK;
  }
  HRESULT PutBool(VARIANT_BOOL v, void (cUnzip::*set)(bool)) {
    (unzip_.*set)(v != VARIANT_FALSE);
    return S_OK;
  }
  // Sizes beyond what a 32-bit Long holds read as its largest value.
  static HRESULT Size(long* v, std::uint64_t size) {
    *v = static_cast<long>(std::min<std::uint64_t>(size, std::numeric_limits<std::int32_t>::max()));
    return S_OK;
  }
  // The record members raise "Subscript out of range" (9) for a bad index.
  template <class Body>
  HRESULT Record(const void* required, Body&& body) {
    if (!required) return E_POINTER;
    HRESULT result = S_OK;
    HRESULT raised = Guarded(L"cUnzip", kIidUnzip, [&] { result = body(); });
    return FAILED(raised) ? raised : result;
  }

  cUnzip unzip_;
};

}  // namespace

HRESULT CreateUnzip(REFIID riid, void** object) { return CreateObject<UnzipObject>(riid, object); }

}  // namespace quillmere::com
