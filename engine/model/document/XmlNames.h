#pragma once
// PresentationML is read by local element names: the prefixes a writer chose
// ("p:", "a:", none) do not matter, only the names under a known parent.

#include <string_view>

#include <pugixml.hpp>

namespace quillmere::engine {

std::string_view LocalName(const pugi::xml_node& node);
pugi::xml_node ChildNamed(const pugi::xml_node& parent, std::string_view localName);
// The first attribute with this local name and some prefix ("p14:dur" for
// "dur"), never an unprefixed attribute of the same name.
pugi::xml_attribute PrefixedAttribute(const pugi::xml_node& node, std::string_view localName);
// The namespace URI a prefix is bound to at this element, or "" when unbound.
std::string_view NamespaceOfPrefix(const pugi::xml_node& node, std::string_view prefix);
// The relationship id of an element ("r:id", whatever the prefix), never the
// element's own unprefixed "id".
std::string_view RelationshipId(const pugi::xml_node& node);

template <class F>
void ForEachChildNamed(const pugi::xml_node& parent, std::string_view localName, F&& f) {
  for (pugi::xml_node c = parent.first_child(); c; c = c.next_sibling())
    if (c.type() == pugi::node_element && LocalName(c) == localName) f(c);
}

}  // namespace quillmere::engine
