#include "engine/objects/ShapeLookup.h"

#include <string>

#include "engine/core/EngineObject.h"
#include "engine/model/ShapeKind.h"
#include "engine/model/ShapeTree.h"

namespace quillmere::engine {

pugi::xml_node ShapeByIndexOrName(const std::vector<pugi::xml_node>& shapes, const Value& key,
                                  std::string_view collection) {
  if (!key.IsText()) return shapes[CollectionIndex(key, static_cast<int>(shapes.size()), collection) - 1];
  std::string wanted = LowerAscii(key.AsString());
  for (const pugi::xml_node& shape : shapes)
    if (LowerAscii(DrawingPropertiesOf(ResolvedShape(shape)).attribute("name").value()) == wanted) return shape;
  throw ComError(hr::kInvalidArgument, std::string(collection) + ".Item : Item " + key.AsString() +
                                           " not found in the " + std::string(collection) + " collection.");
}

}  // namespace quillmere::engine
