#include "engine/objects/shapes/GroupItemsObjects.h"

#include "engine/model/shapes/ShapeTree.h"
#include "engine/objects/shapes/ShapeLookup.h"

namespace quillmere::engine {

GroupItemsObject::GroupItemsObject(std::shared_ptr<EngineSession> s, std::shared_ptr<ShapeObject> g)
    : EngineObject(std::move(s)), group(std::move(g)), members(ShapesIn(group->element)) {}

const MemberTable<GroupItemsObject>& GroupItemsObject::Members() {
  static const MemberTable<GroupItemsObject> table{
      {.name = "Count", .get = [](GroupItemsObject& o, Args) { return Value(static_cast<int>(o.members.size())); }},
      {.name = "Parent", .get = [](GroupItemsObject& o, Args) { return Value(o.group); }},
      {.name = "Item",
       .get =
           [](GroupItemsObject& o, Args a) {
             return Value(o.group->Sibling(ShapeByIndexOrName(o.members, ArgAt(a, 0), "GroupShapes")));
           }},
  };
  return table;
}

}  // namespace quillmere::engine
