#pragma once
// Many plain properties of one fake in one call, member and value in turn, so
// that a scripted object reads as a list of what it answers instead of a chain
// of one call a member.

#include <memory>
#include <utility>

#include "tests/fakes/FakeObject.h"

namespace quillmere::testing {

template <class... More>
std::shared_ptr<FakeObject> Props(std::shared_ptr<FakeObject> fake, const char* member, Value value, More&&... more) {
  static_assert(sizeof...(More) % 2 == 0, "members and values come in pairs");
  fake->Prop(member, std::move(value));
  if constexpr (sizeof...(More) > 0) {
    return Props(std::move(fake), std::forward<More>(more)...);
  } else {
    return fake;
  }
}

}  // namespace quillmere::testing
