#include "support/storage/CompoundFileNames.h"

#include <cctype>
#include <memory>

#include <glib.h>

#include "support/text/Utf16Units.h"

namespace quillmere {
namespace {

constexpr std::size_t kShortBaseLength = 8;
constexpr std::size_t kShortExtensionLength = 3;

// The ASCII letters and digits of the text, upper-cased, at most `limit` of them.
std::string UpperAlphanumerics(std::string_view text, std::size_t limit) {
  std::string out;
  for (unsigned char c : text) {
    if (out.size() == limit) break;
    if (std::isalnum(c) && c < 0x80) out += static_cast<char>(std::toupper(c));
  }
  return out;
}

}  // namespace

bool StorableName(std::string_view name, std::string* why) {
  const char* reason = nullptr;
  std::size_t units = Utf16Length(name);
  if (units == 0)
    reason = "the name is empty";
  else if (units > kMaxStoredNameUnits)
    reason = "the name is longer than 31 characters";
  else if (name.find_first_of("/\\:!") != std::string_view::npos)
    reason = "the name holds one of / \\ : !";
  if (reason && why) *why = reason;
  return reason == nullptr;
}

std::string StoredNameKey(std::string_view name) {
  if (!g_utf8_validate_len(name.data(), name.size(), nullptr)) return std::string(name);
  std::unique_ptr<gchar, decltype(&g_free)> upper(g_utf8_strup(name.data(), static_cast<gssize>(name.size())), g_free);
  return upper ? std::string(upper.get()) : std::string(name);
}

std::string MakeShortName(std::string_view longName, const std::function<bool(const std::string&)>& taken) {
  std::size_t dot = longName.rfind('.');
  std::string base = UpperAlphanumerics(longName.substr(0, dot), kShortBaseLength);
  std::string extension;
  if (dot != std::string_view::npos) extension = UpperAlphanumerics(longName.substr(dot + 1), kShortExtensionLength);
  if (base.empty()) base = "F";
  for (unsigned number = 1;; ++number) {
    std::string tail = "~" + std::to_string(number);
    std::size_t keep = tail.size() < kShortBaseLength ? kShortBaseLength - tail.size() : 1;
    std::string name = base.substr(0, keep) + tail + (extension.empty() ? "" : "." + extension);
    if (!taken(name)) return name;
  }
}

}  // namespace quillmere
