#include "engine/objects/slides/DesignObjects.h"

#include <algorithm>

#include "engine/model/format/BackgroundStyle.h"
#include "engine/model/format/ThemeStyles.h"
#include "engine/model/shapes/Inheritance.h"
#include "engine/model/slides/LayoutEdits.h"
#include "engine/model/text/ThemeFonts.h"
#include "engine/objects/document/PageMembers.h"
#include "engine/objects/document/ParentLink.h"
#include "engine/objects/images/SlideImages.h"
#include "engine/objects/media/ActionSettingObjects.h"
#include "engine/objects/shapes/ShapeObjects.h"
#include "engine/objects/slides/ThemeColorObjects.h"
#include "engine/objects/slides/ThemeObjects.h"
#include "engine/objects/timeline/TimelineObjects.h"

namespace quillmere::engine {

namespace {

Value AddCustomLayout(CustomLayoutsObject& o, int index) {
  int count = static_cast<int>(o.List().size());
  if (index < 1 || index > count + 1)
    throw ComError(hr::kInvalidArgument, "CustomLayouts.Add : Integer out of range. " + std::to_string(index) +
                                             " is not in the valid range of 1 to " + std::to_string(count + 1) + ".");
  std::string part = AddLayout(*o.doc, o.masterPart, static_cast<std::size_t>(index - 1));
  if (part.empty()) throw ComError(hr::kUnspecified, "CustomLayouts.Add : The presentation has no layout id left.");
  if (auto layout = o.ForPart(part)) return Value(layout);
  throw ComError(hr::kUnspecified, "CustomLayouts.Add : The layout was not added.");
}

void DeleteCustomLayout(CustomLayoutObject& o) {
  DrawImagesNeeding(*o.Session(), o.part);
  switch (DeleteLayout(*o.doc, o.part)) {
    case LayoutRemoval::Removed:
      o.deleted = true;
      return;
    case LayoutRemoval::InUse:
      throw ComError(hr::kUnspecified, "CustomLayout.Delete : This layout cannot be deleted: slides use it.");
    case LayoutRemoval::NotListed:
      throw ComError(hr::kUnspecified, "CustomLayout.Delete : Object does not exist.");
  }
}

}  // namespace

std::string DesignName(PresentationDocument& doc, const std::string& masterPart) {
  std::string own = PartDisplayName(doc, masterPart);
  return own.empty() ? ThemeName(ThemeRootOf(doc, masterPart)) : own;
}

Value CustomLayoutObject::Invoke(InvokeKind kind, std::string_view member, Args args) {
  if (deleted) throw ComError(hr::kUnspecified, "CustomLayout (unknown member) : Object does not exist.");
  return EngineObject::Invoke(kind, member, args);
}

int CustomLayoutObject::Index() const {
  const std::vector<std::string>& layouts = doc->LayoutsOfMaster(InheritedPartsOf(*doc, part).master);
  return static_cast<int>(std::find(layouts.begin(), layouts.end(), part) - layouts.begin()) + 1;
}

const MemberTable<CustomLayoutObject>& CustomLayoutObject::Members() {
  static const MemberTable<CustomLayoutObject> table{
      {.name = "Index", .sinceVersion = 12, .get = [](CustomLayoutObject& o, Args) { return Value(o.Index()); }},
      {.name = "Name",
       .sinceVersion = 12,
       .get = [](CustomLayoutObject& o, Args) { return Value(PartDisplayName(*o.doc, o.part)); }},
      {.name = "Parent",
       .sinceVersion = 12,
       .get = [](CustomLayoutObject& o, Args) { return ParentOf(o.master, "CustomLayout"); }},
      {.name = "Shapes",
       .sinceVersion = 12,
       .get =
           [](CustomLayoutObject& o, Args) {
             return Value(std::make_shared<ShapesObject>(o.Session(), o.doc, o.part, o.shared_from_this()));
           }},
      {.name = "ThemeColorScheme",
       .sinceVersion = 12,
       .get = [](CustomLayoutObject& o, Args a) { return ThemeColorSchemeOf(o.Session(), o.doc, o.part, a); }},
      {.name = "Background",
       .sinceVersion = 12,
       .get = [](CustomLayoutObject& o, Args) { return BackgroundOf(o.Session(), o.doc, o.part, o.shared_from_this()); }},
      {.name = "FollowMasterBackground",
       .sinceVersion = 12,
       .get = [](CustomLayoutObject& o, Args) { return MsoBool(!HasOwnBackground(*o.doc, o.part)); }},
      {.name = "DisplayMasterShapes",
       .sinceVersion = 12,
       .get =
           [](CustomLayoutObject& o, Args) {
             return MsoBool(ShowsMasterShapes(*o.doc, o.part));
           }},
      {.name = "Height",
       .sinceVersion = 12,
       .get = [](CustomLayoutObject& o, Args) { return Value(o.doc->SlideHeight()); }},
      {.name = "Width",
       .sinceVersion = 12,
       .get = [](CustomLayoutObject& o, Args) { return Value(o.doc->SlideWidth()); }},
      {.name = "Hyperlinks",
       .sinceVersion = 12,
       .get = [](CustomLayoutObject& o, Args a) { return HyperlinksOf(o.Session(), o.doc, o.part, o.shared_from_this(), a); }},
      {.name = "TimeLine",
       .sinceVersion = 12,
       .get = [](CustomLayoutObject& o, Args) { return TimeLineOf(o.Session(), o.doc, o.part, o.shared_from_this()); }},
      {.name = "Delete",
       .sinceVersion = 12,
       .call =
           [](CustomLayoutObject& o, Args) {
             DeleteCustomLayout(o);
             return Value();
           }},
  };
  return table;
}

CustomLayoutsObject::CustomLayoutsObject(std::shared_ptr<EngineSession> s, std::shared_ptr<PresentationDocument> d,
                                         std::string master, const std::weak_ptr<Dispatch>& m)
    : EngineObject(std::move(s)), doc(std::move(d)), masterPart(std::move(master)), master(m) {
  for (const std::string& part : doc->LayoutsOfMaster(masterPart))
    layouts_.push_back(std::make_shared<CustomLayoutObject>(session_, doc, part, this->master));
  revision_ = doc->LayoutsRevision();
}

const std::vector<std::shared_ptr<CustomLayoutObject>>& CustomLayoutsObject::List() {
  if (revision_ == doc->LayoutsRevision()) return layouts_;
  std::vector<std::shared_ptr<CustomLayoutObject>> list;
  for (const std::string& part : doc->LayoutsOfMaster(masterPart)) {
    auto kept = std::find_if(layouts_.begin(), layouts_.end(), [&](const auto& l) { return l && l->part == part; });
    list.push_back(kept != layouts_.end() ? std::move(*kept)
                                          : std::make_shared<CustomLayoutObject>(session_, doc, part, master));
  }
  for (const auto& gone : layouts_)
    if (gone) gone->deleted = true;
  layouts_ = std::move(list);
  revision_ = doc->LayoutsRevision();
  return layouts_;
}

std::shared_ptr<CustomLayoutObject> CustomLayoutsObject::ForPart(const std::string& layoutPart) {
  for (const auto& layout : List())
    if (layout->part == layoutPart) return layout;
  return nullptr;
}

const MemberTable<CustomLayoutsObject>& CustomLayoutsObject::Members() {
  static const auto item = [](CustomLayoutsObject& o, Args a) {
    const auto& list = o.List();
    return Value(list[CollectionIndex(ArgAt(a, 0), static_cast<int>(list.size()), "CustomLayouts") - 1]);
  };
  static const MemberTable<CustomLayoutsObject> table{
      {.name = "Count", .get = [](CustomLayoutsObject& o, Args) { return Value(static_cast<int>(o.List().size())); }},
      {.name = "Item", .get = item},
      {.name = "", .get = item},
      {.name = "Parent", .get = [](CustomLayoutsObject& o, Args) { return ParentOf(o.master, "CustomLayouts"); }},
      // Add(Index): a new layout at that place of the master's list.
      {.name = "Add", .call = [](CustomLayoutsObject& o, Args a) { return AddCustomLayout(o, ArgAt(a, 0).AsLong()); }},
  };
  return table;
}

std::shared_ptr<CustomLayoutsObject> MasterObject::CustomLayouts() {
  if (!customLayouts_)
    customLayouts_ = std::make_shared<CustomLayoutsObject>(session_, doc, part, std::weak_ptr<Dispatch>(shared_from_this()));
  return customLayouts_;
}

const MemberTable<MasterObject>& MasterObject::Members() {
  static const MemberTable<MasterObject> table{
      {.name = "Name", .get = [](MasterObject& o, Args) { return Value(DesignName(*o.doc, o.designMaster)); }},
      {.name = "Shapes",
       .get =
           [](MasterObject& o, Args) {
             return Value(std::make_shared<ShapesObject>(o.Session(), o.doc, o.part, o.shared_from_this()));
           }},
      {.name = "Background",
       .get = [](MasterObject& o, Args) { return BackgroundOf(o.Session(), o.doc, o.part, o.shared_from_this()); }},
      {.name = "BackgroundStyle",
       .sinceVersion = 12,
       .get = [](MasterObject& o, Args) { return Value(BackgroundStyleIndex(o.doc->BackgroundOf(o.part))); }},
      {.name = "ThemeColorScheme",
       .sinceVersion = 12,
       .get = [](MasterObject& o, Args a) { return ThemeColorSchemeOf(o.Session(), o.doc, o.part, a); }},
      {.name = "ColorScheme",
       .get =
           [](MasterObject& o, Args) {
             return Value(std::make_shared<ColorSchemeObject>(o.Session(), o.doc->ColorsOf(o.part).mapped));
           }},
      {.name = "Theme",
       .sinceVersion = 12,
       .get = [](MasterObject& o, Args) { return Value(std::make_shared<ThemeObject>(o.Session(), o.doc, o.part)); }},
      {.name = "CustomLayouts", .sinceVersion = 12, .get = [](MasterObject& o, Args) { return Value(o.CustomLayouts()); }},
      {.name = "Height", .get = [](MasterObject& o, Args) { return Value(o.doc->SlideHeight()); }},
      {.name = "Width", .get = [](MasterObject& o, Args) { return Value(o.doc->SlideWidth()); }},
      {.name = "Hyperlinks",
       .get = [](MasterObject& o, Args a) { return HyperlinksOf(o.Session(), o.doc, o.part, o.shared_from_this(), a); }},
      {.name = "TimeLine",
       .sinceVersion = 10,
       .get = [](MasterObject& o, Args) { return TimeLineOf(o.Session(), o.doc, o.part, o.shared_from_this()); }},
  };
  return table;
}

std::string DesignObject::TitleLayout() const {
  for (const std::string& layout : doc->LayoutsOfMaster(master->part))
    if (std::string_view(doc->PartRoot(layout).attribute("type").value()) == "title") return layout;
  return {};
}

std::shared_ptr<MasterObject> DesignObject::TitleMaster() {
  // From PowerPoint 2007 on a design has a title master only once one is added.
  std::string layout = session_->Version() < 12 ? TitleLayout() : std::string();
  if (layout.empty())
    throw ComError(hr::kUnspecified, "Design.TitleMaster : Invalid request.  This design does not have a title master.");
  if (!titleMaster_ || titleMaster_->part != layout)
    titleMaster_ = std::make_shared<MasterObject>(session_, doc, layout, master->part);
  return titleMaster_;
}

const MemberTable<DesignObject>& DesignObject::Members() {
  static const MemberTable<DesignObject> table{
      {.name = "Index", .get = [](DesignObject& o, Args) { return Value(o.index); }},
      {.name = "Name", .get = [](DesignObject& o, Args) { return Value(DesignName(*o.doc, o.master->part)); }},
      {.name = "SlideMaster", .get = [](DesignObject& o, Args) { return Value(o.master); }},
      // Open XML keeps no title master: from PowerPoint 2007 on a design has
      // none, and the PowerPoint 2003 view shows the master's title layout as one.
      {.name = "HasTitleMaster",
       .get =
           [](DesignObject& o, Args) {
             return MsoBool(o.Session()->Version() < 12 && !o.TitleLayout().empty());
           }},
      {.name = "TitleMaster", .get = [](DesignObject& o, Args) { return Value(o.TitleMaster()); }},
  };
  return table;
}

DesignsObject::DesignsObject(std::shared_ptr<EngineSession> s, std::shared_ptr<PresentationDocument> d)
    : EngineObject(std::move(s)) {
  int i = 0;
  for (const std::string& master : d->Masters()) designs.push_back(std::make_shared<DesignObject>(session_, d, master, ++i));
}

std::shared_ptr<DesignObject> DesignsObject::ForMaster(const std::string& masterPart) const {
  for (const auto& d : designs)
    if (d->master->part == masterPart) return d;
  return nullptr;
}

const MemberTable<DesignsObject>& DesignsObject::Members() {
  static const auto item = [](DesignsObject& o, Args a) {
    return Value(o.designs[CollectionIndex(ArgAt(a, 0), static_cast<int>(o.designs.size()), "Designs") - 1]);
  };
  static const MemberTable<DesignsObject> table{
      {.name = "Count", .get = [](DesignsObject& o, Args) { return Value(static_cast<int>(o.designs.size())); }},
      {.name = "Item", .get = item},
      {.name = "", .get = item},
  };
  return table;
}

}  // namespace quillmere::engine
