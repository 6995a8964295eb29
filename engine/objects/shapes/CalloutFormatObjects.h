#pragma once
// CalloutFormat of a line callout: how many segments its line has, whether it
// has an accent bar and a border, all read from its preset geometry.

#include <memory>

#include "engine/objects/shapes/ShapeObjects.h"

namespace quillmere::engine {

class CalloutFormatObject final : public EngineObject<CalloutFormatObject> {
 public:
  static constexpr std::string_view kTypeName = "CalloutFormat";
  static const MemberTable<CalloutFormatObject>& Members();
  CalloutFormatObject(std::shared_ptr<EngineSession> s, std::shared_ptr<ShapeObject> c)
      : EngineObject(std::move(s)), callout(std::move(c)) {}
  std::shared_ptr<ShapeObject> callout;
};

}  // namespace quillmere::engine
