#include "engine/render/PageTextWords.h"

#include <algorithm>
#include <charconv>

namespace quillmere::engine::renderprotocol {
namespace {

constexpr std::size_t kWordsPerShape = 5;

std::vector<std::string> Split(const std::string& word, char separator) {
  std::vector<std::string> parts;
  if (word.empty()) return parts;
  for (std::size_t start = 0; start <= word.size();) {
    std::size_t end = std::min(word.find(separator, start), word.size());
    parts.push_back(word.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

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

std::string ParagraphsWord(const std::vector<ParagraphLook>& paragraphs) {
  std::string word;
  for (const ParagraphLook& p : paragraphs)
    word += (word.empty() ? "" : ",") + Decimal(p.size) + ":" + std::to_string(p.bullet);
  return word;
}

bool ReadPath(const std::string& word, std::vector<int>& path) {
  for (const std::string& index : Split(word, '.')) {
    std::optional<int> value = Parsed<int>(index);
    if (!value || *value < 0) return false;
    path.push_back(*value);
  }
  return !path.empty();
}

bool ReadCell(const std::string& word, ShapeText& shape) {
  if (word == "-") return true;
  std::vector<int> cell;
  if (!ReadPath(word, cell) || cell.size() != 2) return false;
  shape.row = cell[0];
  shape.column = cell[1];
  return true;
}

bool ReadParagraphs(const std::string& word, std::vector<ParagraphLook>& paragraphs) {
  for (const std::string& item : Split(word, ',')) {
    std::size_t colon = item.find(':');
    if (colon == std::string::npos) return false;
    std::optional<double> size = Parsed<double>(item.substr(0, colon));
    std::optional<int> bullet = Parsed<int>(item.substr(colon + 1));
    if (!size || !bullet) return false;
    paragraphs.push_back({*size, *bullet});
  }
  return true;
}

}  // namespace

std::vector<std::string> PageTextWords(const std::vector<ShapeText>& shapes) {
  std::vector<std::string> words;
  for (const ShapeText& shape : shapes) {
    std::string cell = shape.row < 0 ? "-" : std::to_string(shape.row) + "." + std::to_string(shape.column);
    words.insert(words.end(), {PathWord(shape.path), cell, shape.name, shape.text, ParagraphsWord(shape.paragraphs)});
  }
  return words;
}

std::optional<std::vector<ShapeText>> PageTextFromWords(const std::vector<std::string>& words) {
  if (words.size() % kWordsPerShape != 0) return std::nullopt;
  std::vector<ShapeText> shapes;
  for (std::size_t i = 0; i < words.size(); i += kWordsPerShape) {
    ShapeText shape;
    if (!ReadPath(words[i], shape.path) || !ReadCell(words[i + 1], shape) ||
        !ReadParagraphs(words[i + 4], shape.paragraphs))
      return std::nullopt;
    shape.name = words[i + 2];
    shape.text = words[i + 3];
    shapes.push_back(std::move(shape));
  }
  return shapes;
}

}  // namespace quillmere::engine::renderprotocol
