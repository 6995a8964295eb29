#pragma once
// PresentationML is read by local element names: the prefixes a writer chose
// ("p:", "a:", none) do not matter, only the names under a known parent.

#include <string_view>

#include <pugixml.hpp>

namespace quillmere::engine {

std::string_view LocalName(const pugi::xml_node& node);
pugi::xml_node ChildNamed(const pugi::xml_node& parent, std::string_view localName);
// The attribute "r:id"-style lookup by local name ("id" matches "r:id").
pugi::xml_attribute AttributeNamed(const pugi::xml_node& node, std::string_view localName);

template <class F>
void ForEachChildNamed(const pugi::xml_node& parent, std::string_view localName, F&& f) {
  for (pugi::xml_node c = parent.first_child(); c; c = c.next_sibling())
    if (c.type() == pugi::node_element && LocalName(c) == localName) f(c);
}

}  // namespace quillmere::engine
