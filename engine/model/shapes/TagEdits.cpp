#include "engine/model/shapes/TagEdits.h"

#include <array>
#include <optional>

#include "engine/model/document/XmlNames.h"
#include "engine/model/document/XmlPrefixes.h"
#include "engine/model/slides/SlideEdits.h"
#include "support/text/Text.h"

namespace quillmere::engine {
namespace {

constexpr std::string_view kTagsContentType = "application/vnd.openxmlformats-officedocument.presentationml.tags+xml";
constexpr char kTransitionalRelationships[] = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr char kPresentationMl[] = "http://schemas.openxmlformats.org/presentationml/2006/main";
// Children of the presentation, p:cSld and p:nvPr that come after p:custDataLst.
constexpr std::array<std::string_view, 5> kAfterCustomerData{"kinsoku", "defaultTextStyle", "modifyVerifier",
                                                             "controls", "extLst"};

struct TagPart {
  std::string name;
  pugi::xml_node list;  // p:tagLst
};

std::string UpperAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return upper;
}

// The tags part the owner's p:custDataLst/p:tags names, if it is there.
std::optional<TagPart> FindTagPart(PresentationDocument& doc, const std::string& part, const pugi::xml_node& owner) {
  pugi::xml_node tags = ChildNamed(ChildNamed(owner, "custDataLst"), "tags");
  const Relationship* rel = doc.Pkg().FindRelationship(part, RelationshipId(tags));
  if (!rel || rel->external) return std::nullopt;
  pugi::xml_node list = doc.PartRoot(rel->target);
  if (LocalName(list) != "tagLst") return std::nullopt;
  return TagPart{rel->target, list};
}

// The qualified name of a relationship id attribute in the part: the prefix
// its root binds to relationships, else "r" bound there now.
std::string RelationshipIdName(pugi::xml_node root) {
  for (pugi::xml_attribute a = root.first_attribute(); a; a = a.next_attribute()) {
    std::string_view name = a.name(), uri = a.value();
    if (name.starts_with("xmlns:") && uri.ends_with("/relationships")) return std::string(name.substr(6)) + ":id";
  }
  root.append_attribute("xmlns:r") = kTransitionalRelationships;
  return "r:id";
}

// A new tags part for the owner, named from its p:custDataLst (made where the
// schema wants it), in the PresentationML namespace the owner uses.
TagPart MakeTagPart(PresentationDocument& doc, const std::string& part, pugi::xml_node owner) {
  std::string_view ownerName = owner.name();
  std::string_view prefix = ownerName.find(':') == std::string_view::npos
                                ? std::string_view()
                                : ownerName.substr(0, ownerName.find(':'));
  std::string ns(NamespaceOfPrefix(owner, prefix));
  if (ns.empty()) ns = kPresentationMl;  // a part in the default namespace
  std::string name = FreePartName(doc, "tags/tag");
  doc.Pkg().PutPart(name,
                    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n<p:tagLst xmlns:p=\"" + ns +
                        "\"/>",
                    kTagsContentType);
  std::string id = doc.Pkg().AddRelationship(part, RelationshipTypeBase(doc) + "tags", name);

  pugi::xml_node list = ChildNamed(owner, "custDataLst");
  if (!list) {
    std::string listName = NameLike(owner, "custDataLst");
    pugi::xml_node before;
    for (pugi::xml_node c = owner.first_child(); c && !before; c = c.next_sibling())
      for (std::string_view later : kAfterCustomerData)
        if (c.type() == pugi::node_element && LocalName(c) == later) before = c;
    list = before ? owner.insert_child_before(listName.c_str(), before) : owner.append_child(listName.c_str());
  }
  // A reference to a part that is not there is pointed at the new one.
  pugi::xml_node tags = ChildNamed(list, "tags");
  if (!tags) tags = list.append_child(NameLike(owner, "tags").c_str());
  std::string idName = RelationshipIdName(doc.PartRoot(part));
  if (pugi::xml_attribute old = PrefixedAttribute(tags, "id")) tags.remove_attribute(old);
  tags.append_attribute(idName.c_str()) = id.c_str();
  doc.Pkg().MarkModified(part);
  return {name, doc.PartRoot(name)};
}

pugi::xml_node TagNamed(const pugi::xml_node& list, const std::string& upperName) {
  for (pugi::xml_node t = list.first_child(); t; t = t.next_sibling())
    if (t.type() == pugi::node_element && LocalName(t) == "tag" && UpperAscii(t.attribute("name").value()) == upperName)
      return t;
  return {};
}

}  // namespace

void SetTag(PresentationDocument& doc, const std::string& part, pugi::xml_node owner, std::string_view name,
            std::string_view value) {
  std::optional<TagPart> found = FindTagPart(doc, part, owner);
  TagPart tagPart = found ? *found : MakeTagPart(doc, part, owner);
  std::string upper = UpperAscii(name);
  pugi::xml_node tag = TagNamed(tagPart.list, upper);
  if (!tag) {
    tag = tagPart.list.append_child(NameLike(tagPart.list, "tag").c_str());
    tag.append_attribute("name") = upper.c_str();
  }
  pugi::xml_attribute val = tag.attribute("val");
  if (!val) val = tag.append_attribute("val");
  val = std::string(value).c_str();
  doc.Pkg().MarkModified(tagPart.name);
  doc.TagsChanged(part);
}

bool DeleteTag(PresentationDocument& doc, const std::string& part, pugi::xml_node owner, std::string_view name) {
  std::optional<TagPart> found = FindTagPart(doc, part, owner);
  if (!found) return false;
  pugi::xml_node tag = TagNamed(found->list, UpperAscii(name));
  if (!tag) return false;
  found->list.remove_child(tag);
  doc.Pkg().MarkModified(found->name);
  doc.TagsChanged(part);
  return true;
}

}  // namespace quillmere::engine
