#include "engine/core/MemberFailure.h"

#include <string>

namespace quillmere::engine {

void FailMember(std::string_view member, std::string_view why, HResult number) {
  throw ComError(number, std::string(member) + " : " + std::string(why));
}

}  // namespace quillmere::engine
