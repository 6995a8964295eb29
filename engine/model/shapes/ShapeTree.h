#pragma once
// The shapes of a slide, layout, master or notes part: the element children
// of its shape tree, their non-visual properties and the placeholder each may
// stand for.

#include <vector>

#include <pugixml.hpp>

#include "engine/model/document/XmlNames.h"

namespace quillmere::engine {

// Whether a part's root is a master (a slide master or the notes master):
// the end of an inheritance chain, with its own colour map and theme.
bool IsMasterRoot(const pugi::xml_node& partRoot);
// p:cSld/p:spTree of a part's root, or an empty node.
pugi::xml_node ShapeTreeOf(const pugi::xml_node& partRoot);
// Whether a child of a shape tree is a shape rather than the tree's own properties.
bool IsShapeElement(const pugi::xml_node& node);
// How many shapes come before a child of a shape tree or group.
int ShapesBefore(const pugi::xml_node& treeChild);
// The shapes directly in a shape tree or group, back to front.
std::vector<pugi::xml_node> ShapesIn(const pugi::xml_node& container);
// The top-level shapes of a part, back to front.
std::vector<pugi::xml_node> TopLevelShapes(const pugi::xml_node& partRoot);
// p:cNvPr of a shape (its id and name), or an empty node.
pugi::xml_node DrawingPropertiesOf(const pugi::xml_node& shape);
// p:nvPr/p:ph of a shape, or an empty node when the shape is no placeholder.
pugi::xml_node PlaceholderOf(const pugi::xml_node& shape);
// p:spPr (p:grpSpPr for a group, a:tcPr for a table cell, p:bgPr for a
// background): where a shape keeps its own formatting; empty for frames.
pugi::xml_node ShapePropertiesOf(const pugi::xml_node& shape);

// Calls f with every element below root, depth first, without recursion
// (shape trees nest groups without a bound), going below an element only
// when enter(element) says so.
template <class Enter, class F>
void ForEachElementEntering(const pugi::xml_node& root, Enter&& enter, F&& f) {
  for (pugi::xml_node n = root.first_child(); n;) {
    const bool element = n.type() == pugi::node_element;
    if (element) f(n);
    if (element && n.first_child() && enter(n)) {
      n = n.first_child();
      continue;
    }
    while (n && !n.next_sibling() && n != root) n = n.parent();
    if (!n || n == root) break;
    n = n.next_sibling();
  }
}
// Calls f with every element below root.
template <class F>
void ForEachElementBelow(const pugi::xml_node& root, F&& f) {
  ForEachElementEntering(root, [](const pugi::xml_node&) { return true; }, f);
}
// True for the elements that hold shapes or a shape's drawing properties:
// shapes, groups, alternate-content branches and the nv*Pr of each.
bool HoldsDrawingProperties(const pugi::xml_node& element);
// Calls f with every p:cNvPr below root: the shape's own and its members'.
// Text, geometry and fills are not walked: a picture's copy can be large.
template <class F>
void ForEachDrawingProperties(const pugi::xml_node& root, F&& f) {
  ForEachElementEntering(root, HoldsDrawingProperties, [&](const pugi::xml_node& n) {
    if (LocalName(n) == "cNvPr") f(n);
  });
}
// The largest shape id of a part's shape tree (0 when it has none).
unsigned LargestShapeId(const pugi::xml_node& partRoot);

}  // namespace quillmere::engine
