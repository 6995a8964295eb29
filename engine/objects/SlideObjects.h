#pragma once
// Slides, designs (one per slide master), masters, custom layouts and the
// shape collections of each.

#include <memory>
#include <string>
#include <vector>

#include "engine/core/EngineObject.h"
#include "engine/model/PresentationDocument.h"

namespace quillmere::engine {

// The shapes of one slide, layout or master part.
class ShapesObject final : public EngineObject<ShapesObject> {
 public:
  static constexpr std::string_view kTypeName = "Shapes";
  static const MemberTable<ShapesObject>& Members();
  ShapesObject(std::shared_ptr<EngineSession> s, std::shared_ptr<PresentationDocument> d, std::string p)
      : EngineObject(std::move(s)), doc(std::move(d)), part(std::move(p)) {}
  std::shared_ptr<PresentationDocument> doc;
  std::string part;
};

class DesignsObject;

class SlideObject final : public EngineObject<SlideObject> {
 public:
  static constexpr std::string_view kTypeName = "Slide";
  static const MemberTable<SlideObject>& Members();
  SlideObject(std::shared_ptr<EngineSession> s, std::shared_ptr<PresentationDocument> d,
              std::shared_ptr<DesignsObject> designs, SlideEntry e)
      : EngineObject(std::move(s)), doc(std::move(d)), designs(std::move(designs)), entry(std::move(e)) {}
  int Index() const;  // 1-based position now
  std::shared_ptr<PresentationDocument> doc;
  std::shared_ptr<DesignsObject> designs;
  SlideEntry entry;
};

class SlidesObject final : public EngineObject<SlidesObject> {
 public:
  static constexpr std::string_view kTypeName = "Slides";
  static const MemberTable<SlidesObject>& Members();
  SlidesObject(std::shared_ptr<EngineSession> s, std::shared_ptr<PresentationDocument> d,
               std::shared_ptr<DesignsObject> designs);
  std::shared_ptr<SlideObject> At(int index);  // 1-based, checked
  std::shared_ptr<PresentationDocument> doc;
  std::shared_ptr<DesignsObject> designs;
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
  std::shared_ptr<PresentationDocument> doc;
  std::vector<std::shared_ptr<CustomLayoutObject>> layouts;
};

class MasterObject final : public EngineObject<MasterObject> {
 public:
  static constexpr std::string_view kTypeName = "Master";
  static const MemberTable<MasterObject>& Members();
  MasterObject(std::shared_ptr<EngineSession> s, std::shared_ptr<PresentationDocument> d, std::string p)
      : EngineObject(std::move(s)), doc(std::move(d)), part(std::move(p)) {}
  std::shared_ptr<PresentationDocument> doc;
  std::string part;
  std::shared_ptr<CustomLayoutsObject> customLayouts;  // made on first use
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
