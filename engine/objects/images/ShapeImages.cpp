#include "engine/objects/images/ShapeImages.h"

#include <algorithm>
#include <optional>
#include <string>

#include "engine/model/document/XmlNames.h"
#include "engine/model/shapes/ShapeTree.h"
#include "engine/objects/images/SlideImages.h"

namespace quillmere::engine {
namespace {

using ShapePath = std::vector<int>;

// The shape's place as the renderer counts it: the index of its top-level
// shape, then its index in each group down to it. LibreOffice keeps one
// branch of an mc:AlternateContent as one shape, so the branch counts as the
// AlternateContent it is in. Nothing for a shape outside a shape tree.
std::optional<ShapePath> PathOf(const pugi::xml_node& treeChild) {
  ShapePath path;
  pugi::xml_node node = treeChild;
  for (;;) {
    pugi::xml_node parent = node.parent();
    std::string_view kind = LocalName(parent);
    if (kind == "Choice" || kind == "Fallback") {
      node = parent.parent();
      continue;
    }
    if (kind != "spTree" && kind != "grpSp") return std::nullopt;
    path.push_back(ShapesBefore(node));
    if (kind == "spTree") break;
    node = parent;
  }
  std::reverse(path.begin(), path.end());
  return path;
}

}  // namespace

Value ExportShapeImages(const std::vector<std::shared_ptr<ShapeObject>>& shapes, std::string_view member, Args args) {
  auto invalid = [&](const char* why) { return ComError(hr::kInvalidArgument, std::string(member) + " : " + why); };
  if (shapes.empty()) throw invalid("Invalid request.");
  const ShapeObject& first = *shapes.front();
  std::vector<ShapeToDraw> paths;
  for (const auto& shape : shapes) {
    if (shape->deleted) throw ComError(hr::kUnspecified, std::string(member) + " : Object does not exist.");
    if (shape->doc != first.doc || shape->part != first.part)
      throw invalid("The shapes must all be on one slide.");
    std::optional<ShapePath> path = PathOf(shape->treeNode);
    if (!path) throw invalid("This shape cannot be exported.");
    paths.push_back({std::move(*path), DrawingPropertiesOf(shape->element).attribute("name").value()});
  }
  ExportShapeImage(*first.Session(), first.doc, first.part, paths, member, args);
  return Value();
}

}  // namespace quillmere::engine
