#pragma once
// Several elements of one XML node held against the texts they should have,
// in one line instead of one assertion each; "Position/x" names an element
// below a child. A missing element has the empty text.

#include <gtest/gtest.h>

#include <pugixml.hpp>

#include <initializer_list>
#include <string>
#include <utility>

namespace quillmere::testing {

inline void ExpectTexts(pugi::xml_node node, std::initializer_list<std::pair<const char*, std::string>> texts) {
  for (const auto& [path, text] : texts) EXPECT_EQ(node.first_element_by_path(path).child_value(), text) << path;
}

}  // namespace quillmere::testing
