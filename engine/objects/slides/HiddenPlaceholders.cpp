#include "engine/objects/slides/HiddenPlaceholders.h"

#include <algorithm>
#include <vector>

#include "engine/model/shapes/ShapeKind.h"
#include "engine/model/shapes/ShapeTree.h"
#include "engine/package/XmlPart.h"

namespace quillmere::engine {
namespace {

bool IsHiddenPlaceholder(const pugi::xml_node& treeChild) {
  pugi::xml_node shape = ResolvedShape(treeChild);
  return PlaceholderOf(shape) && DrawingPropertiesOf(shape).attribute("hidden").as_bool();
}

}  // namespace

Package::ReplacedParts SlidesWithoutHiddenPlaceholders(PresentationDocument& doc) {
  Package::ReplacedParts replaced;
  Package& package = doc.Pkg();
  for (const SlideEntry& slide : doc.Slides()) {
    // Only an edit hides a shape the deck showed: the deck's own slides are drawn as LibreOffice reads them.
    if (package.PartRevision(slide.part) == 0) continue;
    const std::vector<pugi::xml_node>& shapes = doc.TopLevelShapesOf(slide.part);
    pugi::xml_document* xml = package.FindXml(slide.part);
    if (!xml || std::none_of(shapes.begin(), shapes.end(), IsHiddenPlaceholder)) continue;
    pugi::xml_document copy;
    copy.reset(*xml);
    std::vector<pugi::xml_node> hidden;
    for (const pugi::xml_node& shape : TopLevelShapes(copy.document_element()))
      if (IsHiddenPlaceholder(shape)) hidden.push_back(shape);
    for (const pugi::xml_node& shape : hidden) shape.parent().remove_child(shape);
    replaced.emplace(slide.part, SerializeXml(copy));
  }
  return replaced;
}

}  // namespace quillmere::engine
