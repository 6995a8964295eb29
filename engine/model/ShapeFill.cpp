#include "engine/model/ShapeFill.h"

#include <algorithm>
#include <array>

#include "engine/model/PlaceholderInheritance.h"
#include "engine/model/SchemaOrder.h"
#include "engine/model/ShapeTree.h"
#include "engine/model/ThemeStyles.h"
#include "engine/model/XmlNames.h"
#include "engine/model/XmlPrefixes.h"

namespace quillmere::engine {
namespace {

constexpr std::array<std::string_view, 6> kFills{"noFill",   "solidFill", "gradFill",
                                                 "blipFill", "pattFill",  "grpFill"};
// The schema's order of the children of a:ln.
constexpr std::array<std::string_view, 13> kLineOrder{"noFill",  "solidFill", "gradFill", "pattFill", "prstDash",
                                                     "custDash", "round",     "bevel",    "miter",    "headEnd",
                                                     "tailEnd",  "extLst",    ""};

// The group element a shape sits in, or an empty node at the top of the tree.
pugi::xml_node EnclosingGroup(const pugi::xml_node& shape) {
  for (pugi::xml_node p = shape.parent(); p; p = p.parent()) {
    std::string_view name = LocalName(p);
    if (name == "grpSp") return p;
    if (name == "spTree") return {};
  }
  return {};
}

// The fill of one level (the shape, or a placeholder counterpart); final
// when the level decides it, even as "no fill".
StyledNode FillOfLevel(PresentationDocument& doc, const std::string& part, const pugi::xml_node& shape, bool& final) {
  final = true;
  if (pugi::xml_node own = FillChildOf(ShapePropertiesOf(shape))) return {own, {}};
  if (ChildNamed(ChildNamed(shape, "style"), "fillRef"))
    return {StyleMatrixEntry(doc, part, shape, "fillRef"), StyleReferenceColor(shape, "fillRef")};
  final = false;
  return {};
}

}  // namespace

bool IsFillElement(const pugi::xml_node& node) {
  return std::find(kFills.begin(), kFills.end(), LocalName(node)) != kFills.end();
}

pugi::xml_node FillChildOf(const pugi::xml_node& holder) {
  for (pugi::xml_node c = holder.first_child(); c; c = c.next_sibling())
    if (c.type() == pugi::node_element && IsFillElement(c)) return c;
  return {};
}

StyledNode EffectiveFill(PresentationDocument& doc, const std::string& part, const pugi::xml_node& shape) {
  bool final = false;
  StyledNode found = FillOfLevel(doc, part, shape, final);
  if (!final)
    for (const InheritedShape& up : PlaceholderAncestors(doc, part, shape)) {
      found = FillOfLevel(doc, up.part, up.shape, final);
      if (final) break;
    }
  // A style entry is itself a fill element (fillStyleLst holds fills).
  if (found.node && !IsFillElement(found.node)) found.node = {};
  if (LocalName(found.node) == "grpFill") {
    pugi::xml_node group = EnclosingGroup(shape);
    return group ? EffectiveFill(doc, part, group) : StyledNode{};
  }
  return found;
}

std::vector<StyledNode> LineLevels(PresentationDocument& doc, const std::string& part, const pugi::xml_node& shape) {
  std::vector<StyledNode> levels;
  auto add = [&](const std::string& p, const pugi::xml_node& s) {
    if (pugi::xml_node own = ChildNamed(ShapePropertiesOf(s), "ln")) levels.push_back({own, {}});
    if (pugi::xml_node entry = StyleMatrixEntry(doc, p, s, "lnRef"))
      levels.push_back({entry, StyleReferenceColor(s, "lnRef")});
  };
  add(part, shape);
  for (const InheritedShape& up : PlaceholderAncestors(doc, part, shape)) add(up.part, up.shape);
  return levels;
}

pugi::xml_node OwnLine(const pugi::xml_node& shape) {
  pugi::xml_node props = ShapePropertiesOf(shape);
  if (!props) return {};
  if (pugi::xml_node ln = ChildNamed(props, "ln")) return ln;
  return InsertInOrder(props, "ln", kShapePropertyOrder);
}

pugi::xml_node ReplaceFill(pugi::xml_node holder, std::string_view localName) {
  pugi::xml_node old = FillChildOf(holder);
  std::string qualified = DrawingName(holder, localName);
  if (old) {
    pugi::xml_node made = holder.insert_child_before(qualified.c_str(), old);
    holder.remove_child(old);
    return made;
  }
  bool line = LocalName(holder) == "ln";
  return line ? InsertInOrder(holder, localName, kLineOrder) : InsertInOrder(holder, localName, kShapePropertyOrder);
}

}  // namespace quillmere::engine
