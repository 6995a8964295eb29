#include "engine/objects/slides/SlideObjects.h"

#include <algorithm>

#include "engine/model/document/XmlNames.h"
#include "engine/model/format/BackgroundStyle.h"
#include "engine/model/shapes/Inheritance.h"
#include "engine/model/slides/SlideEdits.h"
#include "engine/model/slides/SlideLayoutType.h"
#include "engine/objects/document/DocumentObjects.h"
#include "engine/objects/document/PageMembers.h"
#include "engine/objects/document/ParentLink.h"
#include "engine/objects/images/SlideImages.h"
#include "engine/objects/media/ActionSettingObjects.h"
#include "engine/objects/slides/SlideRangeObjects.h"
#include "engine/objects/slides/TransitionObjects.h"
#include "engine/objects/timeline/TimelineObjects.h"

namespace quillmere::engine {
namespace {

constexpr int kLastSlideLayout = 36;  // ppLayoutPictureWithCaption
constexpr int kLayoutObject = 16;     // ppLayoutObject

// The layout Slides.Add takes for a PpSlideLayout: the first master's first
// layout of that kind, else its first layout. ppLayoutObject has no layout
// type of its own; "obj" (Title and Content) stands for it, as in PowerPoint 2007 on.
std::string LayoutForSlideLayout(PresentationDocument& doc, int slideLayout) {
  if (slideLayout < 1 || slideLayout > kLastSlideLayout)
    throw ComError(hr::kInvalidArgument, "Slides.Add : Invalid enumeration value.");
  if (doc.Masters().empty()) throw ComError(hr::kUnspecified, "Slides.Add : The presentation has no slide master.");
  const std::vector<std::string>& layouts = doc.LayoutsOfMaster(doc.Masters().front());
  if (layouts.empty()) throw ComError(hr::kUnspecified, "Slides.Add : The slide master has no layouts.");
  for (const std::string& layout : layouts) {
    std::string_view type = doc.PartRoot(layout).attribute("type").value();
    if (SlideLayoutOf(type) == slideLayout || (slideLayout == kLayoutObject && type == "obj")) return layout;
  }
  return layouts.front();
}

// Slide.Design put: the slide follows the design's master from now on,
// through its layout of the same type as the slide's, else its first.
void MoveToDesign(SlideObject& o, const Value& v) {
  auto design = v.IsObject() ? std::dynamic_pointer_cast<DesignObject>(v.AsDispatch()) : nullptr;
  if (!design || design->doc != o.doc) throw ComError(hr::kInvalidArgument, "Slide.Design : Invalid request.  The value is not a design of this presentation.");
  const std::vector<std::string>& layouts = o.doc->LayoutsOfMaster(design->master->part);
  if (layouts.empty()) throw ComError(hr::kUnspecified, "Slide.Design : The design has no layouts.");
  std::string current = InheritedPartsOf(*o.doc, o.entry.part).layout;
  if (std::find(layouts.begin(), layouts.end(), current) != layouts.end()) return;
  std::string_view type = o.doc->PartRoot(current).attribute("type").value();
  std::string target = layouts.front();
  if (!type.empty())
    for (const std::string& layout : layouts)
      if (o.doc->PartRoot(layout).attribute("type").value() == type) {
        target = layout;
        break;
      }
  SetSlideLayout(*o.doc, o.entry.part, target);
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
       .get = [](NotesPageObject& o, Args a) { return ThemeColorSchemeOf(o.Session(), o.doc, o.part, a); }},
  };
  return table;
}

SlideObject::SlideObject(std::shared_ptr<EngineSession> s, std::shared_ptr<PresentationDocument> d,
                         std::shared_ptr<DesignsObject> ds, SlideEntry e, int number,
                         std::weak_ptr<Dispatch> pres)
    : EngineObject(std::move(s)), doc(std::move(d)), designs(std::move(ds)), entry(std::move(e)),
      presentation(std::move(pres)) {
  name = PartDisplayName(*doc, entry.part);
  if (name.empty()) name = "Slide" + std::to_string(number);
}

Value SlideObject::Invoke(InvokeKind kind, std::string_view member, Args args) {
  if (deleted) throw ComError(hr::kUnspecified, "Slide (unknown member) : Object does not exist.");
  return EngineObject::Invoke(kind, member, args);
}

int SlideObject::Index() const {
  const auto& list = doc->Slides();
  for (std::size_t i = 0; i < list.size(); ++i)
    if (list[i].id == entry.id) return static_cast<int>(i) + 1;
  throw ComError(hr::kUnspecified, "Slide (unknown member) : Object does not exist.");
}

std::shared_ptr<CustomLayoutObject> SlideObject::CustomLayout() const {
  InheritedParts parts = InheritedPartsOf(*doc, entry.part);
  auto design = designs->ForMaster(parts.master);
  auto layout = design ? design->master->CustomLayouts()->ForPart(parts.layout) : nullptr;
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
             ExportSlideImage(*o.Session(), o.doc, o.Index(), a);
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
         return Value(std::make_shared<TagsObject>(o.Session(), o.doc, o.entry.part));
       }},
      {.name = "Design",
       .get =
           [](SlideObject& o, Args) {
             auto design = o.designs->ForMaster(InheritedPartsOf(*o.doc, o.entry.part).master);
             if (!design) throw ComError(hr::kUnspecified, "Slide.Design : The slide has no design.");
             return Value(design);
           },
       .put = [](SlideObject& o, Args, const Value& v) { MoveToDesign(o, v); }},
      {.name = "Delete",
       .call =
           [](SlideObject& o, Args) {
             if (!DeleteSlide(*o.doc, o.entry.part))
               throw ComError(hr::kUnspecified, "Slide.Delete : Object does not exist.");
             o.deleted = true;
             return Value();
           }},
      {.name = "Layout",
       .get =
           [](SlideObject& o, Args) {
             pugi::xml_node layout = o.doc->PartRoot(InheritedPartsOf(*o.doc, o.entry.part).layout);
             return Value(SlideLayoutOf(layout.attribute("type").value()));
           }},
      {.name = "CustomLayout", .sinceVersion = 12, .get = [](SlideObject& o, Args) { return Value(o.CustomLayout()); }},
      {.name = "FollowMasterBackground",
       .get =
           [](SlideObject& o, Args) {
             return MsoBool(!HasOwnBackground(*o.doc, o.entry.part));
           }},
      {.name = "Background",
       .get = [](SlideObject& o, Args) {
         return BackgroundOf(o.Session(), o.doc, o.entry.part, o.shared_from_this());
       }},
      {.name = "DisplayMasterShapes",
       .get = [](SlideObject& o, Args) { return MsoBool(ShowsMasterShapes(*o.doc, o.entry.part)); },
       .put = [](SlideObject& o, Args, const Value& v) { SetShowsMasterShapes(*o.doc, o.entry.part, v.AsBool()); }},
      {.name = "Duplicate", .call = [](SlideObject& o, Args) { return DuplicateOf(o); }},
      {.name = "BackgroundStyle",
       .sinceVersion = 12,
       .get = [](SlideObject& o, Args) { return Value(BackgroundStyleIndex(o.doc->BackgroundOf(o.entry.part))); }},
      {.name = "ThemeColorScheme",
       .sinceVersion = 12,
       .get = [](SlideObject& o, Args a) { return ThemeColorSchemeOf(o.Session(), o.doc, o.entry.part, a); }},
      {.name = "NotesPage",
       .get =
           [](SlideObject& o, Args) {
             return Value(std::make_shared<NotesPageObject>(o.Session(), o.doc, o.doc->NotesPageOf(o.entry.part)));
           }},
      {.name = "SlideShowTransition", .get = [](SlideObject& o, Args) { return Value(o.SlideShowTransition()); }},
      {.name = "Hyperlinks",
       .get = [](SlideObject& o, Args a) { return HyperlinksOf(o.Session(), o.doc, o.entry.part, o.shared_from_this(), a); }},
      {.name = "TimeLine",
       .sinceVersion = 10,
       .get = [](SlideObject& o, Args) { return TimeLineOf(o.Session(), o.doc, o.entry.part, o.shared_from_this()); }},
  };
  return table;
}

SlidesObject::SlidesObject(std::shared_ptr<EngineSession> s, std::shared_ptr<PresentationDocument> d,
                           std::shared_ptr<DesignsObject> ds, std::weak_ptr<Dispatch> pres)
    : EngineObject(std::move(s)), doc(std::move(d)), designs(std::move(ds)), presentation(std::move(pres)) {
  for (const SlideEntry& e : doc->Slides())
    slides_.push_back(std::make_shared<SlideObject>(session_, doc, designs, e, ++named_, presentation));
  revision_ = doc->SlidesRevision();
}

const std::vector<std::shared_ptr<SlideObject>>& SlidesObject::List() {
  if (revision_ == doc->SlidesRevision()) return slides_;
  std::vector<std::shared_ptr<SlideObject>> list;
  for (const SlideEntry& e : doc->Slides()) {
    auto kept = std::find_if(slides_.begin(), slides_.end(), [&](const auto& s) {
      return s && s->entry.id == e.id && s->entry.part == e.part;
    });
    if (kept != slides_.end()) {
      list.push_back(std::move(*kept));
    } else {
      list.push_back(std::make_shared<SlideObject>(session_, doc, designs, e, ++named_, presentation));
    }
  }
  for (const auto& gone : slides_)
    if (gone) gone->deleted = true;
  slides_ = std::move(list);
  revision_ = doc->SlidesRevision();
  return slides_;
}

std::shared_ptr<SlideObject> SlidesObject::At(int index) {
  const auto& list = List();
  return list[CollectionIndex(index, static_cast<int>(list.size()), "Slides") - 1];
}

std::shared_ptr<SlideObject> SlidesObject::Add(int index, const std::string& layoutPart, std::string_view member) {
  int count = static_cast<int>(List().size());
  if (index < 1 || index > count + 1)
    throw ComError(hr::kInvalidArgument, std::string(member) + " : Integer out of range. " + std::to_string(index) +
                                             " is not in the valid range of 1 to " + std::to_string(count + 1) + ".");
  std::optional<SlideEntry> entry = AddSlide(*doc, static_cast<std::size_t>(index - 1), layoutPart);
  if (!entry) throw ComError(hr::kUnspecified, std::string(member) + " : The presentation has no slide id left.");
  for (const auto& s : List())
    if (s->entry.id == entry->id) return s;
  throw ComError(hr::kUnspecified, std::string(member) + " : The slide was not added.");
}

const MemberTable<SlidesObject>& SlidesObject::Members() {
  static const auto item = [](SlidesObject& o, Args a) { return Value(o.At(ArgAt(a, 0).AsLong())); };
  static const MemberTable<SlidesObject> table{
      {.name = "Count", .get = [](SlidesObject& o, Args) { return Value(static_cast<int>(o.List().size())); }},
      {.name = "Parent", .get = [](SlidesObject& o, Args) { return ParentOf(o.presentation, "Slides"); }},
      {.name = "Item", .get = item},
      {.name = "", .get = item},
      {.name = "FindBySlideID",
       .call =
           [](SlidesObject& o, Args a) {
             auto id = static_cast<std::uint32_t>(ArgAt(a, 0).AsLong());
             for (const auto& s : o.List())
               if (s->entry.id == id) return Value(s);
             throw ComError(hr::kInvalidArgument, "Slides.FindBySlideID : Invalid request.  Slide ID not found.");
           }},
      // Add(Index, Layout As PpSlideLayout): a slide of the first master's layout of that kind.
      {.name = "Add",
       .call =
           [](SlidesObject& o, Args a) {
             int index = ArgAt(a, 0).AsLong();
             return Value(o.Add(index, LayoutForSlideLayout(*o.doc, ArgAt(a, 1).AsLong()), "Slides.Add"));
           }},
      // AddSlide(Index, CustomLayout).
      {.name = "AddSlide",
       .sinceVersion = 12,
       .call =
           [](SlidesObject& o, Args a) {
             int index = ArgAt(a, 0).AsLong();
             const Value& v = ArgAt(a, 1);
             auto layout = v.IsObject() ? std::dynamic_pointer_cast<CustomLayoutObject>(v.AsDispatch()) : nullptr;
             if (!layout || layout->doc != o.doc)
               throw ComError(hr::kInvalidArgument, "Slides.AddSlide : Invalid request.  The value is not a custom layout of this presentation.");
             if (!o.doc->PartRoot(layout->part))
               throw ComError(hr::kUnspecified, "Slides.AddSlide : The custom layout " + layout->part + " cannot be read.");
             return Value(o.Add(index, layout->part, "Slides.AddSlide"));
           }},
  };
  return table;
}

}  // namespace quillmere::engine
