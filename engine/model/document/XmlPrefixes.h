#pragma once
// Names for elements the engine adds to a part, spelled with the prefixes the
// part already uses, so that what it writes reads like what was there.

#include <pugixml.hpp>
#include <string>
#include <string_view>

namespace quillmere::engine {

// localName with the prefix of element `like` ("p:sp" and "xfrm" → "p:xfrm").
std::string NameLike(const pugi::xml_node& like, std::string_view localName);
// localName with the prefix bound to DrawingML at `near` ("a:" when none is).
std::string DrawingName(const pugi::xml_node& near, std::string_view localName);

}  // namespace quillmere::engine
