#pragma once
// Slides with their notes pages, designs (one per slide master), masters and
// custom layouts.

#include <memory>
#include <string>
#include <vector>

#include "engine/core/EngineObject.h"
#include "engine/model/PresentationDocument.h"
#include "engine/objects/ShapeObjects.h"

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
  // openPosition: the 1-based position of the slide when the deck was opened.
  SlideObject(std::shared_ptr<EngineSession> s, std::shared_ptr<PresentationDocument> d,
              std::shared_ptr<DesignsObject> designs, SlideEntry e, int openPosition,
              std::weak_ptr<Dispatch> presentation);
  int Index() const;  // 1-based position now
  std::shared_ptr<CustomLayoutObject> CustomLayout() const;
  std::shared_ptr<SlideShowTransitionObject> SlideShowTransition();
  std::shared_ptr<PresentationDocument> doc;
  std::shared_ptr<DesignsObject> designs;
  SlideEntry entry;
  std::string name;  // fixed when the deck is opened, as PowerPoint names slides
  std::weak_ptr<Dispatch> presentation;

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
  std::shared_ptr<PresentationDocument> doc;
  std::shared_ptr<DesignsObject> designs;
  std::weak_ptr<Dispatch> presentation;
  std::vector<std::shared_ptr<SlideObject>> slides;
};

class CustomLayoutObject final : public EngineObject<CustomLayoutObject> {
 public:
  static constexpr std::string_view kTypeName = "CustomLayout";
  static const MemberTable<CustomLayoutObject>& Members();
  CustomLayoutObject(std::shared_ptr<EngineSession> s, std::shared_ptr<PresentationDocument> d, std::string p,
                     int i)
      : EngineObject(std::move(s)), doc(std::move(d)), part(std::move(p)), index(i) {}
  std::shared_ptr<PresentationDocument> doc;
  std::string part;
  int index;
};

class CustomLayoutsObject final : public EngineObject<CustomLayoutsObject> {
 public:
  static constexpr std::string_view kTypeName = "CustomLayouts";
  static const MemberTable<CustomLayoutsObject>& Members();
  CustomLayoutsObject(std::shared_ptr<EngineSession> s, std::shared_ptr<PresentationDocument> d, std::string master);
  // The custom layout of that layout part, or nullptr.
  std::shared_ptr<CustomLayoutObject> ForPart(const std::string& layoutPart) const;
  std::shared_ptr<PresentationDocument> doc;
  std::vector<std::shared_ptr<CustomLayoutObject>> layouts;
};

class MasterObject final : public EngineObject<MasterObject> {
 public:
  static constexpr std::string_view kTypeName = "Master";
  static const MemberTable<MasterObject>& Members();
  MasterObject(std::shared_ptr<EngineSession> s, std::shared_ptr<PresentationDocument> d, std::string p)
      : EngineObject(std::move(s)), doc(std::move(d)), part(std::move(p)) {}
  std::shared_ptr<CustomLayoutsObject> CustomLayouts();
  std::shared_ptr<PresentationDocument> doc;
  std::string part;

 private:
  std::shared_ptr<CustomLayoutsObject> customLayouts_;  // made on first use
};

class DesignObject final : public EngineObject<DesignObject> {
 public:
  static constexpr std::string_view kTypeName = "Design";
  static const MemberTable<DesignObject>& Members();
  DesignObject(std::shared_ptr<EngineSession> s, std::shared_ptr<PresentationDocument> d, std::string master,
               int i)
      : EngineObject(s), doc(d), index(i), master(std::make_shared<MasterObject>(s, d, std::move(master))) {}
  std::shared_ptr<PresentationDocument> doc;
  int index;
  std::shared_ptr<MasterObject> master;
};

class DesignsObject final : public EngineObject<DesignsObject> {
 public:
  static constexpr std::string_view kTypeName = "Designs";
  static const MemberTable<DesignsObject>& Members();
  DesignsObject(std::shared_ptr<EngineSession> s, std::shared_ptr<PresentationDocument> d);
  // The design whose master is the given part, or nullptr.
  std::shared_ptr<DesignObject> ForMaster(const std::string& masterPart) const;
  std::vector<std::shared_ptr<DesignObject>> designs;
};

}  // namespace quillmere::engine
