#include "com/server/DispatchObject.h"

namespace quillmere::com {

HRESULT EmbeddedTypeInfo(REFGUID guid, bool vtableView, ITypeInfo** info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  // The loader keeps loaded libraries cached, so each object asking again is cheap.
  Microsoft::WRL::ComPtr<ITypeLib> library;
  HRESULT result = LoadTypeLibEx(ModulePath().c_str(), REGKIND_NONE, &library);
  if (FAILED(result)) return result;
  Microsoft::WRL::ComPtr<ITypeInfo> found;
  result = library->GetTypeInfoOfGuid(guid, &found);
  if (FAILED(result)) return result;
  HREFTYPE vtableRef = 0;
  if (vtableView && SUCCEEDED(found->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtableRef))) {
    return found->GetRefTypeInfo(vtableRef, info);
  }
  *info = found.Detach();
  return S_OK;
}

}  // namespace quillmere::com
