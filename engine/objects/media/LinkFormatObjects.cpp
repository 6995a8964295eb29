#include "engine/objects/media/LinkFormatObjects.h"

#include <algorithm>
#include <cctype>

#include "support/files/Paths.h"

namespace quillmere::engine {
namespace {

std::string Unescaped(std::string_view s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '%' && i + 2 < s.size() && std::isxdigit(static_cast<unsigned char>(s[i + 1])) &&
        std::isxdigit(static_cast<unsigned char>(s[i + 2]))) {
      out += static_cast<char>(std::stoi(std::string(s.substr(i + 1, 2)), nullptr, 16));
      i += 2;
    } else {
      out += s[i];
    }
  }
  return out;
}

bool HasDriveLetter(std::string_view path) {
  return path.size() > 1 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]));
}

// "http:", "mailto:" and the like: not a file of ours to place.
bool HasScheme(std::string_view path) {
  std::size_t colon = path.find(':');
  if (colon == std::string_view::npos || colon < 2) return false;
  return std::all_of(path.begin(), path.begin() + static_cast<std::ptrdiff_t>(colon), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
  });
}

}  // namespace

std::string LinkedFilePath(std::string_view target, const std::filesystem::path& deckFolder) {
  std::string path = LinkTargetPath(target);
  if (path.empty() || deckFolder.empty() || path.front() == '/' || path.front() == '\\' || HasDriveLetter(path) ||
      HasScheme(path))
    return path;
  // A relative target is a URI reference: escaped, with forward slashes.
  path = Unescaped(path);
  std::replace(path.begin(), path.end(), '\\', '/');
  return Utf8NativeText((std::filesystem::absolute(deckFolder) / Utf8Path(path)).lexically_normal());
}

std::string LinkTargetPath(std::string_view target) {
  std::string path(target);
  std::string scheme = LowerAscii(target.substr(0, 17));
  if (scheme.starts_with("file://localhost/"))
    path = Unescaped(target.substr(16));  // the local host names no share: "/Users/..."
  else if (scheme.starts_with("file:///"))
    path = Unescaped(target.substr(HasDriveLetter(target.substr(8)) ? 8 : 7));  // "/C:/a" or "/home/a"
  else if (scheme.starts_with("file://"))
    path = "\\\\" + Unescaped(target.substr(7));
  bool windows = HasDriveLetter(path);
  if (windows || path.starts_with("\\\\")) std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

const MemberTable<LinkFormatObject>& LinkFormatObject::Members() {
  static const MemberTable<LinkFormatObject> table{
      {.name = "SourceFullName", .get = [](LinkFormatObject& o, Args) { return Value(o.sourceFullName); }},
      {.name = "Parent", .get = [](LinkFormatObject& o, Args) { return Value(o.shape); }},
  };
  return table;
}

}  // namespace quillmere::engine
