#include "support/platform/Clipboard.h"

#include <windows.h>

#include <cstring>

namespace quillmere {
namespace {

HWND Window(void* window) { return static_cast<HWND>(window); }

}  // namespace

CustomClipboard::~CustomClipboard() { ClipboardClose(); }

ClipboardFormat CustomClipboard::AddFormat(std::string_view name) {
  return RegisterClipboardFormatA(std::string(name).c_str());
}

// A window of our own opens the clipboard: with none, emptying it leaves no owner and setting data fails.
bool CustomClipboard::ClipboardOpen() {
  if (open_) return true;
  HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  if (!window) return false;
  if (!OpenClipboard(window)) {
    DestroyWindow(window);
    return false;
  }
  window_ = window;
  open_ = true;
  return true;
}

void CustomClipboard::ClipboardClose() {
  if (!open_) return;
  CloseClipboard();
  DestroyWindow(Window(window_));
  window_ = nullptr;
  open_ = false;
}

bool CustomClipboard::ClearClipboard() { return open_ && EmptyClipboard(); }

bool CustomClipboard::IsDataAvailableForFormat(ClipboardFormat format) const {
  return IsClipboardFormatAvailable(format);
}

// The bytes up to the first NUL: text formats end in one, inside a block that may be larger.
std::optional<std::string> CustomClipboard::GetTextData(ClipboardFormat format) const {
  if (!open_) return std::nullopt;
  HANDLE data = GetClipboardData(format);
  if (!data) return std::nullopt;
  const char* bytes = static_cast<const char*>(GlobalLock(data));
  if (!bytes) return std::nullopt;
  std::string text(bytes, strnlen(bytes, GlobalSize(data)));
  GlobalUnlock(data);
  return text;
}

bool CustomClipboard::SetTextData(ClipboardFormat format, std::string_view text) {
  if (!open_) return false;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (!block) return false;
  char* bytes = static_cast<char*>(GlobalLock(block));
  std::memcpy(bytes, text.data(), text.size());
  bytes[text.size()] = '\0';
  GlobalUnlock(block);
  if (SetClipboardData(format, block)) return true;  // the clipboard owns the block now
  GlobalFree(block);
  return false;
}

}  // namespace quillmere
