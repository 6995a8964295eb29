#pragma once
// Designs, one per slide master in p:sldMasterIdLst order; their masters
// (the slide master and, under the PowerPoint 2003 view, the title master);
// and the custom layouts of a master in its p:sldLayoutIdLst order.

#include <memory>
#include <string>
#include <vector>

#include "engine/core/EngineObject.h"
#include "engine/model/document/PresentationDocument.h"

namespace quillmere::engine {

// The name PowerPoint shows for a design and its master: the master's own
// (p:cSld name), else its theme's (a:theme name, "Office Theme"), which is
// what PowerPoint writes: its masters carry no name of their own.
std::string DesignName(PresentationDocument& doc, const std::string& masterPart);

class CustomLayoutObject final : public EngineObject<CustomLayoutObject> {
 public:
  static constexpr std::string_view kTypeName = "CustomLayout";
  static const MemberTable<CustomLayoutObject>& Members();
  CustomLayoutObject(std::shared_ptr<EngineSession> s, std::shared_ptr<PresentationDocument> d, std::string p,
                     std::weak_ptr<Dispatch> m)
      : EngineObject(std::move(s)), doc(std::move(d)), part(std::move(p)), master(std::move(m)) {}
  Value Invoke(InvokeKind kind, std::string_view member, Args args) override;
  int Index() const;  // 1-based place in its master's list now
  std::shared_ptr<PresentationDocument> doc;
  std::string part;
  std::weak_ptr<Dispatch> master;  // the master whose list holds the layout
  bool deleted = false;  // by Delete: every member then fails as on a deleted PowerPoint layout
};

class CustomLayoutsObject final : public EngineObject<CustomLayoutsObject> {
 public:
  static constexpr std::string_view kTypeName = "CustomLayouts";
  static const MemberTable<CustomLayoutsObject>& Members();
  CustomLayoutsObject(std::shared_ptr<EngineSession> s, std::shared_ptr<PresentationDocument> d,
                      std::string masterPart, const std::weak_ptr<Dispatch>& master);
  // The layout objects in the master's order, brought up to date after
  // layouts were added or deleted (each layout keeps its object).
  const std::vector<std::shared_ptr<CustomLayoutObject>>& List();
  // The custom layout of that layout part, or nullptr.
  std::shared_ptr<CustomLayoutObject> ForPart(const std::string& layoutPart);
  std::shared_ptr<PresentationDocument> doc;
  std::string masterPart;
  std::weak_ptr<Dispatch> master;

 private:
  std::vector<std::shared_ptr<CustomLayoutObject>> layouts_;
  unsigned revision_ = 0;  // of doc->LayoutsRevision() that layouts_ follows
};

// A slide master, or a title master: the master's layout of type "title",
// which the PowerPoint 2003 view shows as a master of its own.
class MasterObject final : public EngineObject<MasterObject> {
 public:
  static constexpr std::string_view kTypeName = "Master";
  static const MemberTable<MasterObject>& Members();
  // part: what the master shows (the slide master, or the title layout);
  // designMaster: the slide master of its design.
  MasterObject(std::shared_ptr<EngineSession> s, std::shared_ptr<PresentationDocument> d, std::string p,
               std::string designMaster)
      : EngineObject(std::move(s)), doc(std::move(d)), part(std::move(p)), designMaster(std::move(designMaster)) {}
  std::shared_ptr<CustomLayoutsObject> CustomLayouts();
  std::shared_ptr<PresentationDocument> doc;
  std::string part;
  std::string designMaster;

 private:
  std::shared_ptr<CustomLayoutsObject> customLayouts_;  // made on first use
};

class DesignObject final : public EngineObject<DesignObject> {
 public:
  static constexpr std::string_view kTypeName = "Design";
  static const MemberTable<DesignObject>& Members();
  DesignObject(std::shared_ptr<EngineSession> s, std::shared_ptr<PresentationDocument> d, const std::string& master,
               int i)
      : EngineObject(s), doc(d), index(i), master(std::make_shared<MasterObject>(s, d, master, master)) {}
  // The master's first layout of type "title", or "" when it has none.
  std::string TitleLayout() const;
  // The title master under the PowerPoint 2003 view; fails like PowerPoint for a design without one.
  std::shared_ptr<MasterObject> TitleMaster();
  std::shared_ptr<PresentationDocument> doc;
  int index;
  std::shared_ptr<MasterObject> master;

 private:
  std::shared_ptr<MasterObject> titleMaster_;  // made on first use
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
