#include "engine/model/slides/SlideEdits.h"

#include <algorithm>
#include <functional>
#include <set>
#include <string_view>

#include "engine/model/document/XmlNames.h"
#include "engine/model/document/XmlPrefixes.h"
#include "engine/model/slides/NewSlide.h"
#include "engine/package/PartName.h"
#include "engine/package/XmlPart.h"

namespace quillmere::engine {
namespace {

constexpr std::uint32_t kFirstSlideId = 256;
constexpr std::uint32_t kLastSlideId = 2147483647;  // ST_SlideId: below 2^31
constexpr std::string_view kSlideContentType = "application/vnd.openxmlformats-officedocument.presentationml.slide+xml";
constexpr std::string_view kRelationshipsContentType = "application/vnd.openxmlformats-package.relationships+xml";
constexpr std::string_view kTransitionalRelationshipTypes = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";

pugi::xml_node SlideListOf(PresentationDocument& doc, pugi::xml_node main) {
  if (pugi::xml_node list = ChildNamed(main, "sldIdLst")) return list;
  // After the master lists, as the schema orders them.
  pugi::xml_node after;
  for (std::string_view before : {"sldMasterIdLst", "notesMasterIdLst", "handoutMasterIdLst"})
    if (pugi::xml_node n = ChildNamed(main, before)) after = n;
  std::string name = NameLike(main, "sldIdLst");
  pugi::xml_node list = after ? main.insert_child_after(name.c_str(), after) : main.prepend_child(name.c_str());
  doc.MadeSlideList() = list;
  return list;
}

pugi::xml_node SlideIdNode(const pugi::xml_node& list, std::uint32_t id) {
  for (pugi::xml_node n = list.first_child(); n; n = n.next_sibling())
    if (n.type() == pugi::node_element && LocalName(n) == "sldId" && n.attribute("id").as_uint() == id) return n;
  return {};
}

// Puts a slide into the list at a 0-based position, its part and
// relationships written by makePart under the name given.
std::optional<SlideEntry> InsertSlide(PresentationDocument& doc, std::size_t position,
                                      const std::function<void(const std::string& part)>& makePart) {
  Package& package = doc.Pkg();
  pugi::xml_node main = doc.PartRoot(doc.MainPart());
  std::uint32_t id = NextSlideId(doc);
  if (id == 0) return std::nullopt;
  position = std::min(position, doc.Slides().size());
  SlideEntry entry{id, FreePartName(doc, "slides/slide")};
  makePart(entry.part);
  std::string relationship = package.AddRelationship(doc.MainPart(), RelationshipTypeBase(doc) + "slide", entry.part);

  pugi::xml_node list = SlideListOf(doc, main);
  pugi::xml_node before = position < doc.Slides().size() ? SlideIdNode(list, doc.Slides()[position].id) : pugi::xml_node();
  std::string name = NameLike(list, "sldId");
  pugi::xml_node slideId = before ? list.insert_child_before(name.c_str(), before) : list.append_child(name.c_str());
  slideId.append_attribute("id") = id;
  slideId.append_attribute(ListRelationshipAttribute(main, {"sldIdLst", "sldMasterIdLst"}).c_str()) =
      relationship.c_str();
  package.MarkModified(doc.MainPart());
  doc.SlideAdded(position, entry);  // forgets what a part of that name removed before left behind
  return entry;
}

// The source's relationships but its notes page's, each under its own id
// (the slide's XML names them) and to the same target from the new part.
std::string CopiedRelationships(Package& package, const std::string& source, const std::string& copy) {
  pugi::xml_document rels;
  pugi::xml_node root = rels.append_child("Relationships");
  root.append_attribute("xmlns") = "http://schemas.openxmlformats.org/package/2006/relationships";
  std::set<std::string_view> ids;
  for (const Relationship& r : package.Relationships(source)) {
    // A repeated id is read as its first; the copy keeps only that one.
    if (!ids.insert(r.id).second || r.type.ends_with("/notesSlide")) continue;
    pugi::xml_node n = root.append_child("Relationship");
    n.append_attribute("Id") = r.id.c_str();
    n.append_attribute("Type") = r.type.c_str();
    n.append_attribute("Target") = (r.external ? r.target : RelativeTarget(copy, r.target)).c_str();
    if (r.external) n.append_attribute("TargetMode") = "External";
  }
  return SerializeXml(rels);
}

}  // namespace

std::string ListRelationshipAttribute(const pugi::xml_node& root, std::initializer_list<std::string_view> lists) {
  for (std::string_view list : lists)
    for (pugi::xml_node n = ChildNamed(root, list).first_child(); n; n = n.next_sibling())
      for (pugi::xml_attribute a = n.first_attribute(); a; a = a.next_attribute()) {
        std::string_view name = a.name();
        if (name.ends_with(":id") && !name.starts_with("xmlns")) return std::string(name);
      }
  return "r:id";
}

std::string RelationshipTypeBase(PresentationDocument& doc) {
  const Relationship* master = doc.Pkg().FindRelationshipOfType(doc.MainPart(), "slideMaster");
  if (!master) return std::string(kTransitionalRelationshipTypes);
  return master->type.substr(0, master->type.size() - std::string_view("slideMaster").size());
}

std::string FreePartName(PresentationDocument& doc, std::string_view folderAndStem) {
  const std::string& main = doc.MainPart();
  std::string stem = main.substr(0, main.rfind('/') + 1) + std::string(folderAndStem);
  std::string name;
  for (unsigned n = 1; name.empty() || doc.Pkg().HasPart(name); ++n) name = stem + std::to_string(n) + ".xml";
  return name;
}

std::uint32_t NextSlideId(PresentationDocument& doc) {
  std::uint32_t largest = kFirstSlideId - 1;
  ForEachChildNamed(ChildNamed(doc.PartRoot(doc.MainPart()), "sldIdLst"), "sldId",
                    [&](const pugi::xml_node& n) { largest = std::max(largest, n.attribute("id").as_uint()); });
  return largest < kLastSlideId ? largest + 1 : 0;
}

std::optional<SlideEntry> AddSlide(PresentationDocument& doc, std::size_t position, const std::string& layoutPart) {
  return InsertSlide(doc, position, [&](const std::string& part) {
    Package& package = doc.Pkg();
    package.PutPart(part, NewSlideXml(doc.PartRoot(doc.MainPart()), doc.TopLevelShapesOf(layoutPart)),
                    kSlideContentType);
    package.AddRelationship(part, RelationshipTypeBase(doc) + "slideLayout", layoutPart);
  });
}

std::optional<SlideEntry> DuplicateSlide(PresentationDocument& doc, const std::string& slidePart) {
  const auto& slides = doc.Slides();
  auto source = std::find_if(slides.begin(), slides.end(), [&](const SlideEntry& e) { return e.part == slidePart; });
  pugi::xml_document* xml = doc.Pkg().FindXml(slidePart);
  if (source == slides.end() || !xml) return std::nullopt;
  auto position = static_cast<std::size_t>(source - slides.begin()) + 1;
  return InsertSlide(doc, position, [&](const std::string& part) {
    Package& package = doc.Pkg();
    package.PutPart(part, SerializeXml(*xml), kSlideContentType);
    // Typed as the original's relationships are, by the package's default for ".rels" where it has one.
    bool typed = !package.ContentType(RelationshipsPartName(slidePart)).empty();
    package.PutPart(RelationshipsPartName(part), CopiedRelationships(package, slidePart, part),
                    typed ? std::string_view() : kRelationshipsContentType);
  });
}

bool DeleteSlide(PresentationDocument& doc, const std::string& slidePart) {
  const auto& slides = doc.Slides();
  auto entry = std::find_if(slides.begin(), slides.end(), [&](const SlideEntry& e) { return e.part == slidePart; });
  if (entry == slides.end()) return false;
  Package& package = doc.Pkg();
  const std::string& mainPart = doc.MainPart();
  pugi::xml_node main = doc.PartRoot(mainPart);

  // The list entry of this slide: its id, and a relationship to its part.
  pugi::xml_node list = ChildNamed(main, "sldIdLst"), slideId;
  for (pugi::xml_node n = list.first_child(); n && !slideId; n = n.next_sibling()) {
    if (n.type() != pugi::node_element || LocalName(n) != "sldId" || n.attribute("id").as_uint() != entry->id) continue;
    const Relationship* rel = package.FindRelationship(mainPart, RelationshipId(n));
    if (rel && !rel->external && rel->target == slidePart) slideId = n;
  }
  std::string relationship(RelationshipId(slideId));
  if (slideId) list.remove_child(slideId);
  if (list && list == doc.MadeSlideList() && !list.first_child()) {
    main.remove_child(list);
    doc.MadeSlideList() = pugi::xml_node();
  }
  package.MarkModified(mainPart);
  // A damaged list may have two entries over one relationship: it stays for the other.
  bool shared = false;
  ForEachChildNamed(ChildNamed(main, "sldIdLst"), "sldId",
                    [&](const pugi::xml_node& n) { shared = shared || RelationshipId(n) == relationship; });
  if (!relationship.empty() && !shared) package.RemoveRelationship(mainPart, relationship);

  std::string notes;
  if (const Relationship* rel = package.FindRelationshipOfType(slidePart, "notesSlide"); rel && !rel->external)
    notes = rel->target;
  doc.SlideRemoved(slidePart);
  if (!notes.empty() && package.HasPart(notes)) {
    doc.ForgetPart(notes);
    package.RemovePart(notes);
  }
  package.RemovePart(slidePart);
  // What the slide's coming changed in the parts that stay is undone: they save from their own bytes again.
  for (const std::string& part : {mainPart, RelationshipsPartName(mainPart), std::string("[Content_Types].xml")})
    package.RestoreIfUnchanged(part);
  return true;
}

void SetSlideLayout(PresentationDocument& doc, const std::string& slidePart, const std::string& layoutPart) {
  Package& package = doc.Pkg();
  const Relationship* rel = package.FindRelationshipOfType(slidePart, "slideLayout");
  if (rel) {
    std::string id = rel->id;
    package.RetargetRelationship(slidePart, id, layoutPart);
  } else {
    package.AddRelationship(slidePart, RelationshipTypeBase(doc) + "slideLayout", layoutPart);
  }
  doc.LayoutChanged(slidePart);
}

}  // namespace quillmere::engine
