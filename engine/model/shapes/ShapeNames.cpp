#include "engine/model/shapes/ShapeNames.h"

#include "engine/model/document/XmlNames.h"
#include "engine/model/shapes/ShapeKind.h"
#include "engine/model/shapes/ShapeTree.h"
#include "support/text/Text.h"

namespace quillmere::engine {
namespace {

// The members a lookup by name goes through: those of the group variant read.
template <typename Visit>
void ForEachMember(const pugi::xml_node& treeChild, Visit visit) {
  pugi::xml_node group = ResolvedShape(treeChild);
  if (LocalName(group) != "grpSp") return;
  for (pugi::xml_node c = group.first_child(); c; c = c.next_sibling())
    if (IsShapeElement(c)) visit(c);
}

}  // namespace

ShapeNames ShapeNames::Of(const pugi::xml_node& tree) {
  ShapeNames names;
  for (pugi::xml_node c = tree.first_child(); c; c = c.next_sibling())
    if (IsShapeElement(c)) names.Add(c);
  return names;
}

void ShapeNames::Add(const pugi::xml_node& treeChild) {
  std::string key = LowerAscii(DrawingPropertiesOf(ResolvedShape(treeChild)).attribute("name").value());
  byName_[key].push_back(treeChild);
  nameOf_[treeChild.internal_object()] = std::move(key);
  ForEachMember(treeChild, [&](const pugi::xml_node& member) { Add(member); });
}

void ShapeNames::Remove(const pugi::xml_node& treeChild) {
  if (auto it = nameOf_.find(treeChild.internal_object()); it != nameOf_.end()) {
    std::vector<pugi::xml_node>& shapes = byName_[it->second];
    std::erase(shapes, treeChild);
    if (shapes.empty()) byName_.erase(it->second);
    nameOf_.erase(it);
  }
  ForEachMember(treeChild, [&](const pugi::xml_node& member) { Remove(member); });
}

const std::vector<pugi::xml_node>& ShapeNames::Named(std::string_view name) const {
  static const std::vector<pugi::xml_node> kNone;
  auto it = byName_.find(LowerAscii(name));
  return it == byName_.end() ? kNone : it->second;
}

}  // namespace quillmere::engine
