#include "engine/package/RelationshipsPart.h"

#include "engine/package/PartName.h"
#include "engine/package/XmlPart.h"

namespace quillmere::engine {
RelationshipList ReadRelationships(const pugi::xml_document* rels, std::string_view sourcePart) {
  RelationshipList list;
  if (!rels) return list;
  for (pugi::xml_node n = rels->document_element().first_child(); n; n = n.next_sibling()) {
    if (n.type() != pugi::node_element || XmlLocalName(n) != "Relationship") continue;
    pugi::xml_attribute id = n.attribute("Id"), target = n.attribute("Target");
    if (!*id.value() || !target) continue;
    Relationship r;
    r.id = id.value();
    r.type = n.attribute("Type").value();
    r.external = LowerAscii(n.attribute("TargetMode").value()) == "external";
    r.target = r.external ? target.value() : ResolvePartName(sourcePart, target.value());
    list.byId.try_emplace(r.id, list.items.size());
    list.items.push_back(std::move(r));
  }
  return list;
}

}  // namespace quillmere::engine
