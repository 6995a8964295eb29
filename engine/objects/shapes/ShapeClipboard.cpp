#include "engine/objects/shapes/ShapeClipboard.h"

#include "engine/model/document/XmlNames.h"
#include "engine/model/shapes/CopiedShapes.h"
#include "engine/objects/shapes/ShapeRangeObjects.h"

namespace quillmere::engine {

void CopyShapesToClipboard(const std::vector<std::shared_ptr<ShapeObject>>& shapes, std::string_view member) {
  if (shapes.empty()) throw ComError(hr::kInvalidArgument, std::string(member) + " : Nothing to copy.");
  const ShapeObject& first = *shapes.front();
  std::vector<pugi::xml_node> children;
  for (const auto& shape : shapes) {
    // A background stands for the page's p:bg, which is no shape of its tree.
    if (shape->doc != first.doc || shape->part != first.part || LocalName(shape->element) == "bg")
      throw ComError(hr::kInvalidArgument, std::string(member) + " : Invalid request.  This shape cannot be copied.");
    children.push_back(shape->treeNode);
  }
  first.Session()->copiedShapes = std::make_shared<const CopiedShapes>(CopyShapes(*first.doc, first.part, children));
}

Value PasteShapesFromClipboard(ShapesObject& shapes) {
  const std::shared_ptr<const CopiedShapes>& copied = shapes.Session()->copiedShapes;
  if (!copied)
    throw ComError(hr::kUnspecified, "Shapes.Paste : Invalid request.  "
                                     "Clipboard is empty or contains data which may not be pasted here.");
  std::vector<pugi::xml_node> pasted = PasteShapes(*shapes.doc, shapes.part, *copied);
  if (pasted.empty())
    throw ComError(hr::kUnspecified, "Shapes.Paste : Invalid request.  The shapes cannot be pasted here.");
  std::vector<std::shared_ptr<ShapeObject>> range;
  for (const pugi::xml_node& node : pasted) range.push_back(shapes.ShapeAt(node));
  return Value(std::make_shared<ShapeRangeObject>(shapes.Session(), std::move(range)));
}

}  // namespace quillmere::engine
