#include <set>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "engine/model/shapes/CopiedShapes.h"
#include "engine/model/shapes/ShapeEdits.h"
#include "engine/model/shapes/ShapeTree.h"
#include "engine/package/PartName.h"

namespace quillmere::engine {
namespace {

// What a part without a content type of its own is saved as.
constexpr std::string_view kOctetStream = "application/octet-stream";

// The relationships that reach a part, which decide how PowerPoint names it.
struct Reach {
  bool image = false, media = false, audio = false;
};

std::vector<Reach> ReachOf(const CopiedShapes& copied) {
  std::vector<Reach> reach(copied.parts.size());
  auto note = [&](const CopiedRelationship& r) {
    if (r.part < 0) return;
    Reach& to = reach[static_cast<std::size_t>(r.part)];
    std::string_view type = r.type;
    if (type.ends_with("/image")) to.image = true;
    // The media relationship of PowerPoint 2010 (p14:media) and a movie's own.
    if (type.ends_with("/media") || type.ends_with("/video")) to.media = true;
    if (type.ends_with("/audio")) to.audio = true;
  };
  for (const CopiedRelationship& r : copied.relationships) note(r);
  for (const CopiedPart& part : copied.parts)
    for (const CopiedRelationship& r : part.relationships) note(r);
  return reach;
}

// "ppt/charts/chart12.xml" → "ppt/charts/chart12" and "xml", its number dropped when asked.
std::pair<std::string, std::string> StemAndExtension(std::string_view name, bool dropNumber) {
  std::size_t slash = name.rfind('/'), dot = name.rfind('.');
  std::string extension;
  if (dot != std::string_view::npos && (slash == std::string_view::npos || dot > slash)) {
    extension = LowerAscii(name.substr(dot + 1));
    name = name.substr(0, dot);
  }
  if (dropNumber) name = name.substr(0, name.find_last_not_of("0123456789") + 1);
  return {std::string(name), extension};
}

// Numbers parts as PowerPoint does, counting every extension: "image1.png", then "image2.jpeg".
class PartNamer {
 public:
  explicit PartNamer(PresentationDocument& doc) {
    const std::string& main = doc.MainPart();
    mediaFolder_ = main.substr(0, main.rfind('/') + 1) + "media/";
    for (const std::string& name : doc.Pkg().PartNames()) taken_.insert(PartKey(StemAndExtension(name, false).first));
  }

  std::string NameFor(const CopiedPart& part, const Reach& reach) {
    auto [stem, extension] = StemAndExtension(part.name, true);
    // A sound that only an audio relationship reaches is a sound effect, which PowerPoint keeps as "audioN".
    if (reach.media) stem = mediaFolder_ + "media";
    else if (reach.audio) stem = mediaFolder_ + "audio";
    else if (reach.image) stem = mediaFolder_ + "image";
    for (unsigned n = 1;; ++n) {
      std::string numbered = stem + std::to_string(n);
      if (taken_.insert(PartKey(numbered)).second) return numbered + (extension.empty() ? "" : "." + extension);
    }
  }

 private:
  std::string mediaFolder_;
  std::set<std::string> taken_;  // part keys without their extensions
};

Relationship InTarget(const CopiedRelationship& r, const std::vector<std::string>& names) {
  if (r.part < 0) return Relationship{r.id, r.type, r.external, true};
  return Relationship{r.id, r.type, names[static_cast<std::size_t>(r.part)], false};
}

// The copied parts put into the package, with their own relationships under
// their own ids (the parts name them so); returns their new names.
std::vector<std::string> PutParts(PresentationDocument& doc, const CopiedShapes& copied) {
  std::vector<Reach> reach = ReachOf(copied);
  PartNamer namer(doc);
  std::vector<std::string> names;
  for (std::size_t i = 0; i < copied.parts.size(); ++i) names.push_back(namer.NameFor(copied.parts[i], reach[i]));
  Package& package = doc.Pkg();
  for (std::size_t i = 0; i < copied.parts.size(); ++i) {
    const CopiedPart& part = copied.parts[i];
    package.PutPart(names[i], part.bytes, part.contentType.empty() ? kOctetStream : std::string_view(part.contentType));
  }
  for (std::size_t i = 0; i < copied.parts.size(); ++i)
    for (const CopiedRelationship& r : copied.parts[i].relationships)
      package.AddRelationship(names[i], InTarget(r, names));
  return names;
}

// The declaration of that name in scope at a node, "" when there is none.
std::string_view DeclaredAt(const pugi::xml_node& at, const char* declaration) {
  for (pugi::xml_node n = at; n; n = n.parent())
    if (pugi::xml_attribute a = n.attribute(declaration)) return a.value();
  return {};
}

// A pasted shape declares the namespaces its source had in scope that the
// target's tree does not have bound the same way.
void DeclareNamespaces(pugi::xml_node pasted, const pugi::xml_node& copiedRoot) {
  for (pugi::xml_attribute a = copiedRoot.first_attribute(); a; a = a.next_attribute())
    if (!pasted.attribute(a.name()) && DeclaredAt(pasted.parent(), a.name()) != a.value())
      pasted.append_attribute(a.name()) = a.value();
}

// Relationship ids as the target part has them; a reference to none is
// dropped (an empty one, as actions write it, is left alone).
void Renumber(const pugi::xml_node& pasted, const std::unordered_map<std::string, std::string>& ids) {
  std::vector<std::pair<pugi::xml_node, pugi::xml_attribute>> dropped;
  ForEachRelationshipAttribute(pasted, [&](pugi::xml_node element, pugi::xml_attribute a) {
    if (*a.value() == '\0') return;
    if (auto id = ids.find(a.value()); id != ids.end())
      a.set_value(id->second.c_str());
    else
      dropped.emplace_back(element, a);
  });
  for (auto& [element, a] : dropped) element.remove_attribute(a);
}

}  // namespace

std::vector<pugi::xml_node> PasteShapes(PresentationDocument& doc, const std::string& part,
                                        const CopiedShapes& copied) {
  pugi::xml_node tree = ShapeTreeOf(doc.PartRoot(part));
  pugi::xml_node copiedRoot = copied.xml ? copied.xml->document_element() : pugi::xml_node();
  if (!tree || !copiedRoot.first_child()) return {};
  std::vector<std::string> names = PutParts(doc, copied);
  std::unordered_map<std::string, std::string> ids;
  for (const CopiedRelationship& r : copied.relationships)
    ids.emplace(r.id, doc.Pkg().AddRelationship(part, InTarget(r, names)));

  doc.TakeShapeIds(part, 0);  // counts on from the part's own ids, not the copies' old ones
  pugi::xml_node extLst = ChildNamed(tree, "extLst");  // stays the tree's last child
  std::vector<pugi::xml_node> pasted;
  for (pugi::xml_node child = copiedRoot.first_child(); child; child = child.next_sibling()) {
    pugi::xml_node node = extLst ? tree.insert_copy_before(child, extLst) : tree.append_copy(child);
    DeclareNamespaces(node, copiedRoot);
    Renumber(node, ids);
    GiveFreshShapeIds(doc, part, node);
    pasted.push_back(node);
  }
  doc.ShapesChanged(part);
  return pasted;
}

}  // namespace quillmere::engine
