#pragma once
// Adjustments of a preset shape, scaled as PowerPoint shows them: proportions
// as fractions (avLst value / 100000), angles in degrees within -180..180.
// A shape that sets none has its geometry's defaults.

#include <memory>

#include "engine/objects/shapes/ShapeObjects.h"

namespace quillmere::engine {

class AdjustmentsObject final : public EngineObject<AdjustmentsObject> {
 public:
  static constexpr std::string_view kTypeName = "Adjustments";
  static const MemberTable<AdjustmentsObject>& Members();
  AdjustmentsObject(std::shared_ptr<EngineSession> s, std::shared_ptr<ShapeObject> sh)
      : EngineObject(std::move(s)), shape(std::move(sh)) {}
  std::shared_ptr<ShapeObject> shape;
};

}  // namespace quillmere::engine
