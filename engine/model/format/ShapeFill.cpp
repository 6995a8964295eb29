#include "engine/model/format/ShapeFill.h"

#include <algorithm>
#include <array>
#include <optional>

#include "engine/model/document/SchemaOrder.h"
#include "engine/model/document/XmlNames.h"
#include "engine/model/document/XmlPrefixes.h"
#include "engine/model/format/TableCellStyle.h"
#include "engine/model/format/ThemeStyles.h"
#include "engine/model/shapes/Inheritance.h"
#include "engine/model/shapes/ShapeTree.h"

namespace quillmere::engine {
namespace {

constexpr std::array<std::string_view, 6> kFills{"noFill",   "solidFill", "gradFill",
                                                 "blipFill", "pattFill",  "grpFill"};
// The line elements of shape and cell properties.
constexpr std::array<std::string_view, 7> kLines{"ln", "lnL", "lnR", "lnT", "lnB", "lnTlToBr", "lnBlToTr"};
// The schema's order of the children of a:ln (and of a cell's lines).
constexpr std::array<std::string_view, 13> kLineOrder{"noFill",  "solidFill", "gradFill", "pattFill", "prstDash",
                                                     "custDash", "round",     "bevel",    "miter",    "headEnd",
                                                     "tailEnd",  "extLst",    ""};

bool IsTableCell(const pugi::xml_node& shape) { return LocalName(shape) == "tc"; }

// A new child of spPr, grpSpPr or a cell's tcPr where its schema wants it.
pugi::xml_node InsertProperty(pugi::xml_node props, std::string_view name) {
  return LocalName(props) == "tcPr" ? InsertInOrder(props, name, kCellPropertyOrder)
                                    : InsertInOrder(props, name, kShapePropertyOrder);
}

// The group element a shape sits in, or an empty node at the top of the tree.
pugi::xml_node EnclosingGroup(const pugi::xml_node& shape) {
  for (pugi::xml_node p = shape.parent(); p; p = p.parent()) {
    std::string_view name = LocalName(p);
    if (name == "grpSp") return p;
    if (name == "spTree") return {};
  }
  return {};
}

// The fill of one level (the shape, or a placeholder counterpart) when the
// level decides it, even as "no fill".
std::optional<StyledNode> FillOfLevel(PresentationDocument& doc, const std::string& part, const pugi::xml_node& shape) {
  if (pugi::xml_node own = FillChildOf(ShapePropertiesOf(shape))) return StyledNode{own, {}};
  if (IsTableCell(shape)) return TableStyleFill(doc, part, shape);
  // A background names one of the theme's background fills with the colour for phClr.
  if (pugi::xml_node reference = ChildNamed(shape, "bgRef"))
    return StyledNode{ThemeStyleEntry(doc, part, reference), ReferenceColor(reference)};
  if (ChildNamed(ChildNamed(shape, "style"), "fillRef"))
    return StyledNode{StyleMatrixEntry(doc, part, shape, "fillRef"), StyleReferenceColor(shape, "fillRef")};
  return std::nullopt;
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
  StyledNode found = NearestDecision(doc, part, shape, [&](const std::string& p, const pugi::xml_node& s) {
                       return FillOfLevel(doc, p, s);
                     }).value_or(StyledNode{});
  // A style entry is itself a fill element (fillStyleLst holds fills).
  if (found.node && !IsFillElement(found.node)) found.node = {};
  if (LocalName(found.node) == "grpFill") {
    pugi::xml_node group = EnclosingGroup(shape);
    return group ? EffectiveFill(doc, part, group) : StyledNode{};
  }
  return found;
}

std::vector<StyledNode> LineLevels(PresentationDocument& doc, const std::string& part, const pugi::xml_node& shape,
                                   std::string_view line) {
  std::vector<StyledNode> levels;
  auto addOwn = [&](const pugi::xml_node& s) {
    if (pugi::xml_node own = ChildNamed(ShapePropertiesOf(s), line)) levels.push_back({own, {}});
  };
  if (IsTableCell(shape)) {
    addOwn(shape);
    if (StyledNode styled = TableStyleLine(doc, part, shape, line); styled.node) levels.push_back(styled);
    return levels;
  }
  ForEachInheritedLevel(doc, part, shape, [&](const std::string& p, const pugi::xml_node& s) {
    addOwn(s);
    if (pugi::xml_node entry = StyleMatrixEntry(doc, p, s, "lnRef"))
      levels.push_back({entry, StyleReferenceColor(s, "lnRef")});
  });
  return levels;
}

pugi::xml_node OwnLine(const pugi::xml_node& shape, std::string_view line) {
  pugi::xml_node props = ShapePropertiesOf(shape);
  if (!props) return {};
  if (pugi::xml_node ln = ChildNamed(props, line)) return ln;
  return InsertProperty(props, line);
}

pugi::xml_node ReplaceFill(pugi::xml_node holder, std::string_view localName) {
  pugi::xml_node old = FillChildOf(holder);
  std::string qualified = DrawingName(holder, localName);
  if (old) {
    pugi::xml_node made = holder.insert_child_before(qualified.c_str(), old);
    holder.remove_child(old);
    return made;
  }
  bool line = std::find(kLines.begin(), kLines.end(), LocalName(holder)) != kLines.end();
  return line ? InsertInOrder(holder, localName, kLineOrder) : InsertProperty(holder, localName);
}

}  // namespace quillmere::engine
