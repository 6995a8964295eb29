#pragma once
// The clipboard by format, as the text export reads it after the presentation
// copied some text: formats are registered by name, the clipboard is opened by
// one holder at a time, and emptying it drops every format at once.
// Windows: the desktop clipboard. Linux has no desktop clipboard here, so the
// process keeps one of its own with the same rules.

#include <optional>
#include <string>
#include <string_view>

namespace quillmere {

using ClipboardFormat = unsigned;

class CustomClipboard {
 public:
  CustomClipboard() = default;
  CustomClipboard(const CustomClipboard&) = delete;
  CustomClipboard& operator=(const CustomClipboard&) = delete;
  // An open clipboard is closed when its holder goes.
  ~CustomClipboard();

  // The identifier of a format name; the same name always gets the same one.
  ClipboardFormat AddFormat(std::string_view name);

  // False while another holder has the clipboard open.
  bool ClipboardOpen();
  void ClipboardClose();
  // Drops all data; the clipboard must be open.
  bool ClearClipboard();

  bool IsDataAvailableForFormat(ClipboardFormat format) const;
  // The data of a format as text, when there is any; the clipboard must be open.
  std::optional<std::string> GetTextData(ClipboardFormat format) const;
  // Replaces the data of one format; the clipboard must be open.
  bool SetTextData(ClipboardFormat format, std::string_view text);

 private:
  bool open_ = false;
#ifdef _WIN32
  void* window_ = nullptr;  // the hidden window that holds the clipboard while it is open
#endif
};

// The format rich text travels in.
inline constexpr std::string_view kRichTextFormat = "Rich Text Format";

}  // namespace quillmere
