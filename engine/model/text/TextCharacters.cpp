#include "engine/model/text/TextCharacters.h"

#include <algorithm>

#include "engine/model/document/SchemaOrder.h"
#include "engine/model/document/XmlNames.h"
#include "engine/model/document/XmlPrefixes.h"
#include "engine/model/text/ShapeText.h"
#include "engine/model/text/TextRuns.h"
#include "support/text/Utf16Units.h"

namespace quillmere::engine {
namespace {

// Keeps the units [from, to) of a run's text.
void KeepUnits(pugi::xml_node run, std::size_t from, std::size_t to) {
  std::string text = TextOfRun(run);
  ChildNamed(run, "t").text().set(std::string(Utf16Slice(text, from, to)).c_str());
}

// The unit each piece starts at, and one more entry where the text ends.
TextPieces Counted(std::vector<TextPiece> pieces) {
  TextPieces text{std::move(pieces), {}};
  std::size_t at = 0;
  for (const TextPiece& piece : text.pieces) {
    text.starts.push_back(at);
    at += Utf16Length(piece.text);
  }
  text.starts.push_back(at);
  return text;
}

}  // namespace

TextPieces PiecesOfParagraphs(const std::vector<pugi::xml_node>& paragraphs, bool withFinalEnd) {
  std::vector<TextPiece> pieces;
  for (std::size_t i = 0; i < paragraphs.size(); ++i) {
    if (i > 0) pieces.push_back({{}, "\r"});
    for (pugi::xml_node c = paragraphs[i].first_child(); c; c = c.next_sibling()) {
      if (IsTextRun(c)) pieces.push_back({c, TextOfRun(c)});
      else if (LocalName(c) == "br") pieces.push_back({{}, "\v"});
    }
  }
  if (withFinalEnd) pieces.push_back({{}, "\r"});
  return Counted(std::move(pieces));
}

TextPieces PiecesOfRuns(const std::vector<pugi::xml_node>& runs) {
  std::vector<TextPiece> pieces;
  for (const pugi::xml_node& run : runs) pieces.push_back({run, TextOfRun(run)});
  return Counted(std::move(pieces));
}

CharacterSpan CharactersOf(const TextPieces& text, std::size_t start, std::size_t length) {
  CharacterSpan span;
  std::size_t end = start + length;
  // The last piece starting at or before `start`.
  auto first = std::upper_bound(text.starts.begin(), text.starts.end(), start);
  for (std::size_t i = first == text.starts.begin() ? 0 : static_cast<std::size_t>(first - text.starts.begin()) - 1;
       i < text.pieces.size() && text.starts[i] < end; ++i) {
    const TextPiece& piece = text.pieces[i];
    std::size_t at = text.starts[i], units = text.starts[i + 1] - at;
    std::size_t from = std::max(start, at), to = std::min(end, at + units);
    if (from >= to) continue;
    span.text += Utf16Slice(piece.text, from - at, to - at);
    if (piece.run) span.slices.push_back({piece.run, from - at, to - from});
  }
  return span;
}

std::vector<pugi::xml_node> IsolateSlices(const std::vector<RunSlice>& slices) {
  std::vector<pugi::xml_node> runs;
  for (const RunSlice& slice : slices) {
    pugi::xml_node run = slice.run;
    std::size_t units = Utf16Length(TextOfRun(run));
    if (LocalName(run) == "r" && slice.offset > 0) {
      // The run keeps what comes before; a copy after it takes the rest.
      pugi::xml_node rest = run.parent().insert_copy_after(run, run);
      KeepUnits(run, 0, slice.offset);
      KeepUnits(rest, slice.offset, units);
      run = rest;
      units -= slice.offset;
    }
    if (LocalName(run) == "r" && slice.length < units) {
      pugi::xml_node after = run.parent().insert_copy_after(run, run);
      KeepUnits(run, 0, slice.length);
      KeepUnits(after, slice.length, units);
    }
    runs.push_back(run);
  }
  return runs;
}

void SetRunTypeface(pugi::xml_node run, std::string_view typeface) {
  pugi::xml_node properties = ChildNamed(run, "rPr");
  if (!properties) properties = run.prepend_child(DrawingName(run, "rPr").c_str());
  pugi::xml_node latin = ChildNamed(properties, "latin");
  if (!latin) latin = InsertInOrder(properties, "latin", kRunPropertyOrder);
  // What the old typeface said of its classification is not true of the new one.
  latin.remove_attributes();
  latin.append_attribute("typeface") = std::string(typeface).c_str();
}

}  // namespace quillmere::engine
