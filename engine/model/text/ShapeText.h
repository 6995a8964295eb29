#pragma once
// The text of a shape's text body as TextRange.Text reads it: paragraphs
// joined by a carriage return (13), line breaks as a vertical tab (11), field
// text included.

#include <string>
#include <string_view>

#include <pugixml.hpp>

namespace quillmere::engine {

// The text of a p:txBody (or any element holding a:p paragraphs); "" for an empty node.
std::string TextOfBody(const pugi::xml_node& txBody);
// The text of one run (a:r or a:fld).
std::string TextOfRun(const pugi::xml_node& run);
// The text of one a:p, without its paragraph mark.
std::string TextOfParagraph(const pugi::xml_node& paragraph);
// Puts text in place of a text body's paragraphs, as setting TextRange.Text
// does: a carriage return (or line feed) ends a paragraph, a vertical tab is a
// line break, and all of it takes the paragraph and run formatting the body's
// text began with.
void ReplaceBodyText(pugi::xml_node txBody, std::string_view text);
// The text without leading and trailing spaces, tabs and line ends, as TrimText answers.
std::string_view TrimmedText(std::string_view text);

}  // namespace quillmere::engine
