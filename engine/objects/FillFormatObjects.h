#pragma once
// Shape.Fill and Shape.Line: the fill and outline in effect for a shape
// (ShapeFill.h), read again on every member so that edits show. Hiding
// either keeps what the shape had, so showing it again puts that back.

#include <memory>
#include <string>

#include "engine/core/EngineObject.h"
#include "engine/objects/ShapeObjects.h"

namespace quillmere::engine {

class FillFormatObject final : public EngineObject<FillFormatObject> {
 public:
  static constexpr std::string_view kTypeName = "FillFormat";
  static const MemberTable<FillFormatObject>& Members();
  FillFormatObject(std::shared_ptr<EngineSession> s, std::shared_ptr<ShapeObject> sh)
      : EngineObject(std::move(s)), shape(std::move(sh)) {}
  std::shared_ptr<ShapeObject> shape;
};

class GradientStopsObject final : public EngineObject<GradientStopsObject> {
 public:
  static constexpr std::string_view kTypeName = "GradientStops";
  static const MemberTable<GradientStopsObject>& Members();
  GradientStopsObject(std::shared_ptr<EngineSession> s, std::shared_ptr<ShapeObject> sh)
      : EngineObject(std::move(s)), shape(std::move(sh)) {}
  std::shared_ptr<ShapeObject> shape;
};

class GradientStopObject final : public EngineObject<GradientStopObject> {
 public:
  static constexpr std::string_view kTypeName = "GradientStop";
  static const MemberTable<GradientStopObject>& Members();
  GradientStopObject(std::shared_ptr<EngineSession> s, std::shared_ptr<ShapeObject> sh, int i)
      : EngineObject(std::move(s)), shape(std::move(sh)), index(i) {}
  std::shared_ptr<ShapeObject> shape;
  int index;  // 0-based, in document order
};

// A shape's outline, or one side of a table cell's borders: the cell stands
// for the shape and the side's element (a:lnL, a:lnT, ...) for its a:ln.
class LineFormatObject final : public EngineObject<LineFormatObject> {
 public:
  static constexpr std::string_view kTypeName = "LineFormat";
  static const MemberTable<LineFormatObject>& Members();
  LineFormatObject(std::shared_ptr<EngineSession> s, std::shared_ptr<ShapeObject> sh, std::string lineElement = "ln")
      : EngineObject(std::move(s)), shape(std::move(sh)), line(std::move(lineElement)) {}
  std::shared_ptr<ShapeObject> shape;
  std::string line;  // local name of the line element in the shape's properties
};

}  // namespace quillmere::engine
