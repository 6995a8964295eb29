#pragma once
// What kind of placeholder a p:ph stands for, as PpPlaceholderType numbers it.

#include <pugixml.hpp>

namespace quillmere::engine {

inline constexpr int kPlaceholderBody = 2;
inline constexpr int kPlaceholderSlideImage = 101;

// The PpPlaceholderType of a p:ph: its type token (absent: an object
// placeholder), turned vertical by orient="vert" where PowerPoint has a vertical kind.
int PlaceholderType(const pugi::xml_node& ph);
// Title, centred title or vertical title: what Shapes.Title answers.
bool IsTitlePlaceholder(const pugi::xml_node& ph);

}  // namespace quillmere::engine
