#include "engine/objects/ShapeDrawingCopy.h"

#include <cstdint>

#include "component/automation/ComError.h"
#include "engine/model/PresentationDocument.h"
#include "engine/model/ShapeKind.h"
#include "engine/model/ShapeTree.h"
#include "engine/model/XmlNames.h"
#include "engine/objects/DrawingCopyRelationships.h"
#include "engine/package/PartName.h"
#include "engine/package/XmlPart.h"

namespace quillmere::engine {
namespace {

// A slide or layout part with no shapes: `kind` is its root's name.
std::string EmptyPart(std::string_view kind) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?><p:" + std::string(kind) +
         " xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" "
         "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\" "
         "xmlns:p=\"http://schemas.openxmlformats.org/presentationml/2006/main\"><p:cSld><p:spTree><p:nvGrpSpPr>"
         "<p:cNvPr id=\"1\" name=\"\"/><p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr><p:grpSpPr/></p:spTree></p:cSld>"
         "<p:clrMapOvr><a:masterClrMapping/></p:clrMapOvr></p:" +
         std::string(kind) + ">";
}

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

std::string WithOnlyKeptShapes(pugi::xml_document& slide, const KeptShapes& kept) {
  KeepOnly(ShapeTreeOf(slide.document_element()), kept);
  KeepOwnEffectsOnly(slide);
  return SerializeXml(slide);
}

// The slide with only the kept shapes. Animations go too: they name shapes
// that are no longer there.
std::string SlideWithOnly(const pugi::xml_document& slide, const KeptShapes& kept) {
  pugi::xml_document copy;
  copy.reset(slide);
  if (pugi::xml_node timing = ChildNamed(copy.document_element(), "timing")) copy.document_element().remove_child(timing);
  return WithOnlyKeptShapes(copy, kept);
}

// The namespaces, and which of them a reader may ignore, declared on an element.
void CopyNamespaceDeclarations(const pugi::xml_node& from, pugi::xml_node to) {
  for (pugi::xml_attribute a : from.attributes()) {
    std::string_view name = a.name();
    if (name.starts_with("xmlns") || name.ends_with(":Ignorable")) to.append_copy(a);
  }
}

// A slide holding the kept shapes of a layout's or master's tree, as the
// part's writer spelled them.
std::string SlideOfShapes(const pugi::xml_node& partRoot, const KeptShapes& kept) {
  std::string_view name = partRoot.name();
  std::string prefix(name.substr(0, name.size() - LocalName(partRoot).size()));
  pugi::xml_document slide;
  pugi::xml_node root = slide.append_child((prefix + "sld").c_str());
  CopyNamespaceDeclarations(partRoot, root);
  pugi::xml_node sourceCommon = ChildNamed(partRoot, "cSld");
  pugi::xml_node common = root.append_child((prefix + "cSld").c_str());
  CopyNamespaceDeclarations(sourceCommon, common);
  common.append_copy(ShapeTreeOf(partRoot));
  return WithOnlyKeptShapes(slide, kept);
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

std::string MasterOf(PresentationDocument& doc, const DrawingPlace& place) {
  if (place.layoutEmptied) return place.part;
  return place.layout.empty() ? std::string() : doc.MasterOfPart(place.layout);
}

[[noreturn]] void Refuse(HResult number, std::string_view member, std::string_view why) {
  throw ComError(number, std::string(member) + " : " + std::string(why));
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

DrawingPlace PlaceToDraw(PresentationDocument& doc, const std::string& part, std::string_view member) {
  pugi::xml_node root = doc.PartRoot(part);
  if (!ShapeTreeOf(root)) Refuse(hr::kUnspecified, member, "The shapes' slide, layout or master cannot be read.");
  std::string_view kind = LocalName(root);
  const std::vector<SlideEntry>& slides = doc.Slides();
  DrawingPlace place;
  place.part = part;
  if (kind == "sld") {
    for (int i = 0, n = static_cast<int>(slides.size()); i < n; ++i)
      if (slides[i].part == part) {
        place.slide = part;
        place.page = i;
        place.layout = doc.LayoutOfSlide(part);
        return place;
      }
    Refuse(hr::kUnspecified, member, "The slide is not in the presentation.");
  }
  if (kind != "sldLayout" && kind != "sldMaster")
    Refuse(hr::kInvalidArgument, member, "Only shapes of slides, layouts and masters can be exported.");
  // The slide drawn on needs a relationships part for the copy to replace.
  for (int i = 0, n = static_cast<int>(slides.size()); i < n && place.slide.empty(); ++i)
    if (doc.Pkg().HasPart(RelationshipsPartName(slides[i].part))) {
      place.slide = slides[i].part;
      place.page = i;
    }
  if (place.slide.empty()) Refuse(hr::kUnspecified, member, "The presentation has no slide to draw the shapes on.");
  if (kind == "sldLayout") {
    place.layout = part;
    return place;
  }
  const std::vector<std::string>& layouts = doc.LayoutsOfMaster(part);
  if (layouts.empty()) Refuse(hr::kUnspecified, member, "The master has no layout to draw its shapes with.");
  place.layout = layouts.front();
  place.layoutEmptied = true;
  return place;
}

Package::ReplacedParts DrawingFrame(PresentationDocument& doc, const DrawingPlace& place) {
  Package& package = doc.Pkg();
  Package::ReplacedParts replaced;
  const std::string emptySlide = EmptyPart("sld");
  const std::string followLayout = place.layout.empty() ? std::string() : OnlyLayoutRelationship(place.layout);
  for (const SlideEntry& slide : doc.Slides()) {
    replaced.emplace(slide.part, emptySlide);
    if (!followLayout.empty()) replaced.emplace(RelationshipsPartName(slide.part), followLayout);
  }
  if (place.layoutEmptied) replaced.emplace(place.layout, EmptyPart("sldLayout"));
  const std::string master = MasterOf(doc, place);
  if (master.empty() || !package.FindXml(master)) return replaced;
  replaced.emplace(master, WithOnlyEntry(package, master, "sldLayoutIdLst", place.layout));
  replaced.emplace(doc.MainPart(), WithOnlyEntry(package, doc.MainPart(), "sldMasterIdLst", master,
                                                 {"notesMasterIdLst", "handoutMasterIdLst"}));
  return replaced;
}

std::string FrameKey(PresentationDocument& doc, const DrawingPlace& place) {
  Package& package = doc.Pkg();
  std::string key = package.File().string() + "|" + std::to_string(reinterpret_cast<std::uintptr_t>(&doc)) + "|" +
                    place.layout + (place.layoutEmptied ? "|emptied" : "|");
  for (const std::string& part : {doc.MainPart(), MasterOf(doc, place), place.layout})
    key += "|" + std::to_string(package.PartRevision(part)) + "," +
           std::to_string(package.PartRevision(RelationshipsPartName(part)));
  return key;
}

void PutDrawnShapes(Package::ReplacedParts& parts, PresentationDocument& doc, const DrawingPlace& place,
                    const KeptShapes& kept) {
  Package& package = doc.Pkg();
  const std::string rels = RelationshipsPartName(place.slide);
  if (place.slide == place.part) {
    parts.insert_or_assign(place.slide, SlideWithOnly(*package.FindXml(place.part), kept));
    if (package.HasPart(rels)) parts.insert_or_assign(rels, RelationshipsWithoutNotes(package, place.slide));
    return;
  }
  parts.insert_or_assign(place.slide, SlideOfShapes(doc.PartRoot(place.part), kept));
  parts.insert_or_assign(rels, RelationshipsCarriedOver(package, place.part, place.layout));
}

}  // namespace quillmere::engine
