#include "support/files/ExpandEnvironment.h"

#include <cctype>
#include <cstdlib>
#include <optional>

namespace quillmere {
namespace {

std::optional<std::string_view> Lookup(std::string_view name) {
  if (name.empty()) return std::nullopt;
  const char* value = std::getenv(std::string(name).c_str());
  return value ? std::optional<std::string_view>(value) : std::nullopt;
}

bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// The length of the reference starting at text[0] and its replacement; nullopt
// when it is not a reference to a set variable. An unset %NAME% keeps both
// percent signs, so that its closing one cannot open another reference.
std::optional<std::pair<std::size_t, std::string_view>> Reference(std::string_view text) {
  std::size_t nameStart = 1, nameEnd = 0, length = 0;
  if (text[0] == '%') {
    nameEnd = text.find('%', 1);
    length = nameEnd + 1;
  } else if (text.size() > 1 && text[1] == '{') {
    nameStart = 2;
    nameEnd = text.find('}', 2);
    length = nameEnd + 1;
  } else {
    nameEnd = 1;
    if (nameEnd < text.size() && std::isdigit(static_cast<unsigned char>(text[nameEnd]))) return std::nullopt;
    while (nameEnd < text.size() && IsNameChar(text[nameEnd])) ++nameEnd;
    length = nameEnd;
  }
  if (nameEnd == std::string_view::npos) return std::nullopt;
  std::optional<std::string_view> value = Lookup(text.substr(nameStart, nameEnd - nameStart));
  if (!value && text[0] == '%' && nameEnd > 1) value = text.substr(0, length);
  if (!value) return std::nullopt;
  return std::pair{length, *value};
}

}  // namespace

std::string ExpandEnvironmentStrings(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] == '%' || text[i] == '$') {
      if (auto reference = Reference(text.substr(i))) {
        out += reference->second;
        i += reference->first;
        continue;
      }
    }
    out += text[i++];
  }
  return out;
}

}  // namespace quillmere
