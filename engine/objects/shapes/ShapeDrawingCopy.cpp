#include "engine/objects/shapes/ShapeDrawingCopy.h"

#include <algorithm>
#include <set>

#include "engine/core/MemberFailure.h"
#include "engine/model/document/PresentationDocument.h"
#include "engine/model/document/XmlNames.h"
#include "engine/model/shapes/Inheritance.h"
#include "engine/model/shapes/ShapeKind.h"
#include "engine/model/shapes/ShapeTree.h"
#include "engine/objects/shapes/DrawingCopyRelationships.h"
#include "engine/package/PartName.h"
#include "engine/package/XmlPart.h"
#include "objectmodel/automation/ComError.h"

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

// LibreOffice numbers a slide by its place in the copy, where the page comes
// after the deck's own slides: its slide number fields become the text of
// the number the slide shows in the deck.
void NumberAs(pugi::xml_document& slide, int number) {
  for (pugi::xpath_node hit : slide.select_nodes("//*[local-name()='fld'][@type='slidenum']")) {
    pugi::xml_node field = hit.node();
    std::string_view name = field.name();
    field.set_name((std::string(name.substr(0, name.size() - 3)) + "r").c_str());
    field.remove_attribute("id");
    field.remove_attribute("type");
    if (pugi::xml_node props = ChildNamed(field, "pPr")) field.remove_child(props);
    pugi::xml_node text = ChildNamed(field, "t");
    if (!text) text = field.append_child((std::string(name.substr(0, name.size() - 3)) + "t").c_str());
    text.text().set(std::to_string(number).c_str());
  }
}

// The page as LibreOffice is to read it.
std::string SerializedPage(pugi::xml_document& slide, int number) {
  KeepOwnEffectsOnly(slide);
  NumberAs(slide, number);
  return SerializeXml(slide);
}

// An element like `like`, with its attributes but no children, appended.
pugi::xml_node AppendEmpty(pugi::xml_node parent, const pugi::xml_node& like) {
  pugi::xml_node copy = parent.append_child(like.name());
  for (pugi::xml_attribute a : like.attributes()) copy.append_copy(a);
  return copy;
}

// Appends a copy of the shape tree holding only the kept shapes. A slide
// may hold hundreds of shapes and an image keeps a few: copying only those
// is what keeps taking a page cheap.
void AppendKeptTree(pugi::xml_node parent, const pugi::xml_node& tree, const KeptShapes& kept) {
  pugi::xml_node to = AppendEmpty(parent, tree);
  int index = 0;
  for (pugi::xml_node c = tree.first_child(); c; c = c.next_sibling()) {
    if (!IsShapeElement(c)) {
      to.append_copy(c);
      continue;
    }
    auto found = kept.shapes.find(index++);
    if (found == kept.shapes.end()) continue;
    pugi::xml_node shape = to.append_copy(c);
    if (found->second.whole) continue;
    for (const pugi::xml_node& variant : ShapeVariants(shape))
      if (LocalName(variant) == "grpSp") KeepOnly(variant, found->second);
  }
}

// The slide with only the kept shapes. Animations go too: they name shapes
// that are no longer there.
std::string SlideWithOnly(const pugi::xml_document& slide, const KeptShapes& kept, int number) {
  pugi::xml_document copy;
  const pugi::xml_node source = slide.document_element();
  const pugi::xml_node tree = ShapeTreeOf(source);
  for (pugi::xml_node top = slide.first_child(); top; top = top.next_sibling()) {
    if (top != source) {
      copy.append_copy(top);
      continue;
    }
    pugi::xml_node root = AppendEmpty(copy, source);
    for (pugi::xml_node child = source.first_child(); child; child = child.next_sibling()) {
      if (LocalName(child) == "timing") continue;
      if (child != tree.parent()) {
        root.append_copy(child);
        continue;
      }
      pugi::xml_node common = AppendEmpty(root, child);
      for (pugi::xml_node c = child.first_child(); c; c = c.next_sibling()) {
        if (c == tree) {
          AppendKeptTree(common, tree, kept);
        } else {
          common.append_copy(c);
        }
      }
    }
  }
  return SerializedPage(copy, number);
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
std::string SlideOfShapes(const pugi::xml_node& partRoot, const KeptShapes& kept, int number) {
  std::string_view name = partRoot.name();
  std::string prefix(name.substr(0, name.size() - LocalName(partRoot).size()));
  pugi::xml_document slide;
  pugi::xml_node root = slide.append_child((prefix + "sld").c_str());
  CopyNamespaceDeclarations(partRoot, root);
  pugi::xml_node sourceCommon = ChildNamed(partRoot, "cSld");
  pugi::xml_node common = root.append_child((prefix + "cSld").c_str());
  CopyNamespaceDeclarations(sourceCommon, common);
  AppendKeptTree(common, ShapeTreeOf(partRoot), kept);
  return SerializedPage(slide, number);
}

// The part's XML, as the copy holds it, in which the list keeps only the
// entries whose relationships lead to the targets, and the named lists are gone.
std::string WithOnlyEntries(Package& package, const std::string& part, const std::string& xml, std::string_view list,
                            const std::set<std::string>& targets,
                            std::initializer_list<std::string_view> dropped = {}) {
  pugi::xml_document copy;
  copy.load_string(xml.c_str());
  pugi::xml_node root = copy.document_element();
  pugi::xml_node entries = ChildNamed(root, list);
  for (pugi::xml_node e = entries.first_child(), next; e; e = next) {
    next = e.next_sibling();
    const Relationship* rel = package.FindRelationship(part, RelationshipId(e));
    if (!rel || !targets.count(rel->target)) entries.remove_child(e);
  }
  for (std::string_view name : dropped)
    if (pugi::xml_node n = ChildNamed(root, name)) root.remove_child(n);
  return SerializeXml(copy);
}

std::string MasterOf(PresentationDocument& doc, const DrawingPlace& place) {
  if (place.layoutEmptied) return place.part;
  return place.layout.empty() ? std::string() : InheritedPartsOf(doc, place.layout).master;
}

std::string Revision(Package& package, const std::string& part) {
  return std::to_string(package.PartRevision(part)) + "," +
         std::to_string(package.PartRevision(RelationshipsPartName(part)));
}

// A part the page shows shapes of may have changed since an earlier page of
// the copy took it (the writers edit it around each image), but only its
// shapes' own properties, which the page carries: any state of it will do,
// except an emptied one, which must match exactly.
constexpr std::string_view kAnyState = "*";
constexpr std::string_view kEmptied = "emptied";
bool Compatible(std::string_view a, std::string_view b) {
  return a == b || ((a == kAnyState || b == kAnyState) && a != kEmptied && b != kEmptied);
}

constexpr std::string_view kSlideType = "application/vnd.openxmlformats-officedocument.presentationml.slide+xml";

// A part name the package does not have: "ppt/slides/drawnpage3.xml".
std::string FreePageName(Package& package, int number) {
  std::string name = "ppt/slides/drawnpage" + std::to_string(number);
  while (package.HasPart(name + ".xml")) name += "_";
  return name + ".xml";
}

// The presentation listing only the masters, no notes or handout master, and
// after the deck's own slides one slide for each relationship id.
std::string PresentationWithPages(Package& package, const std::string& main, const std::string& xml,
                                  const std::set<std::string>& masters, const std::vector<std::string>& pageIds) {
  pugi::xml_document copy;
  std::string filtered =
      WithOnlyEntries(package, main, xml, "sldMasterIdLst", masters, {"notesMasterIdLst", "handoutMasterIdLst"});
  copy.load_string(filtered.c_str());
  pugi::xml_node root = copy.document_element();
  std::string_view rootName = root.name();
  std::string prefix(rootName.substr(0, rootName.size() - LocalName(root).size()));
  pugi::xml_node slides = ChildNamed(root, "sldIdLst");
  if (!slides) {
    pugi::xml_node masterList = ChildNamed(root, "sldMasterIdLst");
    slides = masterList ? root.insert_child_after((prefix + "sldIdLst").c_str(), masterList)
                        : root.prepend_child((prefix + "sldIdLst").c_str());
  }
  unsigned long long id = 255;
  for (pugi::xml_node entry = slides.first_child(); entry; entry = entry.next_sibling())
    id = std::max<unsigned long long>(id, entry.attribute("id").as_ullong());
  constexpr std::string_view kRelationshipsNamespace =
      "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
  std::string relPrefix;
  for (pugi::xml_attribute a : root.attributes())
    if (std::string_view(a.name()).starts_with("xmlns:") && a.value() == kRelationshipsNamespace)
      relPrefix = std::string(a.name()).substr(6);
  if (relPrefix.empty()) {
    relPrefix = "qrel";
    root.append_attribute("xmlns:qrel") = std::string(kRelationshipsNamespace).c_str();
  }
  for (const std::string& rid : pageIds) {
    pugi::xml_node entry = slides.append_child((prefix + "sldId").c_str());
    entry.append_attribute("id") = ++id;
    entry.append_attribute((relPrefix + ":id").c_str()) = rid.c_str();
  }
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

DrawingPlace PlaceToDraw(PresentationDocument& doc, const std::string& part, std::string_view member) {
  pugi::xml_node root = doc.PartRoot(part);
  if (!ShapeTreeOf(root)) FailMember(member, "The shapes' slide, layout or master cannot be read.");
  std::string_view kind = LocalName(root);
  DrawingPlace place;
  place.part = part;
  if (kind == "sld") {
    const std::vector<SlideEntry>& slides = doc.Slides();
    if (std::none_of(slides.begin(), slides.end(), [&](const SlideEntry& s) { return s.part == part; }))
      FailMember(member, "The slide is not in the presentation.");
    place.layout = InheritedPartsOf(doc, part).layout;
    return place;
  }
  if (kind != "sldLayout" && kind != "sldMaster")
    FailMember(member, "Only shapes of slides, layouts and masters can be exported.", hr::kInvalidArgument);
  if (kind == "sldLayout") {
    place.layout = part;
    return place;
  }
  const std::vector<std::string>& layouts = doc.LayoutsOfMaster(part);
  if (layouts.empty()) FailMember(member, "The master has no layout to draw its shapes with.");
  place.layout = layouts.front();
  place.layoutEmptied = true;
  return place;
}

DrawnPage PageOfShapes(PresentationDocument& doc, const DrawingPlace& place, const KeptShapes& kept) {
  Package& package = doc.Pkg();
  DrawnPage page{place, {}, {}};
  pugi::xml_node root = doc.PartRoot(place.part);
  // A layout's or master's shapes show the first slide's number.
  const std::vector<SlideEntry>& slides = doc.Slides();
  auto slide = std::find_if(slides.begin(), slides.end(), [&](const SlideEntry& s) { return s.part == place.part; });
  const int number = doc.FirstSlideNumber() + (slide == slides.end() ? 0 : static_cast<int>(slide - slides.begin()));
  if (LocalName(root) != "sld") {
    page.slide = SlideOfShapes(root, kept, number);
    page.relationships = RelationshipsCarriedOver(package, place.part, place.layout);
    return page;
  }
  page.slide = SlideWithOnly(*package.FindXml(place.part), kept, number);
  if (package.HasPart(RelationshipsPartName(place.part))) {
    page.relationships = RelationshipsWithoutNotes(package, place.part);
  } else if (!place.layout.empty()) {
    page.relationships = OnlyLayoutRelationship(place.layout);
  }
  return page;
}

DrawnPage PageOfSlide(PresentationDocument& doc, const DrawingPlace& place) {
  KeptShapes shown;
  const std::vector<pugi::xml_node>& shapes = doc.TopLevelShapesOf(place.part);
  for (std::size_t i = 0; i < shapes.size(); ++i)
    if (!DrawingPropertiesOf(ResolvedShape(shapes[i])).attribute("hidden").as_bool())
      shown.shapes[static_cast<int>(i)].whole = true;
  return PageOfShapes(doc, place, shown);
}

std::map<std::string, std::string> DrawingCopy::StampsNow(PresentationDocument& doc, const DrawnPage& page) const {
  Package& package = doc.Pkg();
  const DrawingPlace& place = page.place;
  std::map<std::string, std::string> stamps;
  auto stamp = [&](const std::string& part) {
    return part == place.part ? std::string(kAnyState) : Revision(package, part);
  };
  if (place.layoutEmptied) {
    stamps[place.layout] = kEmptied;
  } else if (!place.layout.empty() && package.FindXml(place.layout)) {
    stamps[place.layout] = stamp(place.layout);
  }
  if (std::string master = MasterOf(doc, place); !master.empty() && package.FindXml(master))
    stamps[master] = stamp(master);
  return stamps;
}

bool DrawingCopy::Fits(PresentationDocument& doc, const DrawnPage& page) const {
  for (const auto& [part, stamp] : StampsNow(doc, page)) {
    auto found = followed_.find(part);
    if (found != followed_.end() && !Compatible(found->second.stamp, stamp)) return false;
  }
  return true;
}

int DrawingCopy::Add(PresentationDocument& doc, DrawnPage page) {
  // The same shapes asked for again (as an EMF after a PNG, say) share a page.
  if (!pages_.empty() && pages_.back() == page) return PageCount() - 1;
  for (auto& [part, stamp] : StampsNow(doc, page)) {
    auto found = followed_.find(part);
    if (found == followed_.end()) {
      std::string xml = stamp == kEmptied ? EmptyPart("sldLayout") : SerializeXml(*doc.Pkg().FindXml(part));
      followed_.emplace(part, FollowedPart{std::move(stamp), std::move(xml)});
    } else if (found->second.stamp == kAnyState) {
      found->second.stamp = std::move(stamp);
    }
  }
  pages_.push_back(std::move(page));
  return PageCount() - 1;
}

DrawingCopy DrawingCopy::Pages(int first, int count) const {
  DrawingCopy copy;
  copy.pages_.assign(pages_.begin() + first, pages_.begin() + first + count);
  copy.followed_ = followed_;
  return copy;
}

DrawingCopy::Parts DrawingCopy::PartsFor(PresentationDocument& doc) const {
  Package& package = doc.Pkg();
  Parts parts;
  std::set<std::string> layouts, masters;
  std::map<std::string, std::set<std::string>> layoutsOfMaster;
  for (const DrawnPage& page : pages_) {
    if (page.place.layout.empty()) continue;
    layouts.insert(page.place.layout);
    if (std::string master = MasterOf(doc, page.place); followed_.count(master)) {
      masters.insert(master);
      layoutsOfMaster[master].insert(page.place.layout);
    }
  }
  // The deck's own slides, empty, follow a layout of the copy.
  const std::string emptySlide = EmptyPart("sld");
  const std::string followLayout = layouts.empty() ? std::string() : OnlyLayoutRelationship(*layouts.begin());
  for (const SlideEntry& slide : doc.Slides()) {
    parts.replaced.emplace(slide.part, emptySlide);
    if (!followLayout.empty()) parts.replaced.emplace(RelationshipsPartName(slide.part), followLayout);
  }
  parts.firstPage = static_cast<int>(doc.Slides().size());
  for (const std::string& layout : layouts)
    if (auto found = followed_.find(layout); found != followed_.end())
      parts.replaced.emplace(layout, found->second.xml);
  for (const std::string& master : masters)
    parts.replaced.emplace(
        master, WithOnlyEntries(package, master, followed_.at(master).xml, "sldLayoutIdLst", layoutsOfMaster[master]));
  std::vector<std::pair<std::string, std::string>> pageRelationships;  // id, part
  for (int i = 0; i < PageCount(); ++i) {
    const DrawnPage& page = pages_[static_cast<std::size_t>(i)];
    std::string name = FreePageName(package, i + 1);
    parts.added.push_back({name, page.slide, std::string(kSlideType)});
    if (!page.relationships.empty()) parts.added.push_back({RelationshipsPartName(name), page.relationships, ""});
    pageRelationships.emplace_back("", name);
  }
  const std::string main = doc.MainPart();
  std::vector<std::string> ids;
  parts.replaced.emplace(RelationshipsPartName(main), RelationshipsWithSlides(package, main, pageRelationships));
  for (const auto& [id, name] : pageRelationships) ids.push_back(id);
  // The presentation as it is now, listing the deck's slides as they are now.
  const std::string presentation = SerializeXml(*package.FindXml(main));
  parts.replaced.emplace(main, PresentationWithPages(package, main, presentation, masters, ids));
  return parts;
}

}  // namespace quillmere::engine
