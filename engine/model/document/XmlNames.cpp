#include "engine/model/document/XmlNames.h"

#include <string>

namespace quillmere::engine {

namespace {
std::string_view AfterPrefix(std::string_view name) {
  auto colon = name.find(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

// One pass over the qualified name, without measuring it first: child
// searches compare the names of most elements a writer reads.
bool HasLocalName(const char* name, std::string_view localName) {
  const char* local = name;
  for (const char* p = name; *p; ++p)
    if (*p == ':') {
      local = p + 1;
      break;
    }
  // Character by character: most names differ in their first letter.
  for (char wanted : localName)
    if (*local++ != wanted) return false;
  return *local == '\0';
}
}  // namespace

// One pass that finds the colon and the end together: the writers' every
// child search and shape test asks for names, a few million times a large deck.
std::string_view LocalName(const pugi::xml_node& node) {
  const char* name = node.name();
  const char* local = name;
  const char* p = name;
  for (; *p; ++p)
    if (*p == ':' && local == name) local = p + 1;
  return {local, static_cast<std::size_t>(p - local)};
}

pugi::xml_node ChildNamed(const pugi::xml_node& parent, std::string_view localName) {
  for (pugi::xml_node c = parent.first_child(); c; c = c.next_sibling())
    if (c.type() == pugi::node_element && HasLocalName(c.name(), localName)) return c;
  return {};
}

pugi::xml_attribute PrefixedAttribute(const pugi::xml_node& node, std::string_view localName) {
  for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute()) {
    std::string_view name = a.name();
    if (name.find(':') != std::string_view::npos && !name.starts_with("xmlns:") && AfterPrefix(name) == localName)
      return a;
  }
  return {};
}

std::string_view NamespaceOfPrefix(const pugi::xml_node& node, std::string_view prefix) {
  std::string declaration = "xmlns:" + std::string(prefix);
  for (pugi::xml_node n = node; n; n = n.parent())
    if (pugi::xml_attribute a = n.attribute(declaration.c_str())) return a.value();
  return {};
}

std::string_view RelationshipId(const pugi::xml_node& node) { return PrefixedAttribute(node, "id").value(); }

}  // namespace quillmere::engine
