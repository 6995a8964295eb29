#include "support/storage/windows/ComStorage.h"

#include "support/text/windows/WideText.h"

namespace quillmere {
HRESULT OpenCompoundFile(const std::string& path, ComPtr<IStorage>& storage) {
  std::wstring wide = Wide(path);
  return StgOpenStorage(wide.c_str(), nullptr, STGM_READ | STGM_SHARE_DENY_WRITE, nullptr, 0, storage.Receive());
}

HRESULT ListElements(IStorage* storage, std::vector<StorageElement>& elements) {
  elements.clear();
  ComPtr<IEnumSTATSTG> enumerator;
  HRESULT status = storage->EnumElements(0, nullptr, 0, enumerator.Receive());
  if (FAILED(status)) return status;
  STATSTG stat{};
  while ((status = enumerator->Next(1, &stat, nullptr)) == S_OK) {
    StorageElement element;
    if (stat.pwcsName) element.name = reinterpret_cast<const char16_t*>(stat.pwcsName);
    element.isStorage = stat.type == STGTY_STORAGE;
    element.size = stat.cbSize.QuadPart;
    CoTaskMemFree(stat.pwcsName);
    elements.push_back(std::move(element));
  }
  return FAILED(status) ? status : S_OK;
}

bool ReadStreamAt(IStream* stream, std::uint64_t offset, void* buffer, ULONG size) {
  LARGE_INTEGER at{};
  at.QuadPart = static_cast<LONGLONG>(offset);
  ULONG read = 0;
  return SUCCEEDED(stream->Seek(at, STREAM_SEEK_SET, nullptr)) && SUCCEEDED(stream->Read(buffer, size, &read)) &&
         read == size;
}

}  // namespace quillmere
