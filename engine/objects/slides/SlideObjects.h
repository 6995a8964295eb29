#pragma once
// Slides with their notes pages, and the slide list, which makes and removes
// slides (the temporary slides of the design writer). Designs, masters and
// custom layouts are in DesignObjects.h.

#include <memory>
#include <string>
#include <vector>

#include "engine/core/EngineObject.h"
#include "engine/model/document/PresentationDocument.h"
#include "engine/objects/shapes/ShapeObjects.h"
#include "engine/objects/slides/DesignObjects.h"

namespace quillmere::engine {

class DesignsObject;
class CustomLayoutObject;
class SlideShowTransitionObject;

// The notes page of a slide, as the range of one notes slide PowerPoint answers.
class NotesPageObject final : public EngineObject<NotesPageObject> {
 public:
  static constexpr std::string_view kTypeName = "SlideRange";
  static const MemberTable<NotesPageObject>& Members();
  NotesPageObject(std::shared_ptr<EngineSession> s, std::shared_ptr<PresentationDocument> d, std::string p)
      : EngineObject(std::move(s)), doc(std::move(d)), part(std::move(p)) {}
  std::shared_ptr<PresentationDocument> doc;
  std::string part;
};

class SlideObject final : public EngineObject<SlideObject> {
 public:
  static constexpr std::string_view kTypeName = "Slide";
  static const MemberTable<SlideObject>& Members();
  // number: the slide's 1-based position when the deck was opened, or for a
  // slide added later one above the last number given, for the default name "SlideN".
  SlideObject(std::shared_ptr<EngineSession> s, std::shared_ptr<PresentationDocument> d,
              std::shared_ptr<DesignsObject> designs, SlideEntry e, int number,
              std::weak_ptr<Dispatch> presentation);
  Value Invoke(InvokeKind kind, std::string_view member, Args args) override;
  int Index() const;  // 1-based position now
  std::shared_ptr<CustomLayoutObject> CustomLayout() const;
  std::shared_ptr<SlideShowTransitionObject> SlideShowTransition();
  std::shared_ptr<PresentationDocument> doc;
  std::shared_ptr<DesignsObject> designs;
  SlideEntry entry;
  std::string name;  // fixed when the deck is opened or the slide added, as PowerPoint names slides
  std::weak_ptr<Dispatch> presentation;
  bool deleted = false;  // by Delete: every member then fails as on a deleted PowerPoint slide

 private:
  std::shared_ptr<SlideShowTransitionObject> transition_;  // read on first use
};

class SlidesObject final : public EngineObject<SlidesObject> {
 public:
  static constexpr std::string_view kTypeName = "Slides";
  static const MemberTable<SlidesObject>& Members();
  SlidesObject(std::shared_ptr<EngineSession> s, std::shared_ptr<PresentationDocument> d,
               std::shared_ptr<DesignsObject> designs, std::weak_ptr<Dispatch> presentation);
  std::shared_ptr<SlideObject> At(int index);  // 1-based, checked
  // The slide objects in the document's order, brought up to date after
  // slides were added or deleted (each slide keeps its object).
  const std::vector<std::shared_ptr<SlideObject>>& List();
  // Adds a slide following the layout at a 1-based position and returns its object.
  std::shared_ptr<SlideObject> Add(int index, const std::string& layoutPart, std::string_view member);
  std::shared_ptr<PresentationDocument> doc;
  std::shared_ptr<DesignsObject> designs;
  std::weak_ptr<Dispatch> presentation;

 private:
  std::vector<std::shared_ptr<SlideObject>> slides_;
  unsigned revision_ = 0;  // of doc->Slides() that slides_ follows
  int named_ = 0;          // slides named so far, as "SlideN" names those without a name
};

}  // namespace quillmere::engine
