#include "engine/core/EngineObject.h"

#include <string>

namespace quillmere::engine {

int CollectionIndex(const Value& index, int count, std::string_view collection) {
  int i = index.AsLong();
  if (i < 1 || i > count) {
    throw ComError(hr::kInvalidArgument, std::string(collection) + ".Item : Integer out of range. " +
                                             std::to_string(i) + " is not in the valid range of 1 to " +
                                             std::to_string(count) + ".");
  }
  return i;
}

}  // namespace quillmere::engine
