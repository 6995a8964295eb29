#pragma once
// Pieces a written text must hold, or must not, one assertion a piece that
// names it, instead of a find against npos each.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>

namespace quillmere::testing {

inline void ExpectHas(std::string_view text, std::initializer_list<std::string_view> pieces) {
  for (std::string_view piece : pieces)
    EXPECT_NE(text.find(piece), std::string_view::npos) << piece << "\nin: " << text;
}

inline void ExpectLacks(std::string_view text, std::initializer_list<std::string_view> pieces) {
  for (std::string_view piece : pieces)
    EXPECT_EQ(text.find(piece), std::string_view::npos) << piece << "\nin: " << text;
}

}  // namespace quillmere::testing
