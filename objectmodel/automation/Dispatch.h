#pragma once
// The late-bound seam: every object of the presentation model answers members by
// name, like IDispatch::Invoke. A put passes the new value as its last argument.
// Writers never see which backend answers.

#include <span>
#include <string_view>

#include "objectmodel/automation/Value.h"

namespace quillmere {

enum class InvokeKind { Get, Put, Call };

using Args = std::span<const Value>;

class Dispatch {
 public:
  virtual ~Dispatch() = default;
  // Throws ComError when the member fails, is missing, or is not in the running version.
  virtual Value Invoke(InvokeKind kind, std::string_view member, Args args) = 0;
  // The class name a host's TypeName() would report ("Slide", "Master", ...).
  virtual std::string_view TypeName() const = 0;
};

}  // namespace quillmere
