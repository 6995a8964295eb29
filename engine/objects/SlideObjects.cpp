#include "engine/objects/SlideObjects.h"

#include "engine/model/BackgroundStyle.h"
#include "engine/model/SlideLayoutType.h"
#include "engine/model/XmlNames.h"
#include "engine/objects/DocumentObjects.h"
#include "engine/objects/ParentLink.h"
#include "engine/objects/ShapeRangeObjects.h"
#include "engine/objects/SlideImages.h"
#include "engine/objects/ThemeColorObjects.h"
#include "engine/objects/TransitionObjects.h"

namespace quillmere::engine {
namespace {

// The name a part gives itself (p:cSld name="..."), as PowerPoint shows it.
std::string PartDisplayName(PresentationDocument& doc, const std::string& part) {
  return ChildNamed(doc.PartRoot(part), "cSld").attribute("name").value();
}

Value ThemeColorScheme(const std::shared_ptr<EngineSession>& session, PresentationDocument& doc,
                       const std::string& part) {
  return Value(std::make_shared<ThemeColorSchemeObject>(session, doc.ThemeColorsOf(part)));
}

}  // namespace

const MemberTable<NotesPageObject>& NotesPageObject::Members() {
  static const MemberTable<NotesPageObject> table{
      {.name = "Shapes",
       .get = [](NotesPageObject& o, Args) {
         return Value(std::make_shared<ShapesObject>(o.Session(), o.doc, o.part, o.shared_from_this()));
       }},
      {.name = "ThemeColorScheme",
       .sinceVersion = 12,
       .get = [](NotesPageObject& o, Args) { return ThemeColorScheme(o.Session(), *o.doc, o.part); }},
  };
  return table;
}

SlideObject::SlideObject(std::shared_ptr<EngineSession> s, std::shared_ptr<PresentationDocument> d,
                         std::shared_ptr<DesignsObject> ds, SlideEntry e, int openPosition,
                         std::weak_ptr<Dispatch> pres)
    : EngineObject(std::move(s)), doc(std::move(d)), designs(std::move(ds)), entry(std::move(e)),
      presentation(std::move(pres)) {
  name = PartDisplayName(*doc, entry.part);
  if (name.empty()) name = "Slide" + std::to_string(openPosition);
}

int SlideObject::Index() const {
  const auto& list = doc->Slides();
  for (std::size_t i = 0; i < list.size(); ++i)
    if (list[i].id == entry.id) return static_cast<int>(i) + 1;
  throw ComError(hr::kUnspecified, "Slide (unknown member) : Object does not exist.");
}

std::shared_ptr<CustomLayoutObject> SlideObject::CustomLayout() const {
  auto design = designs->ForMaster(doc->MasterOfPart(entry.part));
  auto layout = design ? design->master->CustomLayouts()->ForPart(doc->LayoutOfSlide(entry.part)) : nullptr;
  if (!layout) throw ComError(hr::kUnspecified, "Slide.CustomLayout : The slide has no custom layout.");
  return layout;
}

std::shared_ptr<SlideShowTransitionObject> SlideObject::SlideShowTransition() {
  if (!transition_)
    transition_ = std::make_shared<SlideShowTransitionObject>(session_, ReadSlideTransition(doc->PartRoot(entry.part)));
  return transition_;
}

const MemberTable<SlideObject>& SlideObject::Members() {
  static const MemberTable<SlideObject> table{
      {.name = "SlideID", .get = [](SlideObject& o, Args) { return Value(static_cast<int>(o.entry.id)); }},
      {.name = "SlideIndex", .get = [](SlideObject& o, Args) { return Value(o.Index()); }},
      {.name = "Export",
       .call =
           [](SlideObject& o, Args a) {
             ExportSlideImage(*o.Session(), *o.doc, o.Index(), a);
             return Value();
           }},
      {.name = "SlideNumber",
       .get = [](SlideObject& o, Args) { return Value(o.doc->FirstSlideNumber() + o.Index() - 1); }},
      {.name = "Name", .get = [](SlideObject& o, Args) { return Value(o.name); }},
      {.name = "Parent", .get = [](SlideObject& o, Args) { return ParentOf(o.presentation, "Slide"); }},
      {.name = "Shapes",
       .get =
           [](SlideObject& o, Args) {
             return Value(std::make_shared<ShapesObject>(o.Session(), o.doc, o.entry.part, o.shared_from_this()));
           }},
      {.name = "Tags",
       .get = [](SlideObject& o, Args) {
         return Value(std::make_shared<TagsObject>(o.Session(), o.doc->Tags(o.entry.part)));
       }},
      {.name = "Design",
       .get =
           [](SlideObject& o, Args) {
             auto design = o.designs->ForMaster(o.doc->MasterOfPart(o.entry.part));
             if (!design) throw ComError(hr::kUnspecified, "Slide.Design : The slide has no design.");
             return Value(design);
           }},
      {.name = "Layout",
       .get =
           [](SlideObject& o, Args) {
             pugi::xml_node layout = o.doc->PartRoot(o.doc->LayoutOfSlide(o.entry.part));
             return Value(SlideLayoutOf(layout.attribute("type").value()));
           }},
      {.name = "CustomLayout", .sinceVersion = 12, .get = [](SlideObject& o, Args) { return Value(o.CustomLayout()); }},
      {.name = "FollowMasterBackground",
       .get =
           [](SlideObject& o, Args) {
             return MsoBool(!ChildNamed(ChildNamed(o.doc->PartRoot(o.entry.part), "cSld"), "bg"));
           }},
      // The background as PowerPoint hands it out: a range of one shape whose
      // fill is the slide's background, its own or the one it follows.
      {.name = "Background",
       .get =
           [](SlideObject& o, Args) {
             auto background = std::make_shared<ShapeObject>(o.Session(), o.doc, o.entry.part,
                                                             o.doc->BackgroundOf(o.entry.part), o.shared_from_this());
             return Value(std::make_shared<ShapeRangeObject>(o.Session(), std::vector{background}));
           }},
      {.name = "DisplayMasterShapes",
       .get =
           [](SlideObject& o, Args) {
             return MsoBool(o.doc->PartRoot(o.entry.part).attribute("showMasterSp").as_bool(true));
           }},
      {.name = "BackgroundStyle",
       .sinceVersion = 12,
       .get = [](SlideObject& o, Args) { return Value(BackgroundStyleIndex(o.doc->BackgroundOf(o.entry.part))); }},
      {.name = "ThemeColorScheme",
       .sinceVersion = 12,
       .get = [](SlideObject& o, Args) { return ThemeColorScheme(o.Session(), *o.doc, o.entry.part); }},
      {.name = "NotesPage",
       .get =
           [](SlideObject& o, Args) {
             return Value(std::make_shared<NotesPageObject>(o.Session(), o.doc, o.doc->NotesPageOf(o.entry.part)));
           }},
      {.name = "SlideShowTransition", .get = [](SlideObject& o, Args) { return Value(o.SlideShowTransition()); }},
  };
  return table;
}

SlidesObject::SlidesObject(std::shared_ptr<EngineSession> s, std::shared_ptr<PresentationDocument> d,
                           std::shared_ptr<DesignsObject> ds, std::weak_ptr<Dispatch> pres)
    : EngineObject(std::move(s)), doc(std::move(d)), designs(std::move(ds)), presentation(std::move(pres)) {
  int position = 0;
  for (const SlideEntry& e : doc->Slides())
    slides.push_back(std::make_shared<SlideObject>(session_, doc, designs, e, ++position, presentation));
}

std::shared_ptr<SlideObject> SlidesObject::At(int index) {
  return slides[CollectionIndex(index, static_cast<int>(slides.size()), "Slides") - 1];
}

const MemberTable<SlidesObject>& SlidesObject::Members() {
  static const MemberTable<SlidesObject> table{
      {.name = "Count", .get = [](SlidesObject& o, Args) { return Value(static_cast<int>(o.slides.size())); }},
      {.name = "Parent", .get = [](SlidesObject& o, Args) { return ParentOf(o.presentation, "Slides"); }},
      {.name = "Item", .get = [](SlidesObject& o, Args a) { return Value(o.At(ArgAt(a, 0).AsLong())); }},
      {.name = "FindBySlideID",
       .call =
           [](SlidesObject& o, Args a) {
             auto id = static_cast<std::uint32_t>(ArgAt(a, 0).AsLong());
             for (const auto& s : o.slides)
               if (s->entry.id == id) return Value(s);
             throw ComError(hr::kInvalidArgument, "Slides.FindBySlideID : Invalid request.  Slide ID not found.");
           }},
  };
  return table;
}

const MemberTable<CustomLayoutObject>& CustomLayoutObject::Members() {
  static const MemberTable<CustomLayoutObject> table{
      {.name = "Index", .sinceVersion = 12, .get = [](CustomLayoutObject& o, Args) { return Value(o.index); }},
      {.name = "Name",
       .sinceVersion = 12,
       .get = [](CustomLayoutObject& o, Args) { return Value(PartDisplayName(*o.doc, o.part)); }},
      {.name = "Shapes",
       .sinceVersion = 12,
       .get = [](CustomLayoutObject& o, Args) {
         return Value(std::make_shared<ShapesObject>(o.Session(), o.doc, o.part, o.shared_from_this()));
       }},
      {.name = "ThemeColorScheme",
       .sinceVersion = 12,
       .get = [](CustomLayoutObject& o, Args) { return ThemeColorScheme(o.Session(), *o.doc, o.part); }},
  };
  return table;
}

CustomLayoutsObject::CustomLayoutsObject(std::shared_ptr<EngineSession> s, std::shared_ptr<PresentationDocument> d,
                                         std::string master)
    : EngineObject(std::move(s)), doc(std::move(d)) {
  int i = 0;
  for (const std::string& part : doc->LayoutsOfMaster(master))
    layouts.push_back(std::make_shared<CustomLayoutObject>(session_, doc, part, ++i));
}

std::shared_ptr<CustomLayoutObject> CustomLayoutsObject::ForPart(const std::string& layoutPart) const {
  for (const auto& layout : layouts)
    if (layout->part == layoutPart) return layout;
  return nullptr;
}

const MemberTable<CustomLayoutsObject>& CustomLayoutsObject::Members() {
  static const MemberTable<CustomLayoutsObject> table{
      {.name = "Count", .get = [](CustomLayoutsObject& o, Args) { return Value(static_cast<int>(o.layouts.size())); }},
      {.name = "Item",
       .get =
           [](CustomLayoutsObject& o, Args a) {
             return Value(o.layouts[CollectionIndex(ArgAt(a, 0), static_cast<int>(o.layouts.size()), "CustomLayouts") - 1]);
           }},
  };
  return table;
}

std::shared_ptr<CustomLayoutsObject> MasterObject::CustomLayouts() {
  if (!customLayouts_) customLayouts_ = std::make_shared<CustomLayoutsObject>(session_, doc, part);
  return customLayouts_;
}

const MemberTable<MasterObject>& MasterObject::Members() {
  static const MemberTable<MasterObject> table{
      {.name = "Name", .get = [](MasterObject& o, Args) { return Value(PartDisplayName(*o.doc, o.part)); }},
      {.name = "Shapes",
       .get =
           [](MasterObject& o, Args) {
             return Value(std::make_shared<ShapesObject>(o.Session(), o.doc, o.part, o.shared_from_this()));
           }},
      {.name = "CustomLayouts", .sinceVersion = 12, .get = [](MasterObject& o, Args) { return Value(o.CustomLayouts()); }},
  };
  return table;
}

const MemberTable<DesignObject>& DesignObject::Members() {
  static const MemberTable<DesignObject> table{
      {.name = "Index", .get = [](DesignObject& o, Args) { return Value(o.index); }},
      {.name = "Name", .get = [](DesignObject& o, Args) { return Value(PartDisplayName(*o.doc, o.master->part)); }},
      {.name = "SlideMaster", .get = [](DesignObject& o, Args) { return Value(o.master); }},
      // Open XML masters never carry a separate title master.
      {.name = "HasTitleMaster", .get = [](DesignObject&, Args) { return Value(kMsoFalse); }},
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
  static const MemberTable<DesignsObject> table{
      {.name = "Count", .get = [](DesignsObject& o, Args) { return Value(static_cast<int>(o.designs.size())); }},
      {.name = "Item",
       .get =
           [](DesignsObject& o, Args a) {
             return Value(o.designs[CollectionIndex(ArgAt(a, 0), static_cast<int>(o.designs.size()), "Designs") - 1]);
           }},
  };
  return table;
}

}  // namespace quillmere::engine
