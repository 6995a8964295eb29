#include "engine/model/document/XmlPrefixes.h"

namespace quillmere::engine {
namespace {

constexpr std::string_view kDrawingNamespace = "http://schemas.openxmlformats.org/drawingml/2006/main";

std::string Joined(std::string_view prefix, std::string_view localName) {
  return prefix.empty() ? std::string(localName) : std::string(prefix) + ":" + std::string(localName);
}

}  // namespace

std::string NameLike(const pugi::xml_node& like, std::string_view localName) {
  std::string_view name = like.name();
  std::size_t colon = name.find(':');
  return Joined(colon == std::string_view::npos ? std::string_view() : name.substr(0, colon), localName);
}

std::string DrawingName(const pugi::xml_node& near, std::string_view localName) {
  for (pugi::xml_node n = near; n; n = n.parent())
    for (pugi::xml_attribute a = n.first_attribute(); a; a = a.next_attribute()) {
      std::string_view name = a.name();
      if (a.value() != kDrawingNamespace) continue;
      if (name == "xmlns") return std::string(localName);
      if (name.starts_with("xmlns:")) return Joined(name.substr(6), localName);
    }
  return Joined("a", localName);
}

}  // namespace quillmere::engine
