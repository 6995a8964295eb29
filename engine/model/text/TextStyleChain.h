#pragma once
// The list-style levels a shape's text inherits from, nearest first (see TextStyles.h).

#include <array>
#include <memory>
#include <pugixml.hpp>
#include <vector>

namespace quillmere::engine {

inline constexpr int kOutlineLevels = 9;

struct TextStyleChain {
  std::array<std::vector<pugi::xml_node>, kOutlineLevels> levels;  // a:lvlNpPr and a:defPPr, nearest first
  // The a:defRPr of each of those (or none), found once: run lookups ask for them again and again.
  std::array<std::vector<pugi::xml_node>, kOutlineLevels> runDefaults;
  pugi::xml_node fontReference;  // the shape style's a:fontRef
  // How many entries of each level are the shape's own list style: a shape
  // style's font comes after those and before what is inherited.
  std::array<std::size_t, kOutlineLevels> own{};
  // Holds levels made for the chain: what a table's style gives a cell's text.
  std::shared_ptr<pugi::xml_document> made;
};

}  // namespace quillmere::engine
