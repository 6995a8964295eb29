#pragma once
// Parsing and writing XML parts the way the package keeps them.

#include <memory>
#include <string>
#include <string_view>

#include <pugixml.hpp>

namespace quillmere::engine {

// The element name without its prefix ("p:sld" → "sld").
std::string_view XmlLocalName(const pugi::xml_node& node);

// nullptr when the bytes are not well-formed XML.
std::unique_ptr<pugi::xml_document> ParseXml(std::string_view bytes);

// Unindented UTF-8 with the part's own XML declaration (its encoding
// corrected to UTF-8), or the usual standalone="yes" one when it had none.
std::string SerializeXml(pugi::xml_document& doc);

}  // namespace quillmere::engine
