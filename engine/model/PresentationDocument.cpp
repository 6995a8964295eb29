#include "engine/model/PresentationDocument.h"

#include <cstdlib>

#include "engine/model/XmlNames.h"

namespace quillmere::engine {
namespace {

constexpr float kEmuPerPoint = 12700.0f;

std::int64_t IntAttribute(const pugi::xml_node& node, const char* name, std::int64_t fallback) {
  pugi::xml_attribute a = node.attribute(name);
  return a ? a.as_llong(fallback) : fallback;
}

// Shapes of a shape tree are its element children other than the group's own properties.
bool IsShapeElement(const pugi::xml_node& node) {
  if (node.type() != pugi::node_element) return false;
  std::string_view n = LocalName(node);
  return n != "nvGrpSpPr" && n != "grpSpPr" && n != "extLst";
}

}  // namespace

PresentationDocument::PresentationDocument(std::unique_ptr<Package> package) : package_(std::move(package)) {
  mainPart_ = package_->MainPartName();
  pugi::xml_document* xml = package_->FindXml(mainPart_);
  pugi::xml_node root = xml ? xml->document_element() : pugi::xml_node();
  if (!root || LocalName(root) != "presentation")
    throw PackageError(PackageError::Kind::NotAPresentation, "the main part is not a presentation");

  if (pugi::xml_node size = ChildNamed(root, "sldSz")) {
    std::int64_t cx = IntAttribute(size, "cx", 0), cy = IntAttribute(size, "cy", 0);
    if (cx > 0 && cy > 0) {
      slideWidth_ = static_cast<float>(cx) / kEmuPerPoint;
      slideHeight_ = static_cast<float>(cy) / kEmuPerPoint;
    }
  }
  firstSlideNumber_ = static_cast<int>(IntAttribute(root, "firstSlideNum", 1));

  // Entries whose relationship or part is missing are left out, as a damaged
  // list entry cannot be shown as a slide.
  ForEachChildNamed(ChildNamed(root, "sldIdLst"), "sldId", [&](const pugi::xml_node& n) {
    const Relationship* rel = package_->FindRelationship(mainPart_, RelationshipId(n));
    if (!rel || rel->external || !package_->HasPart(rel->target)) return;
    slides_.push_back({static_cast<std::uint32_t>(n.attribute("id").as_uint()), rel->target});
  });
  ForEachChildNamed(ChildNamed(root, "sldMasterIdLst"), "sldMasterId", [&](const pugi::xml_node& n) {
    const Relationship* rel = package_->FindRelationship(mainPart_, RelationshipId(n));
    if (rel && !rel->external && package_->HasPart(rel->target)) masters_.push_back(rel->target);
  });
}

pugi::xml_node PresentationDocument::PartRoot(const std::string& part) {
  pugi::xml_document* xml = package_->FindXml(part);
  return xml ? xml->document_element() : pugi::xml_node();
}

const std::vector<std::string>& PresentationDocument::LayoutsOfMaster(const std::string& masterPart) {
  auto [it, inserted] = layouts_.try_emplace(masterPart);
  if (!inserted) return it->second;
  ForEachChildNamed(ChildNamed(PartRoot(masterPart), "sldLayoutIdLst"), "sldLayoutId", [&](const pugi::xml_node& n) {
    const Relationship* rel = package_->FindRelationship(masterPart, RelationshipId(n));
    if (rel && !rel->external && package_->HasPart(rel->target)) it->second.push_back(rel->target);
  });
  return it->second;
}

std::string PresentationDocument::MasterOfPart(const std::string& part) {
  std::string layout = part;
  if (const Relationship* rel = package_->FindRelationshipOfType(part, "slideLayout")) layout = rel->target;
  const Relationship* master = package_->FindRelationshipOfType(layout, "slideMaster");
  return master ? master->target : std::string();
}

int PresentationDocument::ShapeCount(const std::string& part) {
  auto [it, inserted] = shapeCounts_.try_emplace(part, 0);
  if (!inserted) return it->second;
  pugi::xml_node tree = ChildNamed(ChildNamed(PartRoot(part), "cSld"), "spTree");
  for (pugi::xml_node c = tree.first_child(); c; c = c.next_sibling())
    if (IsShapeElement(c)) ++it->second;
  return it->second;
}

const TagList& PresentationDocument::Tags(const std::string& part) {
  auto [it, inserted] = tags_.try_emplace(part);
  if (!inserted) return it->second;
  pugi::xml_node root = PartRoot(part);
  pugi::xml_node owner = part == mainPart_ ? root : ChildNamed(root, "cSld");
  pugi::xml_node tagsRef = ChildNamed(ChildNamed(owner, "custDataLst"), "tags");
  const Relationship* rel = package_->FindRelationship(part, RelationshipId(tagsRef));
  if (!rel || rel->external) return it->second;
  ForEachChildNamed(PartRoot(rel->target), "tag", [&](const pugi::xml_node& t) {
    it->second.emplace_back(t.attribute("name").value(), t.attribute("val").value());
  });
  return it->second;
}

}  // namespace quillmere::engine
