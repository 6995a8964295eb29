#include "support/text/windows/WideText.h"

#include <windows.h>

#include "support/text/Utf16Text.h"

namespace quillmere {

std::wstring Wide(std::string_view utf8) {
  std::u16string text = ToUtf16(utf8);
  return std::wstring(text.begin(), text.end());
}

std::string Narrow(std::wstring_view wide) {
  return FromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}

std::string AnsiText(std::string_view utf8) {
  std::wstring wide = Wide(utf8);
  if (wide.empty()) return {};
  int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string ansi(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
  if (size > 0)
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), ansi.data(), size, nullptr, nullptr);
  return ansi;
}

}  // namespace quillmere
