#include <array>
#include <optional>
#include <set>
#include <string_view>
#include <unordered_map>

#include "engine/model/shapes/CopiedShapes.h"
#include "engine/model/shapes/ShapeGeometry.h"
#include "engine/model/shapes/ShapeKind.h"
#include "engine/model/shapes/ShapeTree.h"

namespace quillmere::engine {
namespace {

constexpr std::array<std::string_view, 2> kRelationshipNamespaces = {
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships",
    "http://purl.oclc.org/ooxml/officeDocument/relationships"};

// Relationship types that tie a shape to its own deck: a link to a slide means nothing in another one.
bool TiesToDeck(std::string_view type) {
  for (std::string_view kind :
       {"/slide", "/slideLayout", "/slideMaster", "/notesSlide", "/notesMaster", "/handoutMaster", "/theme"})
    if (type.ends_with(kind)) return true;
  return false;
}

// Reads each part once, however many relationships reach it.
class PartCopier {
 public:
  PartCopier(Package& package, std::vector<CopiedPart>& parts) : package_(package), parts_(parts) {}

  std::optional<CopiedRelationship> Copy(const Relationship& r) {
    if (TiesToDeck(r.type)) return std::nullopt;
    CopiedRelationship copy{r.id, r.type, {}, -1};
    if (r.external) {
      copy.external = r.target;
      return copy;
    }
    copy.part = Part(r.target);
    if (copy.part < 0) return std::nullopt;
    return copy;
  }

 private:
  int Part(const std::string& name) {
    if (auto known = indexes_.find(name); known != indexes_.end()) return known->second;
    indexes_.emplace(name, -1);  // until it is copied: missing or unreadable
    if (!package_.HasPart(name)) return -1;
    CopiedPart part{name, {}, package_.ContentType(name), {}};
    try {
      part.bytes = package_.ReadBytes(name);
    } catch (const PackageError&) {
      return -1;  // unreadable: the shape goes without it, as without a missing one
    }
    int index = static_cast<int>(parts_.size());
    indexes_[name] = index;
    parts_.push_back(std::move(part));
    std::vector<CopiedRelationship> relationships;
    for (const Relationship& r : std::vector<Relationship>(package_.Relationships(name)))
      if (std::optional<CopiedRelationship> copy = Copy(r)) relationships.push_back(std::move(*copy));
    parts_[static_cast<std::size_t>(index)].relationships = std::move(relationships);
    return index;
  }

  Package& package_;
  std::vector<CopiedPart>& parts_;
  std::unordered_map<std::string, int> indexes_;
};

// The namespace declarations in scope at a node, each once, the nearest winning.
void DeclareNamespacesInScope(pugi::xml_node copyRoot, const pugi::xml_node& at) {
  for (pugi::xml_node n = at; n && n.type() == pugi::node_element; n = n.parent())
    for (pugi::xml_attribute a = n.first_attribute(); a; a = a.next_attribute()) {
      std::string_view name = a.name();
      if ((name == "xmlns" || name.starts_with("xmlns:")) && !copyRoot.attribute(a.name()))
        copyRoot.append_attribute(a.name()) = a.value();
    }
}

// A shape in a group, or a placeholder taking its frame from its layout, gets
// its own frame as seen on the slide.
void PinFrame(PresentationDocument& doc, const std::string& part, const pugi::xml_node& original,
              const pugi::xml_node& copy) {
  std::vector<pugi::xml_node> originals = ShapeVariants(original), copies = ShapeVariants(copy);
  for (std::size_t i = 0; i < originals.size() && i < copies.size(); ++i) {
    pugi::xml_node xfrm = TransformOf(originals[i]);
    bool ownFrame = ChildNamed(xfrm, "off") && ChildNamed(xfrm, "ext");
    if (ownFrame && EnclosingGroups(originals[i]).empty()) continue;
    SetSlideFrame(copies[i], SlideFrame(doc, part, originals[i]));
  }
}

}  // namespace

void ForEachRelationshipAttribute(const pugi::xml_node& root,
                                  const std::function<void(pugi::xml_node, pugi::xml_attribute)>& f) {
  auto visit = [&](const pugi::xml_node& element) {
    for (pugi::xml_attribute a = element.first_attribute(); a; a = a.next_attribute()) {
      std::string_view name = a.name();
      std::size_t colon = name.find(':');
      if (colon == std::string_view::npos || name.starts_with("xmlns:")) continue;
      std::string_view uri = NamespaceOfPrefix(element, name.substr(0, colon));
      if (uri == kRelationshipNamespaces[0] || uri == kRelationshipNamespaces[1]) f(element, a);
    }
  };
  visit(root);
  ForEachElementBelow(root, visit);
}

CopiedShapes CopyShapes(PresentationDocument& doc, const std::string& part,
                        const std::vector<pugi::xml_node>& treeChildren) {
  CopiedShapes copied;
  copied.xml = std::make_shared<pugi::xml_document>();
  pugi::xml_node root = copied.xml->append_child("copied");
  if (treeChildren.empty()) return copied;
  DeclareNamespacesInScope(root, treeChildren.front().parent());
  for (const pugi::xml_node& child : treeChildren) PinFrame(doc, part, child, root.append_copy(child));

  PartCopier copier(doc.Pkg(), copied.parts);
  std::set<std::string, std::less<>> seen;
  ForEachRelationshipAttribute(root, [&](pugi::xml_node, pugi::xml_attribute a) {
    if (!seen.insert(a.value()).second) return;
    const Relationship* r = doc.Pkg().FindRelationship(part, a.value());
    if (!r) return;
    if (std::optional<CopiedRelationship> copy = copier.Copy(*r)) copied.relationships.push_back(std::move(*copy));
  });
  return copied;
}

}  // namespace quillmere::engine
