#include "engine/model/shapes/ShapeTree.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "engine/model/document/XmlNames.h"

namespace quillmere::engine {
namespace {

// Every kind of shape keeps its non-visual properties in its first child,
// named after the kind: p:nvSpPr, p:nvPicPr, p:nvGraphicFramePr, p:nvGrpSpPr, ...
pugi::xml_node NonVisualPropertiesOf(const pugi::xml_node& shape) {
  pugi::xml_node first = shape.first_child();
  while (first && first.type() != pugi::node_element) first = first.next_sibling();
  std::string_view name = LocalName(first);
  return name.starts_with("nv") && name.ends_with("Pr") ? first : pugi::xml_node();
}

}  // namespace

pugi::xml_node ShapeTreeOf(const pugi::xml_node& partRoot) { return ChildNamed(ChildNamed(partRoot, "cSld"), "spTree"); }

bool IsMasterRoot(const pugi::xml_node& partRoot) {
  std::string_view name = LocalName(partRoot);
  return name == "sldMaster" || name == "notesMaster";
}

bool IsShapeElement(const pugi::xml_node& node) {
  if (node.type() != pugi::node_element) return false;
  std::string_view n = LocalName(node);
  return n != "nvGrpSpPr" && n != "grpSpPr" && n != "extLst";
}

int ShapesBefore(const pugi::xml_node& treeChild) {
  int count = 0;
  for (pugi::xml_node c = treeChild.previous_sibling(); c; c = c.previous_sibling())
    if (IsShapeElement(c)) ++count;
  return count;
}

std::vector<pugi::xml_node> ShapesIn(const pugi::xml_node& container) {
  std::vector<pugi::xml_node> shapes;
  for (pugi::xml_node c = container.first_child(); c; c = c.next_sibling())
    if (IsShapeElement(c)) shapes.push_back(c);
  return shapes;
}

std::vector<pugi::xml_node> TopLevelShapes(const pugi::xml_node& partRoot) { return ShapesIn(ShapeTreeOf(partRoot)); }

pugi::xml_node DrawingPropertiesOf(const pugi::xml_node& shape) {
  return ChildNamed(NonVisualPropertiesOf(shape), "cNvPr");
}

pugi::xml_node PlaceholderOf(const pugi::xml_node& shape) {
  return ChildNamed(ChildNamed(NonVisualPropertiesOf(shape), "nvPr"), "ph");
}

pugi::xml_node ShapePropertiesOf(const pugi::xml_node& shape) {
  std::string_view kind = LocalName(shape);
  return ChildNamed(shape, kind == "grpSp" ? "grpSpPr" : kind == "tc" ? "tcPr" : kind == "bg" ? "bgPr" : "spPr");
}

bool HoldsDrawingProperties(const pugi::xml_node& element) {
  static constexpr std::array<std::string_view, 9> kHolders{
      "sp", "pic", "cxnSp", "graphicFrame", "grpSp", "contentPart", "AlternateContent", "Choice", "Fallback"};
  std::string_view name = LocalName(element);
  return (name.starts_with("nv") && name.ends_with("Pr")) ||
         std::find(kHolders.begin(), kHolders.end(), name) != kHolders.end();
}

unsigned LargestShapeId(const pugi::xml_node& partRoot) {
  unsigned largest = 0;
  ForEachDrawingProperties(ShapeTreeOf(partRoot),
                           [&](const pugi::xml_node& c) { largest = std::max(largest, c.attribute("id").as_uint()); });
  return largest;
}

}  // namespace quillmere::engine
