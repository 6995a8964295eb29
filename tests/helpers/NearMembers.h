#pragma once
// Members of one object held within a tolerance of what they should answer,
// and members whose reads must fail with one error, each run in one line; a
// failure names the member. A name may lead through children as in
// ExpectMembers ("Fill.Transparency").

#include <gtest/gtest.h>

#include <initializer_list>
#include <string_view>
#include <utility>

#include "objectmodel/automation/Object.h"
#include "objectmodel/automation/Value.h"
#include "tests/helpers/ErrorNumber.h"

namespace quillmere::testing {

// The member at the end of a dotted path of children.
inline Value MemberAt(const Object& object, std::string_view path) {
  Object owner = object;
  for (std::size_t dot; (dot = path.find('.')) != std::string_view::npos; path.remove_prefix(dot + 1))
    owner = owner.Child(path.substr(0, dot));
  return owner.Get(path);
}

inline void ExpectNearMembers(const Object& object, std::initializer_list<std::pair<const char*, double>> expected,
                              double within) {
  for (const auto& [path, value] : expected) EXPECT_NEAR(MemberAt(object, path).AsDouble(), value, within) << path;
}

inline void ExpectReadsFail(const Object& object, std::initializer_list<const char*> members, HResult error) {
  for (const char* member : members) EXPECT_EQ(ErrorOf([&] { MemberAt(object, member); }), error) << member;
}

}  // namespace quillmere::testing
