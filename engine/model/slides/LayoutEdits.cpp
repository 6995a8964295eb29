#include "engine/model/slides/LayoutEdits.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "engine/model/document/XmlNames.h"
#include "engine/model/document/XmlPrefixes.h"
#include "engine/model/shapes/Inheritance.h"
#include "engine/model/slides/NewSlide.h"
#include "engine/model/slides/SlideEdits.h"
#include "engine/package/PartName.h"

namespace quillmere::engine {
namespace {

constexpr std::uint64_t kFirstLayoutId = 2147483648;  // ST_SlideLayoutId: from 2^31
constexpr std::uint64_t kLastLayoutId = 4294967295;
constexpr std::string_view kLayoutContentType =
    "application/vnd.openxmlformats-officedocument.presentationml.slideLayout+xml";
// What follows p:sldLayoutIdLst in a master, for one made where there was none.
constexpr std::array<std::string_view, 5> kAfterLayoutList = {"transition", "timing", "hf", "txStyles", "extLst"};

// Master and layout ids share one space: one above the largest of either, 0 when none is left.
std::uint32_t NextLayoutId(PresentationDocument& doc) {
  std::uint64_t largest = kFirstLayoutId - 1;
  auto take = [&](const pugi::xml_node& n) {
    largest = std::max<std::uint64_t>(largest, n.attribute("id").as_ullong());
  };
  ForEachChildNamed(ChildNamed(doc.PartRoot(doc.MainPart()), "sldMasterIdLst"), "sldMasterId", take);
  for (const std::string& master : doc.Masters())
    ForEachChildNamed(ChildNamed(doc.PartRoot(master), "sldLayoutIdLst"), "sldLayoutId", take);
  return largest < kLastLayoutId ? static_cast<std::uint32_t>(largest + 1) : 0;
}

pugi::xml_node LayoutListOf(pugi::xml_node master) {
  if (pugi::xml_node list = ChildNamed(master, "sldLayoutIdLst")) return list;
  std::string name = NameLike(master, "sldLayoutIdLst");
  for (pugi::xml_node c = master.first_child(); c; c = c.next_sibling())
    if (std::find(kAfterLayoutList.begin(), kAfterLayoutList.end(), LocalName(c)) != kAfterLayoutList.end())
      return master.insert_child_before(name.c_str(), c);
  return master.append_child(name.c_str());
}

// The master whose list names the layout, and the entry.
struct ListEntry {
  std::string master;
  pugi::xml_node entry;
};
ListEntry FindEntry(PresentationDocument& doc, const std::string& layoutPart) {
  Package& package = doc.Pkg();
  for (const std::string& master : doc.Masters())
    for (pugi::xml_node n = ChildNamed(doc.PartRoot(master), "sldLayoutIdLst").first_child(); n; n = n.next_sibling()) {
      const Relationship* rel = package.FindRelationship(master, RelationshipId(n));
      if (rel && !rel->external && rel->target == layoutPart) return {master, n};
    }
  return {};
}

}  // namespace

std::string AddLayout(PresentationDocument& doc, const std::string& masterPart, std::size_t position) {
  Package& package = doc.Pkg();
  pugi::xml_node master = doc.PartRoot(masterPart);
  std::uint32_t id = NextLayoutId(doc);
  if (!master || id == 0) return {};
  std::string base = RelationshipTypeBase(doc);
  std::string part = FreePartName(doc, "slideLayouts/slideLayout");
  doc.ForgetPart(part);  // nothing a removed part of that name left behind is seen through this one
  package.PutPart(part, NewLayoutXml(doc.PartRoot(doc.MainPart()), doc.TopLevelShapesOf(masterPart)),
                  kLayoutContentType);
  package.AddRelationship(part, base + "slideMaster", masterPart);
  std::string relationship = package.AddRelationship(masterPart, base + "slideLayout", part);

  std::string attribute = ListRelationshipAttribute(master, {"sldLayoutIdLst"});
  pugi::xml_node list = LayoutListOf(master);
  pugi::xml_node before = list.first_child();
  for (std::size_t i = 0; before && i < position; ++i) before = before.next_sibling();
  std::string name = NameLike(list, "sldLayoutId");
  pugi::xml_node entry = before ? list.insert_child_before(name.c_str(), before) : list.append_child(name.c_str());
  entry.append_attribute("id") = id;
  entry.append_attribute(attribute.c_str()) = relationship.c_str();
  package.MarkModified(masterPart);
  doc.LayoutsChanged(masterPart);
  return part;
}

LayoutRemoval DeleteLayout(PresentationDocument& doc, const std::string& layoutPart) {
  for (const SlideEntry& slide : doc.Slides())
    if (InheritedPartsOf(doc, slide.part).layout == layoutPart) return LayoutRemoval::InUse;
  ListEntry found = FindEntry(doc, layoutPart);
  if (!found.entry) return LayoutRemoval::NotListed;
  Package& package = doc.Pkg();
  std::string relationship(RelationshipId(found.entry));
  found.entry.parent().remove_child(found.entry);
  package.MarkModified(found.master);
  package.RemoveRelationship(found.master, relationship);
  doc.ForgetPart(layoutPart);
  package.RemovePart(layoutPart);
  doc.LayoutsChanged(found.master);
  // What the layout's coming changed in the parts that stay is undone: they save from their own bytes again.
  for (const std::string& part :
       {found.master, RelationshipsPartName(found.master), std::string("[Content_Types].xml")})
    package.RestoreIfUnchanged(part);
  return LayoutRemoval::Removed;
}

}  // namespace quillmere::engine
