#pragma once
// ConnectorFormat of a p:cxnSp: its kind and the shapes and connection sites
// its ends are glued to (a:stCxn, a:endCxn).

#include <memory>

#include "engine/objects/shapes/ShapeObjects.h"

namespace quillmere::engine {

inline constexpr int kConnectorStraight = 1;
inline constexpr int kConnectorElbow = 2;
inline constexpr int kConnectorCurve = 3;

class ConnectorFormatObject final : public EngineObject<ConnectorFormatObject> {
 public:
  static constexpr std::string_view kTypeName = "ConnectorFormat";
  static const MemberTable<ConnectorFormatObject>& Members();
  ConnectorFormatObject(std::shared_ptr<EngineSession> s, std::shared_ptr<ShapeObject> c)
      : EngineObject(std::move(s)), connector(std::move(c)) {}
  std::shared_ptr<ShapeObject> connector;
};

}  // namespace quillmere::engine
