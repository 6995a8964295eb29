#include "objectmodel/automation/Object.h"

#include <cstdio>

#include "objectmodel/automation/ComError.h"

namespace quillmere {

std::string ErrorNumberText(HResult number) {
  return std::to_string(static_cast<std::int32_t>(number));
}

std::string_view Object::TypeName() const { return d_ ? d_->TypeName() : std::string_view("Nothing"); }

Value Object::Invoke(InvokeKind kind, std::string_view member, Args args) const {
  if (!d_) throw ComError(hr::kObjectNotSet, "Object variable or With block variable not set");
  return d_->Invoke(kind, member, args);
}

}  // namespace quillmere
