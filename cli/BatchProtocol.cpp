#include "cli/BatchProtocol.h"

namespace quillmere::cli {
namespace {

void AppendEscaped(std::string& out, std::string_view field) {
  for (char c : field) {
    switch (c) {
      case '\t': out += "\\t"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\\': out += "\\\\"; break;
      default: out += c;
    }
  }
}

char Unescaped(char c) {
  switch (c) {
    case 't': return '\t';
    case 'n': return '\n';
    case 'r': return '\r';
    default: return c;
  }
}

}  // namespace

std::string JoinFields(const std::vector<std::string>& fields) {
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i != 0) line += '\t';
    AppendEscaped(line, fields[i]);
  }
  return line;
}

std::vector<std::string> SplitFields(std::string_view line) {
  std::vector<std::string> fields(1);
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '\t') {
      fields.emplace_back();
    } else if (line[i] == '\\' && i + 1 < line.size()) {
      fields.back() += Unescaped(line[++i]);
    } else {
      fields.back() += line[i];
    }
  }
  return fields;
}

}  // namespace quillmere::cli
