#pragma once
// The runs of a text body as TextRange2.Runs counts them: each a:r and a:fld
// in reading order, with the character properties that apply to it.

#include <pugixml.hpp>
#include <vector>

namespace quillmere::engine {

// The a:r and a:fld elements of a p:txBody (or any element holding a:p paragraphs).
std::vector<pugi::xml_node> RunsOf(const pugi::xml_node& txBody);

}  // namespace quillmere::engine
