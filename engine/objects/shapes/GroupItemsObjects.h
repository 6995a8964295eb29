#pragma once
// GroupItems: the members of a group shape, back to front; a nested group is
// one member.

#include <memory>
#include <vector>

#include "engine/objects/shapes/ShapeObjects.h"

namespace quillmere::engine {

class GroupItemsObject final : public EngineObject<GroupItemsObject> {
 public:
  static constexpr std::string_view kTypeName = "GroupShapes";
  static const MemberTable<GroupItemsObject>& Members();
  GroupItemsObject(std::shared_ptr<EngineSession> s, std::shared_ptr<ShapeObject> g);
  std::shared_ptr<ShapeObject> group;
  std::vector<pugi::xml_node> members;
};

}  // namespace quillmere::engine
