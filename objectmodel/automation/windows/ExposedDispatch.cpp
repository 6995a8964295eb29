#include "objectmodel/automation/windows/ExposedDispatch.h"

#include <mutex>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "objectmodel/automation/ComError.h"
#include "objectmodel/automation/windows/ClassTypeInfo.h"
#include "objectmodel/automation/windows/ComErrorTranslation.h"
#include "objectmodel/automation/windows/VariantValue.h"
#include "support/text/Text.h"
#include "support/text/Utf16Text.h"

namespace quillmere {
namespace {

constexpr std::string_view kErrorSource = "Quillmere";

// One DISPID per member name (case-insensitive) for the whole process, so that
// a client may cache it per class or per object alike. 0 is DISPID_VALUE.
class MemberIds {
 public:
  DISPID IdOf(const std::string& name) {
    std::lock_guard lock(guard_);
    auto [it, added] = ids_.emplace(LowerAscii(name), static_cast<DISPID>(names_.size() + 1));
    if (added) names_.push_back(name);
    return it->second;
  }
  // The name first asked for with that id; empty for an id never handed out.
  std::string NameOf(DISPID id) {
    std::lock_guard lock(guard_);
    if (id < 1 || static_cast<std::size_t>(id) > names_.size()) return {};
    return names_[static_cast<std::size_t>(id) - 1];
  }

 private:
  std::mutex guard_;
  std::unordered_map<std::string, DISPID> ids_;
  std::vector<std::string> names_;
};

MemberIds& Members() {
  static MemberIds ids;
  return ids;
}

// The objects of ours alive in this process, by address: telling ours from a
// proxy by a query would cost a call into the other process for every object.
std::mutex gLiveGuard;
std::unordered_set<const IUnknown*> gLive;
std::function<void()>& LastReleasedHandler() {
  static std::function<void()> handler;
  return handler;
}

std::string FromWide(const OLECHAR* text) {
  return FromUtf16(reinterpret_cast<const char16_t*>(text));
}

// The kind of call a client's flags ask for; a method call wins over a get
// because Visual Basic sets both when it uses the result.
InvokeKind KindOf(WORD flags) {
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) return InvokeKind::Put;
  if (flags & DISPATCH_METHOD) return InvokeKind::Call;
  return InvokeKind::Get;
}

}  // namespace

ExposedDispatch::ExposedDispatch(std::shared_ptr<Dispatch> object) : object_(std::move(object)) {
  std::lock_guard lock(gLiveGuard);
  gLive.insert(this);
}

ExposedDispatch::~ExposedDispatch() {
  bool last = false;
  {
    std::lock_guard lock(gLiveGuard);
    gLive.erase(this);
    last = gLive.empty();
  }
  if (last && LastReleasedHandler()) LastReleasedHandler()();
}

IDispatch* ExposedDispatch::Expose(std::shared_ptr<Dispatch> object) { return new ExposedDispatch(std::move(object)); }

std::shared_ptr<Dispatch> ExposedDispatch::Unwrap(IUnknown* object) {
  std::lock_guard lock(gLiveGuard);
  // The caller holds a reference, so a live one of ours stays alive here.
  if (!object || !gLive.contains(object)) return nullptr;
  return static_cast<ExposedDispatch*>(static_cast<IDispatch*>(object))->object_;
}

void ExposedDispatch::OnLastReleased(std::function<void()> handler) { LastReleasedHandler() = std::move(handler); }

long ExposedDispatch::LiveCount() {
  std::lock_guard lock(gLiveGuard);
  return static_cast<long>(gLive.size());
}

HRESULT ExposedDispatch::QueryInterface(REFIID riid, void** out) {
  if (!out) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IDispatch) {
    *out = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

ULONG ExposedDispatch::AddRef() { return ++references_; }

ULONG ExposedDispatch::Release() {
  ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

HRESULT ExposedDispatch::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 1;
  return S_OK;
}

HRESULT ExposedDispatch::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  if (index != 0) return DISP_E_BADINDEX;
  try {
    *info = ClassTypeInfo(object_->TypeName());
  } catch (const std::exception&) {
    return E_OUTOFMEMORY;
  }
  return *info ? S_OK : E_NOTIMPL;
}

HRESULT ExposedDispatch::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  if (!names || !ids || count == 0) return E_INVALIDARG;
  try {
    ids[0] = Members().IdOf(FromWide(names[0]));
  } catch (const std::exception&) {
    return E_OUTOFMEMORY;
  }
  // Our members take positional arguments only.
  for (UINT i = 1; i < count; ++i) ids[i] = DISPID_UNKNOWN;
  return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
}

HRESULT ExposedDispatch::Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                EXCEPINFO* exception, UINT*) {
  if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  if (!params) return E_INVALIDARG;
  const InvokeKind kind = KindOf(flags);
  // A put names its new value DISPID_PROPERTYPUT and lists it first; nothing else is named.
  const UINT named = kind == InvokeKind::Put ? 1 : 0;
  if (params->cNamedArgs != named || params->cArgs < named) return DISP_E_BADPARAMCOUNT;
  if (named && params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT) return DISP_E_PARAMNOTFOUND;
  try {
    std::string member = Members().NameOf(id);
    if (member.empty()) return DISP_E_MEMBERNOTFOUND;
    std::vector<Value> args;
    args.reserve(params->cArgs);
    for (UINT i = params->cArgs; i > named; --i) args.push_back(ValueFromVariant(params->rgvarg[i - 1]));
    if (named) args.push_back(ValueFromVariant(params->rgvarg[0]));
    Value answer = object_->Invoke(kind, member, args);
    if (result) ValueToVariant(answer, *result, EmptyValue::Empty);
    return S_OK;
  } catch (const ComError& error) {
    return RaiseInExcepInfo(error, kErrorSource, exception);
  } catch (const std::exception& error) {
    return RaiseInExcepInfo(ComError(hr::kUnspecified, error.what()), kErrorSource, exception);
  }
}

}  // namespace quillmere
