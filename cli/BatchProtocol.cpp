#include "cli/BatchProtocol.h"

#include <charconv>

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

bool ParseFlag(const std::string& field, bool& flag) {
  flag = field == "1";
  return field == "1" || field == "0";
}

}  // namespace

bool ParseNumber(std::string_view field, std::int32_t& value) {
  const char* end = field.data() + field.size();
  return !field.empty() && std::from_chars(field.data(), end, value).ptr == end;
}

std::vector<std::string> ExportJobFields(const BatchDeck& deck) {
  const ExportSettings& s = deck.settings;
  return {std::string(kJobExport), deck.deck, deck.outputFolder, s.slides, std::to_string(s.version),
          s.images ? "1" : "0", s.thumbnails ? "1" : "0"};
}

std::optional<BatchDeck> ParseExportJob(const std::vector<std::string>& fields) {
  if (fields.size() != 7 || fields[0] != kJobExport) return std::nullopt;
  BatchDeck deck{fields[1], fields[2], {fields[3]}};
  if (!ParseNumber(fields[4], deck.settings.version) || !ParseFlag(fields[5], deck.settings.images) || !ParseFlag(fields[6], deck.settings.thumbnails))
    return std::nullopt;
  return deck;
}

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
