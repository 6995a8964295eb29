#pragma once
// PresentationML is read by local element names: the prefixes a writer chose
// ("p:", "a:", none) do not matter, only the names under a known parent.

#include <string_view>

#include <pugixml.hpp>

namespace quillmere::engine {

std::string_view LocalName(const pugi::xml_node& node);
pugi::xml_node ChildNamed(const pugi::xml_node& parent, std::string_view localName);
// The relationship id of an element ("r:id", whatever the prefix), never the
// element's own unprefixed "id".
std::string_view RelationshipId(const pugi::xml_node& node);

template <class F>
void ForEachChildNamed(const pugi::xml_node& parent, std::string_view localName, F&& f) {
  for (pugi::xml_node c = parent.first_child(); c; c = c.next_sibling())
    if (c.type() == pugi::node_element && LocalName(c) == localName) f(c);
}

}  // namespace quillmere::engine
