#include "com/server/OmittedArguments.h"

namespace quillmere::com {
namespace {

// The function description of a method, or nullptr; the caller releases it.
FUNCDESC* MethodDescription(ITypeInfo* info, DISPID member) {
  TYPEATTR* attributes = nullptr;
  if (FAILED(info->GetTypeAttr(&attributes))) return nullptr;
  const WORD functions = attributes->cFuncs;
  info->ReleaseTypeAttr(attributes);
  for (WORD i = 0; i < functions; ++i) {
    FUNCDESC* description = nullptr;
    if (FAILED(info->GetFuncDesc(i, &description))) continue;
    if (description->memid == member && description->invkind == INVOKE_FUNC) return description;
    info->ReleaseFuncDesc(description);
  }
  return nullptr;
}

bool IsDefaultedText(const ELEMDESC& parameter) {
  const PARAMDESC& desc = parameter.paramdesc;
  return (desc.wParamFlags & PARAMFLAG_FOPT) && (desc.wParamFlags & PARAMFLAG_FHASDEFAULT) && desc.pparamdescex &&
         V_VT(&desc.pparamdescex->varDefaultValue) == VT_BSTR && parameter.tdesc.vt == VT_PTR &&
         parameter.tdesc.lptdesc->vt == VT_BSTR;
}

}  // namespace

OmittedArguments::~OmittedArguments() {
  for (BSTR text : texts_) SysFreeString(text);
}

DISPPARAMS* OmittedArguments::Complete(ITypeInfo* info, DISPID member, WORD flags, DISPPARAMS* given) {
  if (!info || !given || !(flags & DISPATCH_METHOD) || given->cNamedArgs != 0) return given;
  FUNCDESC* description = MethodDescription(info, member);
  if (!description) return given;
  // The retval slot is the method's result, not an argument the caller passes.
  UINT parameters = static_cast<UINT>(description->cParams);
  if (parameters > 0 && (description->lprgelemdescParam[parameters - 1].paramdesc.wParamFlags & PARAMFLAG_FRETVAL))
    --parameters;
  bool fillable = given->cArgs < parameters;
  for (UINT p = given->cArgs; fillable && p < parameters; ++p)
    fillable = IsDefaultedText(description->lprgelemdescParam[p]);
  if (fillable) {
    // Arguments arrive last first: the defaults of the last parameters lead.
    texts_.reserve(parameters - given->cArgs);
    for (UINT p = parameters; p-- > given->cArgs;)
      texts_.push_back(
          SysAllocString(V_BSTR(&description->lprgelemdescParam[p].paramdesc.pparamdescex->varDefaultValue)));
    arguments_.resize(texts_.size());
    for (size_t i = 0; i < texts_.size(); ++i) {
      V_VT(&arguments_[i]) = VT_BYREF | VT_BSTR;
      V_BSTRREF(&arguments_[i]) = &texts_[i];
    }
    arguments_.insert(arguments_.end(), given->rgvarg, given->rgvarg + given->cArgs);
    completed_.rgvarg = arguments_.data();
    completed_.cArgs = static_cast<UINT>(arguments_.size());
  }
  info->ReleaseFuncDesc(description);
  return fillable ? &completed_ : given;
}

}  // namespace quillmere::com
