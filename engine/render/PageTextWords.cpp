#include "engine/render/PageTextWords.h"

#include <charconv>

namespace quillmere::engine::renderprotocol {
namespace {

constexpr std::size_t kWordsPerShape = 5, kWordsPerParagraph = 3;

template <class Number>
std::optional<Number> Parsed(const std::string& text) {
  Number value{};
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::string Decimal(double value) {
  char text[32];
  auto [end, error] = std::to_chars(text, text + sizeof text, value);
  return error == std::errc() ? std::string(text, end) : "0";
}

std::string PathWord(const std::vector<int>& path) {
  std::string word;
  for (std::size_t i = 0; i < path.size(); ++i) word += (i ? "." : "") + std::to_string(path[i]);
  return word;
}

// Indices joined by dots, each a number from 0.
bool ReadPath(const std::string& word, std::vector<int>& path) {
  for (std::size_t start = 0; start <= word.size();) {
    std::size_t dot = word.find('.', start);
    if (dot == std::string::npos) dot = word.size();
    std::optional<int> value = Parsed<int>(word.substr(start, dot - start));
    if (!value || *value < 0) return false;
    path.push_back(*value);
    start = dot + 1;
  }
  return true;
}

bool ReadCell(const std::string& word, ShapeText& shape) {
  if (word == "-") return true;
  std::vector<int> cell;
  if (!ReadPath(word, cell) || cell.size() != 2) return false;
  shape.row = cell[0];
  shape.column = cell[1];
  return true;
}

}  // namespace

std::vector<std::string> PageTextWords(const std::vector<ShapeText>& shapes) {
  std::vector<std::string> words;
  for (const ShapeText& shape : shapes) {
    std::string cell = shape.row < 0 ? "-" : std::to_string(shape.row) + "." + std::to_string(shape.column);
    words.insert(words.end(), {PathWord(shape.path), cell, shape.name, shape.text,
                               std::to_string(shape.paragraphs.size())});
    for (const ParagraphLook& p : shape.paragraphs)
      words.insert(words.end(), {Decimal(p.size), p.font, std::to_string(p.bullet)});
  }
  return words;
}

std::optional<std::vector<ShapeText>> PageTextFromWords(const std::vector<std::string>& words) {
  std::vector<ShapeText> shapes;
  for (std::size_t i = 0; i < words.size();) {
    if (words.size() - i < kWordsPerShape) return std::nullopt;
    ShapeText shape;
    std::optional<std::size_t> count = Parsed<std::size_t>(words[i + 4]);
    if (!ReadPath(words[i], shape.path) || !ReadCell(words[i + 1], shape) || !count) return std::nullopt;
    shape.name = words[i + 2];
    shape.text = words[i + 3];
    i += kWordsPerShape;
    if ((words.size() - i) / kWordsPerParagraph < *count) return std::nullopt;
    for (std::size_t p = 0; p < *count; ++p, i += kWordsPerParagraph) {
      std::optional<double> size = Parsed<double>(words[i]);
      std::optional<int> bullet = Parsed<int>(words[i + 2]);
      if (!size || !bullet) return std::nullopt;
      shape.paragraphs.push_back({*size, words[i + 1], *bullet});
    }
    shapes.push_back(std::move(shape));
  }
  return shapes;
}

}  // namespace quillmere::engine::renderprotocol
