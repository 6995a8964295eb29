#pragma once
// SlideRange: slides picked from a presentation, as Slide.Duplicate hands out
// its copy. A range of one slide answers every slide member itself, as
// PowerPoint lets it.

#include <memory>
#include <vector>

#include "engine/objects/slides/SlideObjects.h"

namespace quillmere::engine {

class SlideRangeObject final : public EngineObject<SlideRangeObject> {
 public:
  static constexpr std::string_view kTypeName = "SlideRange";
  static const MemberTable<SlideRangeObject>& Members();
  SlideRangeObject(std::shared_ptr<EngineSession> s, std::vector<std::shared_ptr<SlideObject>> list)
      : EngineObject(std::move(s)), slides(std::move(list)) {}
  Value Invoke(InvokeKind kind, std::string_view member, Args args) override;
  std::vector<std::shared_ptr<SlideObject>> slides;
};

// Slide.Duplicate: a range of the copy, placed right after the slide.
Value DuplicateOf(SlideObject& slide);

}  // namespace quillmere::engine
