#include "engine/objects/timeline/AnimationSettingsObjects.h"

#include "engine/model/shapes/ShapeTree.h"
#include "engine/model/timeline/AnimationOrder.h"

namespace quillmere::engine {

int AnimationSettingsObject::Order() const {
  std::uint32_t id = DrawingPropertiesOf(shape->element).attribute("id").as_uint();
  return AnimationOrderOf(*shape->doc->TimelineOf(shape->part), id);
}

const MemberTable<AnimationSettingsObject>& AnimationSettingsObject::Members() {
  using O = AnimationSettingsObject;
  static const MemberTable<O> table{
      {.name = "Animate", .get = [](O& o, Args) { return MsoBool(o.Order() > 0); }},
      {.name = "AnimationOrder", .get = [](O& o, Args) { return Value(o.Order()); }},
      {.name = "Parent", .get = [](O& o, Args) { return Value(o.shape); }},
  };
  return table;
}

}  // namespace quillmere::engine
