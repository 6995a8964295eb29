#include "engine/objects/LinkFormatObjects.h"

#include <algorithm>
#include <cctype>

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

}  // namespace

std::string LinkTargetPath(std::string_view target) {
  std::string path(target);
  std::string scheme = LowerAscii(target.substr(0, 17));
  if (scheme.starts_with("file://localhost/"))
    path = Unescaped(target.substr(16));  // the local host names no share: "/Users/..."
  else if (scheme.starts_with("file:///"))
    path = Unescaped(target.substr(8));
  else if (scheme.starts_with("file://"))
    path = "\\\\" + Unescaped(target.substr(7));
  bool windows = path.size() > 1 && path[1] == ':';
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
