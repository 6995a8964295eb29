#pragma once
// Where the formatting of a shape's text comes from when its paragraphs and
// runs leave it out, nearest first, for each of the nine outline levels: the
// shape's own list style; for a placeholder, its layout's and master's
// counterparts and then the master's title, body or other text style; for
// any other shape the presentation's default text style. Worked out once per
// shape (PresentationDocument::TextStylesOf), so that reading property after
// property stays cheap.

#include <initializer_list>
#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "engine/model/document/PresentationDocument.h"
#include "engine/model/text/TextStyleChain.h"

namespace quillmere::engine {

TextStyleChain BuildTextStyleChain(PresentationDocument& doc, const std::string& part, const pugi::xml_node& shape);

// The paragraph's outline level, 0..8.
int OutlineLevel(const pugi::xml_node& paragraph);
// A character attribute (sz, b, i, baseline, ...) in effect for a run: its
// own, else the paragraph's and the chain's defaults at the paragraph's level.
pugi::xml_attribute RunAttribute(const TextStyleChain& chain, const pugi::xml_node& run, const char* name);
// Which sources a lookup reads: all of them, only the run's and its shape's
// own, or only what the shape inherits (a shape style's font sits between).
enum class Reach { All, Own, Inherited };
// The first character property element with one of those names (a:latin, a:solidFill, ...) in effect.
pugi::xml_node RunElement(const TextStyleChain& chain, const pugi::xml_node& run,
                          std::initializer_list<std::string_view> names, Reach reach = Reach::All);
// A paragraph attribute (algn, marL, indent, ...) in effect, and a paragraph element (a:lnSpc, a:buChar, ...).
pugi::xml_attribute ParagraphAttribute(const TextStyleChain& chain, const pugi::xml_node& paragraph, const char* name);
pugi::xml_node ParagraphElement(const TextStyleChain& chain, const pugi::xml_node& paragraph,
                                std::initializer_list<std::string_view> names);

}  // namespace quillmere::engine
