#pragma once
// Several elements of one XML node held against the texts they should have,
// in one line instead of one assertion each; "Position/x" names an element
// below a child, "@Name" an attribute of the node. A missing element or
// attribute has the empty text.

#include <gtest/gtest.h>

#include <pugixml.hpp>

#include <initializer_list>
#include <sstream>
#include <string>
#include <utility>

namespace quillmere::testing {

inline void ExpectTexts(pugi::xml_node node, std::initializer_list<std::pair<const char*, std::string>> texts) {
  for (const auto& [path, text] : texts) {
    const char* found = *path == '@' ? node.attribute(path + 1).value() : node.first_element_by_path(path).child_value();
    EXPECT_EQ(found, text) << path;
  }
}

// The node (a document: its children) as written, without indentation or declaration.
inline std::string RawXml(pugi::xml_node node) {
  std::ostringstream out;
  node.print(out, "", pugi::format_raw | pugi::format_no_declaration);
  return out.str();
}

}  // namespace quillmere::testing
