#include "objectmodel/automation/windows/ClassTypeInfo.h"

#include <map>
#include <mutex>
#include <string>

#include "objectmodel/automation/windows/VariantValue.h"

namespace quillmere {
namespace {

// One in-memory library holds every class name asked for; it is never saved.
ICreateTypeLib2* NamesLibrary() {
  static ICreateTypeLib2* library = [] {
    ICreateTypeLib2* created = nullptr;
    if (FAILED(CreateTypeLib2(sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32, L"QuillmereClassNames.tlb", &created)))
      return static_cast<ICreateTypeLib2*>(nullptr);
    return created;
  }();
  return library;
}

}  // namespace

ITypeInfo* ClassTypeInfo(std::string_view typeName) {
  static std::mutex guard;
  // Kept for the life of the process, like the type information of a registered library.
  static std::map<std::string, ITypeInfo*, std::less<>> byName;
  std::lock_guard lock(guard);
  ITypeInfo* info = nullptr;
  if (auto it = byName.find(typeName); it != byName.end()) {
    info = it->second;
  } else if (ICreateTypeLib2* library = NamesLibrary()) {
    ICreateTypeInfo* created = nullptr;
    BSTR name = ToBstr(typeName);
    HRESULT result = library->CreateTypeInfo(name, TKIND_DISPATCH, &created);
    SysFreeString(name);
    if (FAILED(result)) return nullptr;
    result = created->QueryInterface(IID_ITypeInfo, reinterpret_cast<void**>(&info));
    created->Release();
    if (FAILED(result)) return nullptr;
    byName.emplace(std::string(typeName), info);
  }
  if (info) info->AddRef();
  return info;
}

}  // namespace quillmere
