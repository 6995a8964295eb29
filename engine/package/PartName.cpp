#include "engine/package/PartName.h"

#include <vector>

#include "engine/package/Package.h"

namespace quillmere::engine {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string Slashes(std::string_view name) {
  std::string s(name);
  for (char& c : s)
    if (c == '\\') c = '/';
  return s;
}

std::vector<std::string_view> Segments(std::string_view path) {
  std::vector<std::string_view> out;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('/', start);
    if (end == std::string_view::npos) end = path.size();
    out.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return out;
}

// What a URI cannot hold as it is, percent-encoded ("a b.png" → "a%20b.png").
std::string EncodePercent(std::string_view segment) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (char c : segment) {
    auto byte = static_cast<unsigned char>(c);
    if (byte <= 0x20 || byte >= 0x7F || c == '%' || c == '#' || c == '?') {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

std::string DecodePercent(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size()) {
      int hi = HexValue(text[i + 1]), lo = HexValue(text[i + 2]);
      if (hi >= 0 && lo >= 0) {
        out += static_cast<char>(hi * 16 + lo);
        i += 2;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

std::string CanonicalPartName(std::string_view name) {
  std::string s = Slashes(name);
  size_t lead = s.find_first_not_of('/');
  return DecodePercent(lead == std::string::npos ? std::string_view() : std::string_view(s).substr(lead));
}

std::string LowerAscii(std::string_view text) {
  std::string s(text);
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

// LowerAscii(CanonicalPartName(name)) in one pass and one string: every part
// lookup works a key out.
std::string PartKey(std::string_view name) {
  std::string key;
  key.reserve(name.size());
  size_t i = 0;
  while (i < name.size() && (name[i] == '/' || name[i] == '\\')) ++i;
  for (; i < name.size(); ++i) {
    char c = name[i] == '\\' ? '/' : name[i];
    if (c == '%' && i + 2 < name.size()) {
      int hi = HexValue(name[i + 1]), lo = HexValue(name[i + 2]);
      if (hi >= 0 && lo >= 0) {
        c = static_cast<char>(hi * 16 + lo);
        i += 2;
      }
    }
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    key += c;
  }
  return key;
}

bool IsSafeEntryName(std::string_view zipName) {
  std::string name = Slashes(zipName);
  if (name.empty() || name.front() == '/' || name.back() == '/') return false;
  if (name.size() >= 2 && name[1] == ':') return false;
  for (std::string_view segment : Segments(name))
    if (segment == ".." || DecodePercent(segment) == "..") return false;
  return true;
}

std::string RelationshipsPartName(std::string_view sourcePart) {
  std::string source = CanonicalPartName(sourcePart);
  size_t slash = source.rfind('/');
  std::string folder = slash == std::string::npos ? std::string() : source.substr(0, slash + 1);
  std::string file = slash == std::string::npos ? source : source.substr(slash + 1);
  return folder + "_rels/" + file + ".rels";
}

std::string ResolvePartName(std::string_view sourcePart, std::string_view target) {
  std::string t = Slashes(target);
  std::vector<std::string> parts;
  if (t.empty() || t.front() != '/') {
    std::string source = CanonicalPartName(sourcePart);
    std::vector<std::string_view> base = Segments(source);
    base.pop_back();  // the source's own file name
    for (std::string_view s : base)
      if (!s.empty()) parts.emplace_back(s);
  }
  for (std::string_view s : Segments(t)) {
    std::string segment = DecodePercent(s);
    if (segment.empty() || segment == ".") continue;
    if (segment == "..") {
      // Going above the package root stays at the root, as the readers that
      // tolerate such targets do.
      if (!parts.empty()) parts.pop_back();
      continue;
    }
    parts.push_back(std::move(segment));
  }
  std::string out;
  for (const std::string& p : parts) {
    if (!out.empty()) out += '/';
    out += p;
  }
  return out;
}

std::string RelativeTarget(std::string_view sourcePart, std::string_view targetPart) {
  std::string source = CanonicalPartName(sourcePart), target = CanonicalPartName(targetPart);
  std::vector<std::string_view> from = Segments(source), to = Segments(target);
  from.pop_back();  // the source's own file name
  if (source.empty()) from.clear();
  size_t common = 0;
  while (common < from.size() && common + 1 < to.size() && LowerAscii(from[common]) == LowerAscii(to[common])) ++common;
  std::string out;
  for (size_t i = common; i < from.size(); ++i) out += "../";
  for (size_t i = common; i < to.size(); ++i) {
    out += EncodePercent(to[i]);
    if (i + 1 < to.size()) out += '/';
  }
  return out;
}

}  // namespace quillmere::engine
