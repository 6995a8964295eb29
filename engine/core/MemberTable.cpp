#include "engine/core/MemberTable.h"

namespace quillmere::engine {

void ThrowNotSupported() { throw ComError(hr::kNotSupported, "Object doesn't support this property or method"); }

void ThrowReadOnly(std::string_view member) {
  throw ComError(hr::kMemberNotFound, std::string(member) + " : Member not found.");
}

const Value& ArgAt(Args args, std::size_t i) {
  static const Value kMissing;
  return i < args.size() ? args[i] : kMissing;
}

}  // namespace quillmere::engine
