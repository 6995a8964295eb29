#pragma once
// TextFrame.Ruler: the first-line and left margins of each outline level of
// a shape's text, as its list styles give them, and the frame's tab stops.

#include <memory>

#include "engine/objects/shapes/ShapeObjects.h"

namespace quillmere::engine {

class RulerObject final : public EngineObject<RulerObject> {
 public:
  static constexpr std::string_view kTypeName = "Ruler";
  static const MemberTable<RulerObject>& Members();
  RulerObject(std::shared_ptr<EngineSession> s, std::shared_ptr<ShapeObject> sh)
      : EngineObject(std::move(s)), shape(std::move(sh)) {}
  std::shared_ptr<ShapeObject> shape;
};

class RulerLevelObject final : public EngineObject<RulerLevelObject> {
 public:
  static constexpr std::string_view kTypeName = "RulerLevel";
  static const MemberTable<RulerLevelObject>& Members();
  RulerLevelObject(std::shared_ptr<EngineSession> s, std::shared_ptr<ShapeObject> sh, int l)
      : EngineObject(std::move(s)), shape(std::move(sh)), level(l) {}
  std::shared_ptr<ShapeObject> shape;
  int level;  // 0..8
};

}  // namespace quillmere::engine
