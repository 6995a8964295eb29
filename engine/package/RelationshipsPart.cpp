#include "engine/package/RelationshipsPart.h"

#include "engine/package/PartName.h"
#include "engine/package/XmlPart.h"

namespace quillmere::engine {
namespace {

bool Listed(const pugi::xml_node& n) {
  return n.type() == pugi::node_element && XmlLocalName(n) == "Relationship" && *n.attribute("Id").value() &&
         n.attribute("Target");
}

}  // namespace

RelationshipList ReadRelationships(const pugi::xml_document* rels, std::string_view sourcePart) {
  RelationshipList list;
  if (!rels) return list;
  for (pugi::xml_node n = rels->document_element().first_child(); n; n = n.next_sibling())
    ElementAdded(list, n, sourcePart);
  return list;
}

void ElementAdded(RelationshipList& list, const pugi::xml_node& element, std::string_view sourcePart) {
  if (!Listed(element)) return;
  Relationship r;
  r.id = element.attribute("Id").value();
  r.type = element.attribute("Type").value();
  r.external = LowerAscii(element.attribute("TargetMode").value()) == "external";
  const char* target = element.attribute("Target").value();
  r.target = r.external ? target : ResolvePartName(sourcePart, target);
  list.byId.try_emplace(r.id, list.items.size());
  list.items.push_back(std::move(r));
}

// The element is the first with its id, as the DOM is searched.
void ElementRemoved(RelationshipList& list, const pugi::xml_node& element) {
  if (!Listed(element)) return;
  auto found = list.byId.find(element.attribute("Id").value());
  if (found == list.byId.end()) return;
  list.items.erase(list.items.begin() + static_cast<std::ptrdiff_t>(found->second));
  list.byId.clear();
  for (std::size_t i = 0; i < list.items.size(); ++i) list.byId.try_emplace(list.items[i].id, i);
}

}  // namespace quillmere::engine
