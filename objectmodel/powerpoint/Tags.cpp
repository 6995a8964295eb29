#include "objectmodel/powerpoint/Tags.h"

namespace quillmere {

std::string GetTag(const Object& object, std::string_view name) {
  try {
    return object.Child("Tags").Get("Item", name).AsString();
  } catch (const std::exception&) {
    return {};
  }
}

bool SetTag(const Object& object, std::string_view name, std::string_view value) {
  bool ok = true;
  Object tags;
  try {
    tags = object.Child("Tags");
  } catch (const std::exception&) {
    return false;
  }
  try {
    tags.Call("Delete", name);
  } catch (const std::exception&) {
    ok = false;
  }
  try {
    tags.Call("Add", name, value);
  } catch (const std::exception&) {
    ok = false;
  }
  return ok;
}

}  // namespace quillmere
