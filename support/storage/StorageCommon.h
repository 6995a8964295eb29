#pragma once
// What the Linux and Windows readers of project archives share: the table of
// open handles, the limits every open archive keeps to, and the copy of a
// stream to disk.

#include <cstdint>
#include <ctime>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <variant>

#include "support/storage/ProjectStorage.h"

namespace quillmere::storage {

inline constexpr std::size_t kCopyChunk = 64 * 1024;
// The root's entry, and the spare slots of a last 4096-byte directory sector.
inline constexpr std::uint64_t kDirectorySlack = 32;

// What one open archive may still yield; it starts as the archive file's size.
struct Budget {
  std::uint64_t bytesLeft = 0;
};

// Writes a stream of size bytes to destinationPath through a temporary file in
// its folder (see ReadFile); read(buffer, n) gives the next n bytes, false when
// the stream's data is damaged. The file takes the time modified.
std::int32_t CopyStreamTo(const std::string& destinationPath, std::uint64_t size,
                          const std::function<bool(char* buffer, std::size_t n)>& read, std::time_t modified);

// Every open folder and enumeration of the process under a 32-bit number. The
// objects are handed out as shared pointers so that no call holds the lock
// while it reads or writes.
template <class... Objects>
class HandleTable {
 public:
  using Entry = std::variant<std::shared_ptr<Objects>...>;

  Handle Add(Entry entry) {
    std::lock_guard lock(mutex_);
    do next_ = next_ == INT32_MAX ? 1 : next_ + 1;
    while (entries_.count(next_) != 0);
    entries_.emplace(next_, std::move(entry));
    return next_;
  }

  template <class T>
  std::shared_ptr<T> Find(Handle handle) {
    std::lock_guard lock(mutex_);
    auto found = entries_.find(handle);
    if (found == entries_.end()) return nullptr;
    auto* object = std::get_if<std::shared_ptr<T>>(&found->second);
    return object ? *object : nullptr;
  }

  template <class T>
  bool Remove(Handle handle) {
    std::lock_guard lock(mutex_);
    auto found = entries_.find(handle);
    if (found == entries_.end() || !std::holds_alternative<std::shared_ptr<T>>(found->second)) return false;
    entries_.erase(found);
    return true;
  }

 private:
  std::mutex mutex_;
  std::map<Handle, Entry> entries_;
  Handle next_ = 0;
};

}  // namespace quillmere::storage
