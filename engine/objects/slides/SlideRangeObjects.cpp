#include "engine/objects/slides/SlideRangeObjects.h"

#include "engine/model/slides/SlideEdits.h"
#include "engine/objects/document/PresentationObject.h"

namespace quillmere::engine {

Value SlideRangeObject::Invoke(InvokeKind kind, std::string_view member, Args args) {
  if (slides.size() == 1 && !Members().Has(member, session_->Version()))
    return slides.front()->Invoke(kind, member, args);
  return EngineObject::Invoke(kind, member, args);
}

const MemberTable<SlideRangeObject>& SlideRangeObject::Members() {
  static const auto item = [](SlideRangeObject& o, Args a) {
    return Value(o.slides[CollectionIndex(ArgAt(a, 0), static_cast<int>(o.slides.size()), "SlideRange") - 1]);
  };
  static const MemberTable<SlideRangeObject> table{
      {.name = "Count", .get = [](SlideRangeObject& o, Args) { return Value(static_cast<int>(o.slides.size())); }},
      {.name = "Item", .get = item},
      {.name = "", .get = item},
  };
  return table;
}

Value DuplicateOf(SlideObject& slide) {
  // The copy's object is the one the presentation's Slides hands out, so that both see it deleted.
  auto presentation = std::dynamic_pointer_cast<PresentationObject>(slide.presentation.lock());
  if (!presentation || presentation->closed)
    throw ComError(hr::kUnspecified, "Slide.Duplicate : Object does not exist.");
  std::optional<SlideEntry> copy = DuplicateSlide(*slide.doc, slide.entry.part);
  if (!copy) throw ComError(hr::kUnspecified, "Slide.Duplicate : The slide cannot be duplicated: no slide id is left.");
  for (const auto& s : presentation->Slides()->List())
    if (s->entry.id == copy->id) return Value(std::make_shared<SlideRangeObject>(slide.Session(), std::vector{s}));
  throw ComError(hr::kUnspecified, "Slide.Duplicate : The slide was not duplicated.");
}

}  // namespace quillmere::engine
