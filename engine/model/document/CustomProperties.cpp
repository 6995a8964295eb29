#include "engine/model/document/CustomProperties.h"

#include "engine/core/MemberTable.h"
#include "engine/model/document/XmlNames.h"

namespace quillmere::engine {

CustomProperties::CustomProperties(Package& package) : package_(package) {
  if (const Relationship* rel = package_.FindRelationshipOfType("", "custom-properties")) {
    if (pugi::xml_document* xml = package_.FindXml(rel->target)) {
      part_ = rel->target;
      root_ = xml->document_element();
    }
  }
}

pugi::xml_node CustomProperties::PropertyAt(int index) const {
  int i = 0;
  for (pugi::xml_node p = root_.first_child(); p; p = p.next_sibling())
    if (p.type() == pugi::node_element && LocalName(p) == "property" && ++i == index) return p;
  return {};
}

int CustomProperties::Count() const {
  int n = 0;
  ForEachChildNamed(root_, "property", [&](const pugi::xml_node&) { ++n; });
  return n;
}

std::optional<int> CustomProperties::IndexOf(std::string_view name) const {
  std::string wanted = LowerAscii(name);
  int i = 0;
  std::optional<int> found;
  ForEachChildNamed(root_, "property", [&](const pugi::xml_node& p) {
    ++i;
    if (!found && LowerAscii(p.attribute("name").value()) == wanted) found = i;
  });
  return found;
}

std::string CustomProperties::Name(int index) const { return PropertyAt(index).attribute("name").value(); }

Value CustomProperties::ValueAt(int index) const {
  pugi::xml_node v = PropertyAt(index).first_child();
  while (v && v.type() != pugi::node_element) v = v.next_sibling();
  std::string_view kind = LocalName(v);
  if (kind == "bool") return Value(std::string_view(v.text().get()) == "true" || std::string_view(v.text().get()) == "1");
  if (kind == "i4" || kind == "int" || kind == "i2" || kind == "i1" || kind == "ui4" || kind == "ui2")
    return Value(v.text().as_int());
  if (kind == "r8" || kind == "r4" || kind == "decimal") return Value(v.text().as_double());
  return Value(std::string(v.text().get()));
}

void CustomProperties::Remove(int index) {
  pugi::xml_node p = PropertyAt(index);
  if (!p) return;
  root_.remove_child(p);
  package_.MarkModified(part_);
}

}  // namespace quillmere::engine
