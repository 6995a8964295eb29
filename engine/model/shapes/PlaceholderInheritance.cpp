#include "engine/model/shapes/PlaceholderInheritance.h"

#include <string_view>

#include "engine/model/document/XmlNames.h"
#include "engine/model/shapes/ShapeTree.h"

namespace quillmere::engine {
namespace {

std::string_view TypeToken(const pugi::xml_node& ph) {
  std::string_view type = ph.attribute("type").value();
  return type.empty() ? "obj" : type;
}

// A master has only title, body, date, footer and slide-number placeholders:
// every content kind a layout offers takes its formatting from the body.
std::string_view MasterKind(std::string_view type) {
  if (type == "title" || type == "ctrTitle") return "title";
  if (type == "dt" || type == "ftr" || type == "sldNum" || type == "hdr") return type;
  return "body";
}

std::string_view LayoutKind(std::string_view type) { return type == "ctrTitle" ? "title" : type; }

bool SameKind(std::string_view a, std::string_view b, bool onMaster) {
  return onMaster ? MasterKind(a) == MasterKind(b) : LayoutKind(a) == LayoutKind(b);
}

}  // namespace

std::string_view MasterPlaceholderKind(const pugi::xml_node& ph) { return MasterKind(TypeToken(ph)); }

pugi::xml_node MatchingPlaceholder(const pugi::xml_node& ph, const pugi::xml_node& partRoot, bool onMaster) {
  pugi::xml_attribute idx = ph.attribute("idx");
  std::string_view type = TypeToken(ph);
  pugi::xml_node byKind;
  for (const pugi::xml_node& candidate : TopLevelShapes(partRoot)) {
    pugi::xml_node other = PlaceholderOf(candidate);
    if (!other) continue;
    // Masters are matched by kind alone: their idx values are their own.
    if (!onMaster && idx && other.attribute("idx") && other.attribute("idx").as_uint() == idx.as_uint())
      return candidate;
    if (!byKind && SameKind(type, TypeToken(other), onMaster)) byKind = candidate;
  }
  return byKind;
}

std::vector<InheritedShape> FindPlaceholderAncestors(PresentationDocument& doc, const std::string& part,
                                                     const pugi::xml_node& shape) {
  std::vector<InheritedShape> ancestors;
  pugi::xml_node ph = PlaceholderOf(shape);
  if (!ph) return ancestors;
  std::vector<std::string> chain = doc.InheritanceChain(part);
  for (std::size_t i = 1; i < chain.size() && ph; ++i) {
    pugi::xml_node root = doc.PartRoot(chain[i]);
    pugi::xml_node match = MatchingPlaceholder(ph, root, IsMasterRoot(root));
    if (!match) break;
    ancestors.push_back({chain[i], match});
    ph = PlaceholderOf(match);
  }
  return ancestors;
}

}  // namespace quillmere::engine
