#pragma once
// Parent members: an object holds its owner weakly, so that no owner keeps
// itself alive through the objects it hands out, and fails as a closed object
// does once the owner is gone.

#include <memory>
#include <string>
#include <string_view>

#include "objectmodel/automation/ComError.h"
#include "objectmodel/automation/Dispatch.h"

namespace quillmere::engine {

inline Value ParentOf(const std::weak_ptr<Dispatch>& parent, std::string_view object) {
  std::shared_ptr<Dispatch> owner = parent.lock();
  if (!owner) throw ComError(hr::kUnspecified, std::string(object) + ".Parent : Object does not exist.");
  return Value(std::move(owner));
}

}  // namespace quillmere::engine
