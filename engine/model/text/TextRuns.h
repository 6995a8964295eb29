#pragma once
// The runs of a text body as TextRange2.Runs counts them: each a:r and a:fld
// in reading order, with the character properties that apply to it.

#include <pugixml.hpp>
#include <vector>

namespace quillmere::engine {

// Whether a child of an a:p is a run (a:r) or a field (a:fld): text that Runs counts.
bool IsTextRun(const pugi::xml_node& node);
// The a:r and a:fld elements of those a:p paragraphs, in reading order.
std::vector<pugi::xml_node> RunsOf(const std::vector<pugi::xml_node>& paragraphs);

}  // namespace quillmere::engine
