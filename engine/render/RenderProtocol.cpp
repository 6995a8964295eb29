#include "engine/render/RenderProtocol.h"

namespace quillmere::engine::renderprotocol {
namespace {

bool NeedsQuotes(std::string_view word) {
  if (word.empty()) return true;
  for (unsigned char c : word)
    if (c <= ' ' || c == '"' || c == '\\' || c == 0x7F) return true;
  return false;
}

std::string Quoted(std::string_view word) {
  std::string out = "\"";
  for (char c : word) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default: out += c;
    }
  }
  return out + '"';
}

char Unescaped(char c) {
  switch (c) {
    case 'n': return '\n';
    case 'r': return '\r';
    case 't': return '\t';
    default: return c;
  }
}

}  // namespace

std::string JoinWords(const std::vector<std::string>& words) {
  std::string line;
  for (const std::string& word : words) {
    if (!line.empty()) line += ' ';
    line += NeedsQuotes(word) ? Quoted(word) : word;
  }
  return line;
}

std::optional<std::vector<std::string>> SplitWords(std::string_view line) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < line.size()) {
    if (line[i] == ' ') {
      ++i;
      continue;
    }
    std::string word;
    if (line[i] != '"') {
      while (i < line.size() && line[i] != ' ') {
        if (line[i] == '"') return std::nullopt;
        word += line[i++];
      }
    } else {
      for (++i;; ++i) {
        if (i >= line.size()) return std::nullopt;
        char c = line[i];
        if (c == '"') break;
        if (c == '\\') {
          if (++i >= line.size()) return std::nullopt;
          c = Unescaped(line[i]);
        }
        word += c;
      }
      ++i;
      if (i < line.size() && line[i] != ' ') return std::nullopt;
    }
    words.push_back(std::move(word));
  }
  return words;
}

std::string ErrorReply(std::string_view text) {
  std::string reply = "error ";
  for (char c : text) reply += c == '\n' || c == '\r' ? ' ' : c;
  return reply;
}

}  // namespace quillmere::engine::renderprotocol
