#include "engine/package/ContentTypes.h"

#include "engine/package/PartName.h"
#include "engine/package/XmlPart.h"

namespace quillmere::engine {
namespace {

std::string ExtensionKey(std::string_view partName) {
  size_t slash = partName.rfind('/');
  size_t dot = partName.rfind('.');
  if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return {};
  return LowerAscii(partName.substr(dot + 1));
}

}  // namespace

ContentTypes::ContentTypes(pugi::xml_document& doc) : root_(doc.document_element()) {
  std::string_view rootName = root_.name();
  size_t colon = rootName.find(':');
  if (colon != std::string_view::npos) prefix_ = std::string(rootName.substr(0, colon + 1));
  for (pugi::xml_node n = root_.first_child(); n; n = n.next_sibling()) {
    if (n.type() != pugi::node_element) continue;
    std::string_view kind = XmlLocalName(n);
    // The first entry for a name wins, as later duplicates are the writer's mistake.
    if (kind == "Default")
      defaults_.try_emplace(LowerAscii(n.attribute("Extension").value()), n.attribute("ContentType").value());
    else if (kind == "Override")
      overrides_.try_emplace(PartKey(n.attribute("PartName").value()), n);
  }
}

std::string ContentTypes::Find(std::string_view partName) const {
  if (auto it = overrides_.find(PartKey(partName)); it != overrides_.end())
    return it->second.attribute("ContentType").value();
  auto it = defaults_.find(ExtensionKey(CanonicalPartName(partName)));
  return it == defaults_.end() ? std::string() : it->second;
}

void ContentTypes::SetOverride(std::string_view partName, std::string_view contentType) {
  std::string key = PartKey(partName);
  auto it = overrides_.find(key);
  if (it == overrides_.end()) {
    pugi::xml_node n = root_.append_child((prefix_ + "Override").c_str());
    n.append_attribute("PartName").set_value(("/" + CanonicalPartName(partName)).c_str());
    n.append_attribute("ContentType");
    it = overrides_.emplace(key, n).first;
  }
  it->second.attribute("ContentType").set_value(std::string(contentType).c_str());
  changed_ = true;
}

void ContentTypes::RemoveOverride(std::string_view partName) {
  std::string key = PartKey(partName);
  auto it = overrides_.find(key);
  if (it == overrides_.end()) return;
  // Later duplicates of the same name go too, so none comes back into effect.
  for (pugi::xml_node n = root_.first_child(); n;) {
    pugi::xml_node next = n.next_sibling();
    if (n.type() == pugi::node_element && XmlLocalName(n) == "Override" && PartKey(n.attribute("PartName").value()) == key)
      root_.remove_child(n);
    n = next;
  }
  overrides_.erase(it);
  changed_ = true;
}

}  // namespace quillmere::engine

