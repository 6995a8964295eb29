#include "engine/objects/shapes/ShapeLookup.h"

#include <string>

#include "engine/core/EngineObject.h"
#include "engine/model/document/XmlNames.h"
#include "engine/model/shapes/ShapeKind.h"
#include "engine/model/shapes/ShapeTree.h"
#include "support/text/Text.h"

namespace quillmere::engine {

namespace {

bool Named(const pugi::xml_node& shape, std::string_view name) {
  return EqualsIgnoringAsciiCase(DrawingPropertiesOf(ResolvedShape(shape)).attribute("name").value(), name);
}

// The first member of a (resolved) group with that name: its own members
// first, then each member group's in turn. Walks the children in place: this
// runs for every Shapes.Range by name, over every group of the slide.
pugi::xml_node MemberNamedIn(const pugi::xml_node& group, std::string_view name) {
  for (pugi::xml_node c = group.first_child(); c; c = c.next_sibling())
    if (IsShapeElement(c) && Named(c, name)) return c;
  for (pugi::xml_node c = group.first_child(); c; c = c.next_sibling()) {
    if (!IsShapeElement(c)) continue;
    pugi::xml_node inner = ResolvedShape(c);
    if (LocalName(inner) != "grpSp") continue;
    if (pugi::xml_node deeper = MemberNamedIn(inner, name)) return deeper;
  }
  return {};
}

// The first group member, at any depth, with that name.
pugi::xml_node MemberNamed(const std::vector<pugi::xml_node>& shapes, std::string_view name) {
  for (const pugi::xml_node& shape : shapes) {
    pugi::xml_node group = ResolvedShape(shape);
    if (LocalName(group) != "grpSp") continue;
    if (pugi::xml_node member = MemberNamedIn(group, name)) return member;
  }
  return {};
}

}  // namespace

pugi::xml_node ShapeByIndexOrName(const std::vector<pugi::xml_node>& shapes, const Value& key,
                                  std::string_view collection, const ShapeNames* groupMembersToo) {
  if (!key.IsText()) return shapes[CollectionIndex(key, static_cast<int>(shapes.size()), collection) - 1];
  const std::string wanted = key.AsString();
  // A name only one shape of the part has is that shape's, wherever it is:
  // the walk below would find it too, only later.
  if (groupMembersToo)
    if (const std::vector<pugi::xml_node>& named = groupMembersToo->Named(wanted); named.size() == 1)
      if (Named(named.front(), wanted)) return named.front();
  for (const pugi::xml_node& shape : shapes)
    if (Named(shape, wanted)) return shape;
  if (groupMembersToo)
    if (pugi::xml_node member = MemberNamed(shapes, wanted)) return member;
  throw ComError(hr::kInvalidArgument, std::string(collection) + ".Item : Item " + key.AsString() +
                                           " not found in the " + std::string(collection) + " collection.");
}

}  // namespace quillmere::engine
