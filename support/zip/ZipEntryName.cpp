#include "support/zip/ZipEntryName.h"

namespace quillmere {
namespace {

bool Refuse(std::string* why, const char* reason) {
  if (why) *why = reason;
  return false;
}

bool Acceptable(std::string_view name, std::string* why) {
  if (name.empty()) return Refuse(why, "the name is empty");
  for (unsigned char c : name)
    if (c < 0x20 || c == 0x7f) return Refuse(why, "the name holds a control character");
  if (name.front() == '/' || name.front() == '\\') return Refuse(why, "the name is an absolute path");
  // "C:x" is relative to drive C's current folder on Windows; refused like an absolute path.
  if (name.size() >= 2 && name[1] == ':') return Refuse(why, "the name starts with a drive letter");
  return true;
}

}  // namespace

std::optional<std::vector<std::string>> SafeEntryPath(std::string_view name, std::string* why) {
  if (!Acceptable(name, why)) return std::nullopt;
  std::vector<std::string> segments;
  std::string segment;
  auto close = [&](bool last) {
    if (segment == "..") return Refuse(why, "the name climbs out of its folder");
    if ((!segment.empty() && segment != ".") || last) segments.push_back(segment == "." ? std::string() : segment);
    segment.clear();
    return true;
  };
  for (char c : name) {
    if (c != '/' && c != '\\') {
      segment += c;
      continue;
    }
    if (!close(false)) return std::nullopt;
  }
  if (!close(true)) return std::nullopt;
  // Only separators and "." segments: nothing to make.
  if (segments.size() == 1 && segments.front().empty()) {
    Refuse(why, "the name has no file or folder");
    return std::nullopt;
  }
  return segments;
}

std::string BackslashName(std::string_view name) {
  std::string text(name);
  for (char& c : text)
    if (c == '/') c = '\\';
  return text;
}

std::string ForwardSlashName(std::string_view name) {
  std::string text(name);
  for (char& c : text)
    if (c == '\\') c = '/';
  return text;
}

}  // namespace quillmere
