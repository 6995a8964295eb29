#pragma once
// ShapeRange: shapes picked from one collection. A range of one shape answers
// every shape member itself, as PowerPoint lets it.

#include <memory>
#include <vector>

#include "engine/objects/shapes/ShapeObjects.h"

namespace quillmere::engine {

class ShapeRangeObject final : public EngineObject<ShapeRangeObject> {
 public:
  static constexpr std::string_view kTypeName = "ShapeRange";
  static const MemberTable<ShapeRangeObject>& Members();
  ShapeRangeObject(std::shared_ptr<EngineSession> s, std::vector<std::shared_ptr<ShapeObject>> list)
      : EngineObject(std::move(s)), shapes(std::move(list)) {}
  Value Invoke(InvokeKind kind, std::string_view member, Args args) override;
  std::vector<std::shared_ptr<ShapeObject>> shapes;
};

}  // namespace quillmere::engine
