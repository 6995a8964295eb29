#include "support/platform/Clipboard.h"

#include <map>
#include <mutex>

namespace quillmere {
namespace {

// Registered formats start where the desktop's do, above the built-in ones.
constexpr ClipboardFormat kFirstRegisteredFormat = 0xC000;

struct ClipboardStore {
  std::mutex mutex;
  std::map<std::string, ClipboardFormat, std::less<>> formats;
  std::map<ClipboardFormat, std::string> data;
  const CustomClipboard* holder = nullptr;
};

ClipboardStore& Store() {
  static ClipboardStore store;
  return store;
}

}  // namespace

CustomClipboard::~CustomClipboard() { ClipboardClose(); }

ClipboardFormat CustomClipboard::AddFormat(std::string_view name) {
  ClipboardStore& s = Store();
  std::lock_guard lock(s.mutex);
  auto it = s.formats.find(name);
  if (it != s.formats.end()) return it->second;
  ClipboardFormat format = kFirstRegisteredFormat + static_cast<ClipboardFormat>(s.formats.size());
  s.formats.emplace(std::string(name), format);
  return format;
}

bool CustomClipboard::ClipboardOpen() {
  ClipboardStore& s = Store();
  std::lock_guard lock(s.mutex);
  if (s.holder && s.holder != this) return false;
  s.holder = this;
  open_ = true;
  return true;
}

void CustomClipboard::ClipboardClose() {
  if (!open_) return;
  ClipboardStore& s = Store();
  std::lock_guard lock(s.mutex);
  s.holder = nullptr;
  open_ = false;
}

bool CustomClipboard::ClearClipboard() {
  if (!open_) return false;
  ClipboardStore& s = Store();
  std::lock_guard lock(s.mutex);
  s.data.clear();
  return true;
}

bool CustomClipboard::IsDataAvailableForFormat(ClipboardFormat format) const {
  ClipboardStore& s = Store();
  std::lock_guard lock(s.mutex);
  return s.data.contains(format);
}

std::optional<std::string> CustomClipboard::GetTextData(ClipboardFormat format) const {
  if (!open_) return std::nullopt;
  ClipboardStore& s = Store();
  std::lock_guard lock(s.mutex);
  auto it = s.data.find(format);
  if (it == s.data.end()) return std::nullopt;
  return it->second;
}

bool CustomClipboard::SetTextData(ClipboardFormat format, std::string_view text) {
  if (!open_) return false;
  ClipboardStore& s = Store();
  std::lock_guard lock(s.mutex);
  s.data[format] = std::string(text);
  return true;
}

}  // namespace quillmere
