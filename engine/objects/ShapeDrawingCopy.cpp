#include "engine/objects/ShapeDrawingCopy.h"

#include <string_view>

#include "engine/model/PresentationDocument.h"
#include "engine/model/ShapeKind.h"
#include "engine/model/ShapeTree.h"
#include "engine/model/XmlNames.h"
#include "engine/package/PartName.h"
#include "engine/package/XmlPart.h"

namespace quillmere::engine {
namespace {

constexpr std::string_view kEmptySlide =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
    "<p:sld xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\" "
    "xmlns:p=\"http://schemas.openxmlformats.org/presentationml/2006/main\"><p:cSld><p:spTree><p:nvGrpSpPr>"
    "<p:cNvPr id=\"1\" name=\"\"/><p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr><p:grpSpPr/></p:spTree></p:cSld></p:sld>";

constexpr std::string_view kRelationships = "http://schemas.openxmlformats.org/package/2006/relationships";
constexpr std::string_view kLayoutType =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/slideLayout";

// A shape's own effect list replaces its style's effects, even when empty
// (how the writers turn a shadow or glow off), but LibreOffice draws the
// style's effects unless the shape itself lists some: the copy it draws
// refers to no effect style where a shape has its own list.
void KeepOwnEffectsOnly(pugi::xml_document& slide) {
  for (pugi::xpath_node hit : slide.select_nodes("//*[local-name()='effectRef']")) {
    pugi::xml_node effectRef = hit.node();
    pugi::xml_node props = ChildNamed(effectRef.parent().parent(), "spPr");
    if (!ChildNamed(props, "effectLst") && !ChildNamed(props, "effectDag")) continue;
    effectRef.attribute("idx").set_value("0");
  }
}

// Removes the shapes of a shape tree or group that are not kept; a group's
// frame and child space stay as they were, so the members left keep their places.
void KeepOnly(pugi::xml_node container, const KeptShapes& kept) {
  std::vector<pugi::xml_node> shapes = ShapesIn(container);
  for (int index = 0; index < static_cast<int>(shapes.size()); ++index) {
    const pugi::xml_node& shape = shapes[static_cast<std::size_t>(index)];
    auto found = kept.shapes.find(index);
    if (found == kept.shapes.end()) {
      container.remove_child(shape);
    } else if (!found->second.whole) {
      for (const pugi::xml_node& variant : ShapeVariants(shape))
        if (LocalName(variant) == "grpSp") KeepOnly(variant, found->second);
    }
  }
}

// The slide with only the kept shapes. Animations go too: they name shapes
// that are no longer there.
std::string SlideWithOnly(const pugi::xml_document& slide, const KeptShapes& kept) {
  pugi::xml_document copy;
  copy.reset(slide);
  KeepOnly(ShapeTreeOf(copy.document_element()), kept);
  if (pugi::xml_node timing = ChildNamed(copy.document_element(), "timing")) copy.document_element().remove_child(timing);
  KeepOwnEffectsOnly(copy);
  return SerializeXml(copy);
}

// The slide's relationships without its notes page, which LibreOffice would open too.
std::string RelationshipsWithoutNotes(Package& package, const std::string& slidePart) {
  pugi::xml_document rels;
  std::string bytes = package.ReadBytes(RelationshipsPartName(slidePart));
  rels.load_buffer(bytes.data(), bytes.size());
  pugi::xml_node root = rels.document_element();
  for (pugi::xml_node r = root.first_child(), next; r; r = next) {
    next = r.next_sibling();
    if (std::string_view(r.attribute("Type").value()).ends_with("/notesSlide")) root.remove_child(r);
  }
  return SerializeXml(rels);
}

std::string OnlyLayoutRelationship(const std::string& layoutPart) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?><Relationships xmlns=\"" +
         std::string(kRelationships) + "\"><Relationship Id=\"rId1\" Type=\"" + std::string(kLayoutType) +
         "\" Target=\"/" + layoutPart + "\"/></Relationships>";
}

// A copy of the part's XML in which the list keeps only the entry whose
// relationship leads to `target`, and the named lists are gone.
std::string WithOnlyEntry(Package& package, const std::string& part, std::string_view list, const std::string& target,
                          std::initializer_list<std::string_view> dropped = {}) {
  pugi::xml_document copy;
  copy.reset(*package.FindXml(part));
  pugi::xml_node root = copy.document_element();
  pugi::xml_node entries = ChildNamed(root, list);
  for (pugi::xml_node e = entries.first_child(), next; e; e = next) {
    next = e.next_sibling();
    const Relationship* rel = package.FindRelationship(part, RelationshipId(e));
    if (!rel || rel->target != target) entries.remove_child(e);
  }
  for (std::string_view name : dropped)
    if (pugi::xml_node n = ChildNamed(root, name)) root.remove_child(n);
  return SerializeXml(copy);
}

}  // namespace

KeptShapes KeepOnlyDrawn(std::vector<ShapeToDraw>& drawn) {
  KeptShapes kept;
  for (const ShapeToDraw& shape : drawn) {
    KeptShapes* level = &kept;
    for (int index : shape.path) level = &level->shapes[index];
    level->whole = true;
  }
  for (ShapeToDraw& shape : drawn) {
    const KeptShapes* level = &kept;
    for (int& index : shape.path) {
      auto found = level->shapes.find(index);
      index = static_cast<int>(std::distance(level->shapes.begin(), found));
      level = &found->second;
    }
  }
  return kept;
}

std::string KeptShapesKey(const KeptShapes& kept) {
  std::string key = kept.whole ? "*" : "";
  for (const auto& [index, members] : kept.shapes) key += "(" + std::to_string(index) + KeptShapesKey(members) + ")";
  return key;
}

Package::ReplacedParts ShapeDrawingParts(PresentationDocument& doc, int slide, const KeptShapes& kept) {
  Package& package = doc.Pkg();
  const std::string& part = doc.Slides()[slide].part;
  Package::ReplacedParts replaced;
  replaced.emplace(part, SlideWithOnly(*package.FindXml(part), kept));
  if (package.HasPart(RelationshipsPartName(part)))
    replaced.emplace(RelationshipsPartName(part), RelationshipsWithoutNotes(package, part));
  const std::string layout = doc.LayoutOfSlide(part);
  const std::string master = layout.empty() ? std::string() : doc.MasterOfPart(layout);
  for (const SlideEntry& other : doc.Slides()) {
    if (other.part == part) continue;
    replaced.emplace(other.part, kEmptySlide);
    if (!layout.empty()) replaced.emplace(RelationshipsPartName(other.part), OnlyLayoutRelationship(layout));
  }
  if (master.empty() || !package.FindXml(master)) return replaced;
  replaced.emplace(master, WithOnlyEntry(package, master, "sldLayoutIdLst", layout));
  replaced.emplace(doc.MainPart(), WithOnlyEntry(package, doc.MainPart(), "sldMasterIdLst", master,
                                                 {"notesMasterIdLst", "handoutMasterIdLst"}));
  return replaced;
}

}  // namespace quillmere::engine
