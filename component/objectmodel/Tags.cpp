#include "component/objectmodel/Tags.h"

namespace quillmere {

std::string GetTag(const Object& object, std::string_view name) {
  try {
    return object.Child("Tags").Get("Item", name).AsString();
  } catch (const std::exception&) {
    return {};
  }
}

}  // namespace quillmere
