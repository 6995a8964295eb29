#include "com/typelib/TypeLibraryWriter.h"

#include <oleauto.h>
#include <wrl/client.h>

#include <deque>
#include <map>
#include <string>
#include <vector>

namespace quillmere::com::typelib {
namespace {

using Microsoft::WRL::ComPtr;

struct Failure {
  HRESULT hr;
  std::string step;
};

void Check(HRESULT hr, std::string step) {
  if (FAILED(hr)) throw Failure{hr, std::move(step)};
}

std::string Narrow(const wchar_t* text) {
  std::string out;
  for (; *text; ++text) out += static_cast<char>(*text < 128 ? *text : '?');
  return out;
}

// Builds the type descriptions of one type info; the descriptions point into
// storage that lives until the type info has copied them.
class TypeInfoBuilder {
 public:
  TypeInfoBuilder(ICreateTypeInfo* info, const std::map<std::wstring, ITypeInfo*>& enumerations)
      : info_(info), enumerations_(enumerations) {}
  ~TypeInfoBuilder() {
    for (PARAMDESCEX& d : defaults_) VariantClear(&d.varDefaultValue);
  }
  TypeInfoBuilder(const TypeInfoBuilder&) = delete;
  TypeInfoBuilder& operator=(const TypeInfoBuilder&) = delete;

  void AddFunction(UINT index, const Member& member, bool dispatchOnly) {
    std::vector<ELEMDESC> params;
    for (const Param& p : member.params) params.push_back(Element(p));
    FUNCDESC desc{};
    desc.memid = member.dispid;
    desc.lprgelemdescParam = params.empty() ? nullptr : params.data();
    desc.funckind = dispatchOnly ? FUNC_DISPATCH : FUNC_PUREVIRTUAL;
    desc.invkind = member.kind == MemberKind::Get   ? INVOKE_PROPERTYGET
                   : member.kind == MemberKind::Put ? INVOKE_PROPERTYPUT
                                                    : INVOKE_FUNC;
    desc.callconv = CC_STDCALL;
    desc.cParams = static_cast<SHORT>(params.size());
    desc.cParamsOpt = member.varargs ? -1 : 0;
    desc.elemdescFunc.tdesc.vt = dispatchOnly ? VT_VOID : VT_HRESULT;
    std::string what = Narrow(member.name);
    Check(info_->AddFuncDesc(index, &desc), "AddFuncDesc " + what);
    std::vector<const wchar_t*> names = Names(member);
    Check(info_->SetFuncAndParamNames(index, const_cast<LPOLESTR*>(names.data()), static_cast<UINT>(names.size())),
          "SetFuncAndParamNames " + what);
  }

 private:
  // The member's name, then its parameters' names; a result has none, and
  // neither has the value of a property put.
  static std::vector<const wchar_t*> Names(const Member& member) {
    std::vector<const wchar_t*> names{member.name};
    for (std::size_t i = 0; i < member.params.size(); ++i) {
      const Param& p = member.params[i];
      bool putValue = member.kind == MemberKind::Put && i + 1 == member.params.size();
      if (p.pass != Pass::Retval && !putValue) names.push_back(p.name);
    }
    return names;
  }

  TYPEDESC BaseType(Type type) {
    TYPEDESC desc{};
    switch (type) {
      case Type::Void: desc.vt = VT_VOID; break;
      case Type::Long: desc.vt = VT_I4; break;
      case Type::Bool: desc.vt = VT_BOOL; break;
      case Type::Bstr: desc.vt = VT_BSTR; break;
      case Type::Date: desc.vt = VT_DATE; break;
      case Type::Variant: desc.vt = VT_VARIANT; break;
      case Type::Object: desc.vt = VT_DISPATCH; break;
      case Type::ByteArray: return ArrayOf(VT_UI1);
      case Type::StringArray: return ArrayOf(VT_BSTR);
      case Type::VariantArray: return ArrayOf(VT_VARIANT);
      case Type::MsgLevel:
      case Type::OverwriteResponse: {
        const wchar_t* name = EnumerationName(type);
        HREFTYPE ref = 0;
        Check(info_->AddRefTypeInfo(enumerations_.at(name), &ref), "AddRefTypeInfo " + Narrow(name));
        desc.vt = VT_USERDEFINED;
        desc.hreftype = ref;
        break;
      }
    }
    return desc;
  }

  TYPEDESC ArrayOf(VARTYPE element) {
    TYPEDESC& inner = types_.emplace_back();
    inner.vt = element;
    TYPEDESC desc{};
    desc.vt = VT_SAFEARRAY;
    desc.lptdesc = &inner;
    return desc;
  }

  ELEMDESC Element(const Param& p) {
    ELEMDESC elem{};
    elem.tdesc = BaseType(p.type);
    if (p.pass != Pass::In) {
      TYPEDESC& pointee = types_.emplace_back(elem.tdesc);
      elem.tdesc = TYPEDESC{};
      elem.tdesc.vt = VT_PTR;
      elem.tdesc.lptdesc = &pointee;
    }
    USHORT flags = p.pass == Pass::In ? PARAMFLAG_FIN
                   : p.pass == Pass::InOut ? PARAMFLAG_FIN | PARAMFLAG_FOUT
                                           : PARAMFLAG_FOUT | PARAMFLAG_FRETVAL;
    if (p.optional) flags |= PARAMFLAG_FOPT;
    if (p.value.kind != Default::Kind::None) {
      flags |= PARAMFLAG_FHASDEFAULT;
      PARAMDESCEX& ex = defaults_.emplace_back();
      ex.cBytes = sizeof(PARAMDESCEX);
      VariantInit(&ex.varDefaultValue);
      switch (p.value.kind) {
        case Default::Kind::Long:
          V_VT(&ex.varDefaultValue) = VT_I4;
          V_I4(&ex.varDefaultValue) = p.value.number;
          break;
        case Default::Kind::Bool:
          V_VT(&ex.varDefaultValue) = VT_BOOL;
          V_BOOL(&ex.varDefaultValue) = p.value.number ? VARIANT_TRUE : VARIANT_FALSE;
          break;
        case Default::Kind::Text:
          V_VT(&ex.varDefaultValue) = VT_BSTR;
          V_BSTR(&ex.varDefaultValue) = SysAllocString(p.value.text);
          break;
        case Default::Kind::None:
          break;
      }
      elem.paramdesc.pparamdescex = &ex;
    }
    elem.paramdesc.wParamFlags = flags;
    return elem;
  }

  ICreateTypeInfo* info_;
  const std::map<std::wstring, ITypeInfo*>& enumerations_;
  std::deque<TYPEDESC> types_;
  std::deque<PARAMDESCEX> defaults_;
};

class LibraryWriter {
 public:
  LibraryWriter(const Library& library, ICreateTypeLib2* lib) : library_(library), lib_(lib) {}
  ~LibraryWriter() {
    for (ICreateTypeInfo* info : created_) info->Release();
  }
  LibraryWriter(const LibraryWriter&) = delete;
  LibraryWriter& operator=(const LibraryWriter&) = delete;

  void Write() {
    Check(lib_->SetName(const_cast<LPOLESTR>(library_.name)), "SetName");
    Check(lib_->SetGuid(library_.libid), "SetGuid");
    Check(lib_->SetVersion(library_.majorVersion, library_.minorVersion), "SetVersion");
    Check(lib_->SetLcid(LOCALE_NEUTRAL), "SetLcid");
    ComPtr<ITypeLib> stdole;
    Check(LoadTypeLib(L"stdole2.tlb", &stdole), "LoadTypeLib stdole2.tlb");
    Check(stdole->GetTypeInfoOfGuid(IID_IDispatch, &dispatch_), "IDispatch type info");

    for (const Enumeration& e : library_.enumerations) AddEnumeration(e);
    for (const Interface& i : library_.interfaces) AddInterface(i);
    for (const Coclass& c : library_.coclasses) AddCoclass(c);
    for (ICreateTypeInfo* info : created_) Check(info->LayOut(), "LayOut");
    Check(lib_->SaveAllChanges(), "SaveAllChanges");
  }

 private:
  ICreateTypeInfo* Create(const wchar_t* name, TYPEKIND kind) {
    ICreateTypeInfo* info = nullptr;
    Check(lib_->CreateTypeInfo(const_cast<LPOLESTR>(name), kind, &info), "CreateTypeInfo " + Narrow(name));
    created_.push_back(info);
    ITypeInfo* view = nullptr;
    Check(info->QueryInterface(IID_ITypeInfo, reinterpret_cast<void**>(&view)), "ITypeInfo " + Narrow(name));
    view->Release();  // the created info keeps it alive
    byName_[name] = view;
    return info;
  }

  void AddEnumeration(const Enumeration& e) {
    ICreateTypeInfo* info = Create(e.name, TKIND_ENUM);
    UINT index = 0;
    for (const Enumerator& value : e.values) {
      VARIANT constant;
      V_VT(&constant) = VT_I4;
      V_I4(&constant) = value.value;
      VARDESC desc{};
      desc.memid = static_cast<MEMBERID>(0x40000000 + index);
      desc.lpvarValue = &constant;
      desc.elemdescVar.tdesc.vt = VT_I4;
      desc.varkind = VAR_CONST;
      std::string what = Narrow(value.name);
      Check(info->AddVarDesc(index, &desc), "AddVarDesc " + what);
      Check(info->SetVarName(index, const_cast<LPOLESTR>(value.name)), "SetVarName " + what);
      ++index;
    }
  }

  void AddInterface(const Interface& i) {
    bool dual = i.kind == InterfaceKind::Dual;
    ICreateTypeInfo* info = Create(i.name, dual ? TKIND_INTERFACE : TKIND_DISPATCH);
    std::string what = Narrow(i.name);
    Check(info->SetGuid(i.iid), "SetGuid " + what);
    Check(info->SetVersion(i.majorVersion, i.minorVersion), "SetVersion " + what);
    WORD flags = dual ? TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FOLEAUTOMATION
                      : TYPEFLAG_FHIDDEN;
    Check(info->SetTypeFlags(flags), "SetTypeFlags " + what);
    HREFTYPE base = 0;
    Check(info->AddRefTypeInfo(dispatch_.Get(), &base), "AddRefTypeInfo IDispatch");
    Check(info->AddImplType(0, base), "AddImplType " + what);
    TypeInfoBuilder builder(info, byName_);
    UINT index = 0;
    for (const Member& m : i.members) builder.AddFunction(index++, m, !dual);
  }

  void AddCoclass(const Coclass& c) {
    ICreateTypeInfo* info = Create(c.name, TKIND_COCLASS);
    std::string what = Narrow(c.name);
    Check(info->SetGuid(c.clsid), "SetGuid " + what);
    Check(info->SetTypeFlags(c.typeFlags), "SetTypeFlags " + what);
    Implement(info, 0, c.defaultInterface, IMPLTYPEFLAG_FDEFAULT);
    if (c.sourceInterface) Implement(info, 1, c.sourceInterface, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE);
  }

  void Implement(ICreateTypeInfo* info, UINT index, const wchar_t* name, INT flags) {
    HREFTYPE ref = 0;
    Check(info->AddRefTypeInfo(byName_.at(name), &ref), "AddRefTypeInfo " + Narrow(name));
    Check(info->AddImplType(index, ref), "AddImplType " + Narrow(name));
    Check(info->SetImplTypeFlags(index, flags), "SetImplTypeFlags " + Narrow(name));
  }

  const Library& library_;
  ICreateTypeLib2* lib_;
  ComPtr<ITypeInfo> dispatch_;
  std::vector<ICreateTypeInfo*> created_;
  std::map<std::wstring, ITypeInfo*> byName_;
};

}  // namespace

HRESULT WriteTypeLibrary(const Library& library, const std::wstring& path, SYSKIND syskind, std::string& error) {
  try {
    ComPtr<ICreateTypeLib2> lib;
    Check(CreateTypeLib2(syskind, path.c_str(), &lib), "CreateTypeLib2");
    LibraryWriter(library, lib.Get()).Write();
    return S_OK;
  } catch (const Failure& failure) {
    error = failure.step;
    return failure.hr;
  }
}

}  // namespace quillmere::com::typelib
