#include "objectmodel/automation/windows/ComDispatch.h"

#include "objectmodel/automation/ComError.h"
#include "objectmodel/automation/windows/ComErrorTranslation.h"
#include "objectmodel/automation/windows/ExposedDispatch.h"
#include "objectmodel/automation/windows/VariantValue.h"
#include "support/text/Text.h"

namespace quillmere {

std::shared_ptr<ComDispatch> ComDispatch::Adopt(IDispatch* dispatch) {
  return std::shared_ptr<ComDispatch>(new ComDispatch(dispatch));
}

ComDispatch::~ComDispatch() {
  if (dispatch_) dispatch_->Release();
}

IDispatch* ComDispatch::Interface(const std::shared_ptr<Dispatch>& object) {
  if (auto* com = dynamic_cast<ComDispatch*>(object.get())) {
    com->dispatch_->AddRef();
    return com->dispatch_;
  }
  return ExposedDispatch::Expose(object);
}

DISPID ComDispatch::IdOf(std::string_view member) {
  std::string key = LowerAscii(member);
  if (auto it = ids_.find(key); it != ids_.end()) return it->second;
  BSTR name = ToBstr(member);
  DISPID id = DISPID_UNKNOWN;
  HRESULT result = dispatch_->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
  SysFreeString(name);
  ThrowIfFailed(result);
  ids_.emplace(std::move(key), id);
  return id;
}

Value ComDispatch::Invoke(InvokeKind kind, std::string_view member, Args args) {
  if (!dispatch_) throw ComError(hr::kObjectNotSet, "Object variable or With block variable not set");
  DISPID id = IdOf(member);
  // DISPPARAMS lists the arguments last first; a put's new value is the named argument.
  VariantList argv(args.size());
  for (std::size_t i = 0; i < args.size(); ++i)
    ValueToVariant(args[args.size() - 1 - i], argv[i], EmptyValue::MissingArgument);
  DISPID putId = DISPID_PROPERTYPUT;
  DISPPARAMS params{argv.Data(), nullptr, static_cast<UINT>(args.size()), 0};
  WORD flags = DISPATCH_PROPERTYGET;
  if (kind == InvokeKind::Call) flags = DISPATCH_METHOD | DISPATCH_PROPERTYGET;
  if (kind == InvokeKind::Put) {
    flags = DISPATCH_PROPERTYPUT;
    params.rgdispidNamedArgs = &putId;
    params.cNamedArgs = 1;
  }
  VariantList result(1);
  EXCEPINFO info{};
  UINT argError = 0;
  HRESULT hr = dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                 kind == InvokeKind::Put ? nullptr : &result[0], &info, &argError);
  if (FAILED(hr)) throw ErrorFromInvoke(hr, info);
  return ValueFromVariant(result[0]);
}

std::string_view ComDispatch::TypeName() const {
  if (typeName_) return *typeName_;
  typeName_.emplace();
  ITypeInfo* info = nullptr;
  if (dispatch_ && SUCCEEDED(dispatch_->GetTypeInfo(0, LOCALE_USER_DEFAULT, &info)) && info) {
    BSTR name = nullptr;
    if (SUCCEEDED(info->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr))) {
      *typeName_ = FromBstr(name);
      SysFreeString(name);
    }
    info->Release();
  }
  if (!typeName_->empty() && typeName_->front() == '_') typeName_->erase(0, 1);
  // Without type information Visual Basic calls every object this.
  if (typeName_->empty()) *typeName_ = "Object";
  return *typeName_;
}

}  // namespace quillmere
