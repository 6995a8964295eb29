#include "engine/model/media/SlidePictures.h"

#include <unordered_set>

#include "engine/model/document/XmlNames.h"
#include "engine/model/shapes/ShapeTree.h"

namespace quillmere::engine {

std::vector<std::string> SlidePictureParts(PresentationDocument& doc) {
  std::vector<std::string> parts;
  std::unordered_set<std::string> listed;
  Package& package = doc.Pkg();
  for (const SlideEntry& slide : doc.Slides()) {
    ForEachElementBelow(ChildNamed(doc.PartRoot(slide.part), "cSld"), [&](const pugi::xml_node& n) {
      std::string_view name = LocalName(n);
      if (name != "blip" && name != "svgBlip") return;
      std::string_view id = PrefixedAttribute(n, "embed").value();
      const Relationship* r = id.empty() ? nullptr : package.FindRelationship(slide.part, id);
      if (r && !r->external && package.HasPart(r->target) && listed.insert(r->target).second)
        parts.push_back(r->target);
    });
  }
  return parts;
}

}  // namespace quillmere::engine
