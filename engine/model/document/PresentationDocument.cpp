#include "engine/model/document/PresentationDocument.h"

#include <algorithm>
#include <cstdlib>

#include "engine/model/document/DrawingUnits.h"
#include "engine/model/document/XmlNames.h"
#include "engine/model/format/PartColors.h"
#include "engine/model/shapes/Inheritance.h"
#include "engine/model/shapes/ShapeTree.h"
#include "engine/model/text/TextStyles.h"

namespace quillmere::engine {
namespace {

std::int64_t IntAttribute(const pugi::xml_node& node, const char* name, std::int64_t fallback) {
  pugi::xml_attribute a = node.attribute(name);
  return a ? a.as_llong(fallback) : fallback;
}

}  // namespace

PresentationDocument::PresentationDocument(std::unique_ptr<Package> package)
    : package_(std::move(package)), sourceFile_(package_->File()) {
  mainPart_ = package_->MainPartName();
  pugi::xml_document* xml = package_->FindXml(mainPart_);
  pugi::xml_node root = xml ? xml->document_element() : pugi::xml_node();
  if (!root || LocalName(root) != "presentation")
    throw PackageError(PackageError::Kind::NotAPresentation, "the main part is not a presentation");

  if (pugi::xml_node size = ChildNamed(root, "sldSz")) {
    std::int64_t cx = IntAttribute(size, "cx", 0), cy = IntAttribute(size, "cy", 0);
    if (cx > 0 && cy > 0) {
      slideWidth_ = static_cast<float>(cx / kEmuPerPoint);
      slideHeight_ = static_cast<float>(cy / kEmuPerPoint);
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
  if (pugi::xml_document* xml = package_->FindXml(part)) return xml->document_element();
  return notesPages_.MadeRoot(part);
}

const std::vector<std::string>& PresentationDocument::LayoutsOfMaster(const std::string& masterPart) {
  return facts_.layouts.Get(masterPart, [&] {
    std::vector<std::string> layouts;
    ForEachChildNamed(ChildNamed(PartRoot(masterPart), "sldLayoutIdLst"), "sldLayoutId", [&](const pugi::xml_node& n) {
      const Relationship* rel = package_->FindRelationship(masterPart, RelationshipId(n));
      if (rel && !rel->external && package_->HasPart(rel->target)) layouts.push_back(rel->target);
    });
    return layouts;
  });
}

void PresentationDocument::LayoutsChanged(const std::string& masterPart) {
  facts_.Forget(PartChange::LayoutList, masterPart);
}

const SchemeColors& PresentationDocument::ThemeColorsOfMaster(const std::string& masterPart,
                                                             const std::string& themePart) {
  return facts_.themeColors.Get(masterPart, [&] { return ReadThemeColors(PartRoot(themePart)); });
}

ColorMap PresentationDocument::ColorMapOf(const std::vector<std::string>& chain) {
  ColorMap map = IdentityColorMap();
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    pugi::xml_node root = PartRoot(*it);
    if (IsMasterRoot(root))
      ApplyColorMapping(map, ChildNamed(root, "clrMap"));
    else
      ApplyColorMapping(map, ChildNamed(ChildNamed(root, "clrMapOvr"), "overrideClrMapping"));
  }
  return map;
}

SchemeColors PresentationDocument::ThemeColorsOf(const std::string& part) {
  InheritedParts parts = InheritedPartsOf(*this, part);
  return MappedColors(parts.theme.empty() ? SchemeColors{} : ThemeColorsOfMaster(parts.master, parts.theme),
                      ColorMapOf(InheritanceChain(*this, part)));
}

bool PresentationDocument::SetThemeColor(const std::string& part, int index, std::uint32_t rgb) {
  const std::string themePart = InheritedPartsOf(*this, part).theme;
  if (themePart.empty() || index < 0 || index >= kThemeColorCount) return false;
  ColorMap map = ColorMapOf(InheritanceChain(*this, part));
  if (!WriteThemeColor(PartRoot(themePart), map[static_cast<std::size_t>(index)], rgb)) return false;
  package_->MarkModified(themePart);
  facts_.Forget(PartChange::ThemeColors, themePart);
  return true;
}

const ColorContext& PresentationDocument::ColorsOf(const std::string& part) {
  return facts_.partColors.Get(part, [&] { return ColorContextOf(*this, part); });
}

pugi::xml_node PresentationDocument::BackgroundOf(const std::string& part) {
  for (const std::string& p : InheritanceChain(*this, part))
    if (pugi::xml_node bg = ChildNamed(ChildNamed(PartRoot(p), "cSld"), "bg")) return bg;
  if (!defaultBackground_.first_child())
    defaultBackground_.load_string(R"(<p:bg xmlns:p="http://schemas.openxmlformats.org/presentationml/2006/main" )"
                                   R"(xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main">)"
                                   R"(<p:bgRef idx="1001"><a:schemeClr val="bg1"/></p:bgRef></p:bg>)");
  return defaultBackground_.document_element();
}

const std::string& PresentationDocument::NotesPageOf(const std::string& slidePart) {
  return notesPages_.Of(*package_, slidePart);
}

int PresentationDocument::ShapeCount(const std::string& part) {
  return static_cast<int>(TopLevelShapesOf(part).size());
}

const std::vector<pugi::xml_node>& PresentationDocument::TopLevelShapesOf(const std::string& part) {
  return facts_.topLevelShapes.Get(part, [&] { return TopLevelShapes(PartRoot(part)); });
}

const ShapeNames& PresentationDocument::ShapeNamesOf(const std::string& part) {
  return facts_.shapeNames.Get(part, [&] { return ShapeNames::Of(ShapeTreeOf(PartRoot(part))); });
}

void PresentationDocument::ShapesChanged(const std::string& part) {
  facts_.Forget(PartChange::Shapes, part);
  package_->MarkModified(part);
}

void PresentationDocument::SlideAdded(std::size_t position, SlideEntry entry) {
  ForgetPart(entry.part);
  slides_.insert(slides_.begin() + static_cast<std::ptrdiff_t>(std::min(position, slides_.size())), std::move(entry));
  facts_.Forget(PartChange::SlideList, mainPart_);
}

void PresentationDocument::SlideRemoved(const std::string& slidePart) {
  std::erase_if(slides_, [&](const SlideEntry& e) { return e.part == slidePart; });
  ForgetPart(slidePart);
  facts_.Forget(PartChange::SlideList, mainPart_);
}

void PresentationDocument::ForgetPart(const std::string& part) {
  std::vector<std::string> parts{part};
  if (const std::string* notes = notesPages_.Known(part)) parts.push_back(*notes);
  for (const std::string& p : parts) {
    if (pugi::xml_node root = PartRoot(p)) stash_.ForgetWithin(root);
    facts_.Forget(PartChange::Gone, p);
    nextShapeIds_.erase(p);
  }
  notesPages_.Forget(part);
}

void PresentationDocument::LayoutChanged(const std::string& slidePart) {
  facts_.Forget(PartChange::Layout, slidePart);
}

void PresentationDocument::TextChanged(const std::string& part) {
  facts_.Forget(PartChange::Text, part);
  package_->MarkModified(part);
}

unsigned PresentationDocument::TakeShapeIds(const std::string& part, unsigned count) {
  auto [it, inserted] = nextShapeIds_.try_emplace(part);
  if (inserted) it->second = LargestShapeId(PartRoot(part)) + 1;
  unsigned first = it->second;
  it->second += count;
  return first;
}

const TextStyleChain& PresentationDocument::TextStylesOf(const std::string& part, const pugi::xml_node& shape) {
  return facts_.textStyles.Get(shape.internal_object(), [&] { return BuildTextStyleChain(*this, part, shape); });
}

const RunFonts* PresentationDocument::KeptRunFonts(const pugi::xml_node& run) {
  if (facts_.runFontsRevision != package_->Revision()) {
    facts_.runFonts.Clear();
    facts_.runFontsRevision = package_->Revision();
  }
  return facts_.runFonts.Find(run.internal_object());
}

const RunFonts& PresentationDocument::KeepRunFonts(const pugi::xml_node& run, RunFonts fonts) {
  return facts_.runFonts.Keep(run.internal_object(), std::move(fonts));
}

const std::vector<ActionLinkSite>& PresentationDocument::ActionLinksOf(const std::string& part) {
  return facts_.actionLinks.Get(part, [&] { return ListActionLinks(TopLevelShapesOf(part)); });
}

const std::vector<InheritedShape>& PresentationDocument::InheritedShapesOf(const std::string& part,
                                                                       const pugi::xml_node& shape) {
  return facts_.inheritedShapes.Get(shape.internal_object(), [&] { return FindInheritedShapes(*this, part, shape); });
}

const TableGrid& PresentationDocument::TableGridOf(const pugi::xml_node& table) {
  return facts_.tableGrids.Get(table.internal_object(), [&] { return ReadTableGrid(table); });
}

TagList PresentationDocument::ReadTags(const std::string& part, const pugi::xml_node& custDataLst) {
  TagList tags;
  const Relationship* rel = package_->FindRelationship(part, RelationshipId(ChildNamed(custDataLst, "tags")));
  if (!rel || rel->external) return tags;
  ForEachChildNamed(PartRoot(rel->target), "tag", [&](const pugi::xml_node& t) {
    tags.emplace_back(t.attribute("name").value(), t.attribute("val").value());
  });
  return tags;
}

const TagList& PresentationDocument::Tags(const std::string& part) {
  return facts_.tags.Get(part, [&] { return ReadTags(part, ChildNamed(TagOwner(part, {}), "custDataLst")); });
}

pugi::xml_node PresentationDocument::TagOwner(const std::string& part, const pugi::xml_node& shape) {
  if (shape) return ChildNamed(DrawingPropertiesOf(shape).parent(), "nvPr");
  pugi::xml_node root = PartRoot(part);
  return part == mainPart_ ? root : ChildNamed(root, "cSld");
}

std::shared_ptr<const AnimationTimeline> PresentationDocument::TimelineOf(const std::string& part) {
  return facts_.timelines.Get(part, [&] {
    // Colours are worked out only for a part that animates something.
    pugi::xml_node root = PartRoot(part);
    return std::make_shared<const AnimationTimeline>(
        ChildNamed(root, "timing") ? ReadAnimationTimeline(root, ColorsOf(part)) : AnimationTimeline{});
  });
}

TagList PresentationDocument::ShapeTags(const std::string& part, const pugi::xml_node& shape) {
  return ReadTags(part, ChildNamed(TagOwner(part, shape), "custDataLst"));
}

}  // namespace quillmere::engine
