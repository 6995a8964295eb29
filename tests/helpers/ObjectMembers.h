#pragma once
// Several members of one object held against what they should answer, in one
// line instead of one assertion each. A name may lead through children
// ("Timing.Duration" is Child("Timing").Get("Duration")). Each member is read
// as the expected value's kind: an int as a long, text as text, a Boolean as
// a Boolean, a float as a single and a double as a double, these two within
// four units in the last place as EXPECT_FLOAT_EQ and EXPECT_DOUBLE_EQ allow.

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "objectmodel/automation/Object.h"
#include "objectmodel/automation/Value.h"

namespace quillmere::testing {

inline void ExpectMembers(const Object& object, std::initializer_list<std::pair<const char*, Value>> expected) {
  for (const auto& [path, value] : expected) {
    Object owner = object;
    std::string_view rest = path;
    for (std::size_t dot; (dot = rest.find('.')) != std::string_view::npos; rest.remove_prefix(dot + 1))
      owner = owner.Child(rest.substr(0, dot));
    const Value got = owner.Get(rest);
    value.Visit([&, name = path](const auto& want) {
      using T = std::decay_t<decltype(want)>;
      if constexpr (std::is_same_v<T, bool>) {
        EXPECT_EQ(got.AsBool(), want) << name;
      } else if constexpr (std::is_same_v<T, std::int32_t>) {
        EXPECT_EQ(got.AsLong(), want) << name;
      } else if constexpr (std::is_same_v<T, float>) {
        EXPECT_FLOAT_EQ(got.AsSingle(), want) << name;
      } else if constexpr (std::is_same_v<T, double>) {
        EXPECT_DOUBLE_EQ(got.AsDouble(), want) << name;
      } else if constexpr (std::is_same_v<T, std::string>) {
        EXPECT_EQ(got.AsString(), want) << name;
      } else {
        ADD_FAILURE() << name << ": expected values are numbers, text or Booleans";
      }
    });
  }
}

}  // namespace quillmere::testing
