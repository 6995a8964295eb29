#pragma once
// Characters of a text as TextRange2.Characters counts them (UTF-16 units,
// paragraph ends and line breaks one each), mapped onto the runs that hold
// them, and runs cut so that some characters can be formatted on their own.

#include <cstddef>
#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <vector>

namespace quillmere::engine {

// A stretch of some text: the run holding it, or none for a paragraph end or
// line break, and its units.
struct TextPiece {
  pugi::xml_node run;
  std::string text;
};

// Part of one run's text, in units from the run's start.
struct RunSlice {
  pugi::xml_node run;
  std::size_t offset = 0;
  std::size_t length = 0;
};

// Some text as its pieces, with the unit each starts at, so that finding a
// character does not walk the text before it.
struct TextPieces {
  std::vector<TextPiece> pieces;
  std::vector<std::size_t> starts;  // where each piece starts, then where the text ends
};

// The pieces of paragraphs read as a whole: ends between paragraphs, and one
// more after the last when `withFinalEnd`.
TextPieces PiecesOfParagraphs(const std::vector<pugi::xml_node>& paragraphs, bool withFinalEnd);
// The pieces of runs read one after the other.
TextPieces PiecesOfRuns(const std::vector<pugi::xml_node>& runs);

// The characters [start, start + length) of the pieces (0-based units): their
// text and the run slices that hold them; ends and breaks belong to no run.
struct CharacterSpan {
  std::string text;
  std::vector<RunSlice> slices;
};
CharacterSpan CharactersOf(const TextPieces& text, std::size_t start, std::size_t length);

// Cuts runs so that each slice is a run of its own, and returns those runs.
// A field is not cut: its slice stands for the whole field.
std::vector<pugi::xml_node> IsolateSlices(const std::vector<RunSlice>& slices);

// Sets the typeface of a run's letters (its a:latin), as Font.Name does.
void SetRunTypeface(pugi::xml_node run, std::string_view typeface);

}  // namespace quillmere::engine
