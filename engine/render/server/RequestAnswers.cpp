#include "engine/render/server/RequestAnswers.h"

#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/uno/Exception.hpp>

#include <charconv>
#include <stdexcept>
#include <vector>

#include "engine/render/PageTextWords.h"
#include "engine/render/RenderProtocol.h"
#include "engine/render/server/UnoText.h"

namespace quillmere::engine::render {
namespace {

using Words = std::vector<std::string>;

// Larger images would only exhaust the office's memory.
constexpr int kMaxPixels = 20000;

int Number(const std::string& word, int lowest, int highest, const char* what) {
  int value = 0;
  auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc() || end != word.data() + word.size() || value < lowest || value > highest)
    throw std::runtime_error(std::string("bad ") + what + ": " + word);
  return value;
}

int PixelCount(const std::string& word) { return Number(word, 1, kMaxPixels, "pixel size"); }

std::vector<std::string> Split(const std::string& word, char separator) {
  std::vector<std::string> parts;
  for (size_t start = 0; start <= word.size();) {
    size_t end = word.find(separator, start);
    if (end == std::string::npos) end = word.size();
    parts.push_back(word.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

void Expect(const Words& words, size_t count) {
  if (words.size() != count) throw std::runtime_error("wrong number of words for " + words[0]);
}

// "3,5.0.2": the fourth shape, and the third shape of the first group of the
// sixth; their names, when given, are the words after the request's own.
std::vector<OfficeSession::ShapeToFind> ShapeList(const Words& words, size_t ownWords) {
  std::vector<OfficeSession::ShapeToFind> shapes;
  for (const std::string& item : Split(words[2], ',')) {
    OfficeSession::ShapePath path;
    for (const std::string& index : Split(item, '.')) path.push_back(Number(index, 0, 1 << 30, "shape index"));
    shapes.push_back({std::move(path), {}});
  }
  if (words.size() == ownWords) return shapes;
  Expect(words, ownWords + shapes.size());
  for (size_t i = 0; i < shapes.size(); ++i) shapes[i].name = words[ownWords + i];
  return shapes;
}

std::string Ok(const std::string& value) { return value.empty() ? "ok" : "ok " + value; }

std::string Answered(OfficeSession& session, const Words& words) {
  const std::string& request = words[0];
  if (request == "load") {
    Expect(words, 2);
    return Ok(std::to_string(session.Load(words[1])));
  }
  if (request == "pages") {
    Expect(words, 1);
    return Ok(std::to_string(session.PageCount()));
  }
  if (request == "page") {
    Expect(words, 5);
    session.ExportPage(Number(words[1], 0, 1 << 30, "page index"), PixelCount(words[2]), PixelCount(words[3]),
                       words[4]);
    return Ok("");
  }
  if (request == "text") {
    Expect(words, 2);
    std::vector<renderprotocol::ShapeText> shapes = session.PageText(Number(words[1], 0, 1 << 30, "page index"));
    return Ok(renderprotocol::JoinWords(renderprotocol::PageTextWords(shapes)));
  }
  if (request == "shapes" && words.size() >= 4) {
    int page = Number(words[1], 0, 1 << 30, "page index");
    if (words[3] == "emf") {
      std::vector<OfficeSession::ShapeToFind> shapes = ShapeList(words, 5);
      session.ExportShapes(page, shapes, true, 0, 0, words[4]);
      return Ok("");
    }
    if (words[3] == "png") {
      std::vector<OfficeSession::ShapeToFind> shapes = ShapeList(words, 7);
      session.ExportShapes(page, shapes, false, PixelCount(words[4]), PixelCount(words[5]), words[6]);
      return Ok("");
    }
    if (words[3] == "pngscale") {
      std::vector<OfficeSession::ShapeToFind> shapes = ShapeList(words, 7);
      auto [width, height] =
          session.ExportShapesScaled(page, shapes, PixelCount(words[4]), PixelCount(words[5]), words[6]);
      return Ok(std::to_string(width) + " " + std::to_string(height));
    }
    throw std::runtime_error("unknown image format: " + words[3]);
  }
  throw std::runtime_error("unknown request: " + request);
}

}  // namespace

Answer AnswerRequest(OfficeSession& session, const std::string& line) {
  std::optional<Words> words = renderprotocol::SplitWords(line);
  if (!words || words->empty()) return {renderprotocol::ErrorReply("cannot read the request: " + line)};
  if ((*words)[0] == "quit") return {"ok", true};
  try {
    return {Answered(session, *words)};
  } catch (const css::lang::DisposedException& e) {
    return {renderprotocol::ErrorReply("LibreOffice went away: " + FromUno(e.Message)), false, true};
  } catch (const css::uno::Exception& e) {
    return {renderprotocol::ErrorReply("LibreOffice: " + FromUno(e.Message))};
  } catch (const std::exception& e) {
    return {renderprotocol::ErrorReply(e.what())};
  }
}

}  // namespace quillmere::engine::render
