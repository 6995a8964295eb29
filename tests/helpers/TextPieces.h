#pragma once
// Pieces a written text must hold, or must not, one assertion a piece that
// names it, instead of a find against npos each.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace quillmere::testing {

inline void ExpectHas(std::string_view text, std::initializer_list<std::string_view> pieces) {
  for (std::string_view piece : pieces)
    EXPECT_NE(text.find(piece), std::string_view::npos) << piece << "\nin: " << text;
}

inline void ExpectLacks(std::string_view text, std::initializer_list<std::string_view> pieces) {
  for (std::string_view piece : pieces)
    EXPECT_EQ(text.find(piece), std::string_view::npos) << piece << "\nin: " << text;
}

// The words of a text, split at single spaces: a long list of names written in a line or two.
inline std::vector<std::string> Words(std::string_view text) {
  std::vector<std::string> words;
  for (std::size_t from = 0, to = 0; to != text.npos; from = to + 1)
    words.emplace_back(text.substr(from, (to = text.find(' ', from)) - from));
  return words;
}

}  // namespace quillmere::testing
