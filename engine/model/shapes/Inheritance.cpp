#include "engine/model/shapes/Inheritance.h"

#include <string_view>

#include "engine/model/document/XmlNames.h"
#include "engine/model/shapes/ShapeTree.h"

namespace quillmere::engine {
namespace {

// The part a relationship of that type leads to inside the package, or empty.
std::string InternalTarget(Package& package, const std::string& part, std::string_view type) {
  const Relationship* rel = package.FindRelationshipOfType(part, type);
  return rel && !rel->external ? rel->target : std::string();
}

// A notes page follows the notes master; one made here has no relationships
// of its own and follows the presentation's.
std::string NotesMasterOf(PresentationDocument& doc, const std::string& notesPart) {
  Package& package = doc.Pkg();
  const Relationship* master = package.FindRelationshipOfType(notesPart, "notesMaster");
  if (!master) master = package.FindRelationshipOfType(doc.MainPart(), "notesMaster");
  return master && !master->external && package.HasPart(master->target) ? master->target : std::string();
}

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

// The counterpart of placeholder ph among the placeholders of a layout or
// master part: the one with the same idx, else the first of the same kind.
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

}  // namespace

InheritedParts InheritedPartsOf(PresentationDocument& doc, const std::string& part) {
  InheritedParts parts;
  pugi::xml_node root = doc.PartRoot(part);
  std::string_view kind = LocalName(root);
  if (kind == "notes") {
    parts.master = NotesMasterOf(doc, part);
  } else if (IsMasterRoot(root)) {
    parts.master = part;
  } else {
    // A master relates to its layouts too, so only a slide is followed to a layout.
    if (kind == "sld") parts.layout = InternalTarget(doc.Pkg(), part, "slideLayout");
    const std::string& layout = kind == "sld" ? parts.layout : part;
    if (!layout.empty() && LocalName(doc.PartRoot(layout)) == "sldLayout")
      parts.master = InternalTarget(doc.Pkg(), layout, "slideMaster");
  }
  if (!parts.master.empty() && IsMasterRoot(doc.PartRoot(parts.master)))
    parts.theme = InternalTarget(doc.Pkg(), parts.master, "theme");
  return parts;
}

std::vector<std::string> InheritanceChain(PresentationDocument& doc, const std::string& part) {
  InheritedParts parts = InheritedPartsOf(doc, part);
  std::vector<std::string> chain{part};
  if (!parts.layout.empty()) chain.push_back(std::move(parts.layout));
  if (!parts.master.empty() && parts.master != part) chain.push_back(std::move(parts.master));
  return chain;
}

std::string_view MasterPlaceholderKind(const pugi::xml_node& ph) { return MasterKind(TypeToken(ph)); }

std::vector<InheritedShape> FindInheritedShapes(PresentationDocument& doc, const std::string& part,
                                                const pugi::xml_node& shape) {
  std::vector<InheritedShape> ancestors;
  pugi::xml_node ph = PlaceholderOf(shape);
  if (!ph) return ancestors;
  std::vector<std::string> chain = InheritanceChain(doc, part);
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
