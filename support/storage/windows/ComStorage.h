#pragma once
// Structured storage through ole32, for the readers of compound files (project archives,
// old PowerPoint files).

#include <objbase.h>

#include <cstdint>
#include <string>
#include <vector>

namespace quillmere {

// Owns one reference to a COM object.
template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() { Reset(); }
  ComPtr(ComPtr&& other) noexcept : object_(other.object_) { other.object_ = nullptr; }
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      Reset();
      object_ = other.object_;
      other.object_ = nullptr;
    }
    return *this;
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;

  T* Get() const { return object_; }
  T* operator->() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }
  // For the out-parameter of a call; drops what was held.
  T** Receive() {
    Reset();
    return &object_;
  }
  void Reset() {
    if (object_) object_->Release();
    object_ = nullptr;
  }

 private:
  T* object_ = nullptr;
};

// Opens the compound file read-only, denying writers while it is open.
HRESULT OpenCompoundFile(const std::string& path, ComPtr<IStorage>& storage);

struct StorageElement {
  std::u16string name;
  bool isStorage = false;
  std::uint64_t size = 0;  // of a stream
};

// The storage's elements in the order the file lists them.
HRESULT ListElements(IStorage* storage, std::vector<StorageElement>& elements);

// The stream's bytes at offset; false when fewer are there.
bool ReadStreamAt(IStream* stream, std::uint64_t offset, void* buffer, ULONG size);

}  // namespace quillmere
