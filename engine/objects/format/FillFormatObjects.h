#pragma once
// Shape.Fill and Shape.Line: the fill and outline in effect for a shape
// (ShapeFill.h), read again on every member so that edits show. Hiding
// either keeps what the shape had, so showing it again puts that back.

#include <functional>
#include <memory>
#include <string>

#include "engine/core/EngineObject.h"
#include "engine/objects/shapes/ShapeObjects.h"

namespace quillmere::engine {

class FillFormatObject final : public EngineObject<FillFormatObject> {
 public:
  static constexpr std::string_view kTypeName = "FillFormat";
  static const MemberTable<FillFormatObject>& Members();
  FillFormatObject(std::shared_ptr<EngineSession> s, std::shared_ptr<ShapeObject> sh)
      : EngineObject(std::move(s)), shape(std::move(sh)) {}
  std::shared_ptr<ShapeObject> shape;
};

// Where a gradient's stops are: the a:gradFill in effect (empty when the fill
// is none), the colour a style reference gives phClr in it, and the way an
// edit reaches the stop's own copy (empty when the stops cannot be changed).
// A shape's fill and the fill of a run's characters each have one.
struct GradientSource {
  std::shared_ptr<ShapeObject> shape;  // whose part's colours apply
  std::function<pugi::xml_node()> gradient;
  std::function<pugi::xml_node()> placeholderColor;
  std::function<void(int index, const std::function<void(pugi::xml_node stop)>&)> editStop;
};

class GradientStopsObject final : public EngineObject<GradientStopsObject> {
 public:
  static constexpr std::string_view kTypeName = "GradientStops";
  static const MemberTable<GradientStopsObject>& Members();
  GradientStopsObject(std::shared_ptr<EngineSession> s, std::shared_ptr<const GradientSource> g)
      : EngineObject(std::move(s)), source(std::move(g)) {}
  std::shared_ptr<const GradientSource> source;
};

class GradientStopObject final : public EngineObject<GradientStopObject> {
 public:
  static constexpr std::string_view kTypeName = "GradientStop";
  static const MemberTable<GradientStopObject>& Members();
  GradientStopObject(std::shared_ptr<EngineSession> s, std::shared_ptr<const GradientSource> g, int i)
      : EngineObject(std::move(s)), source(std::move(g)), index(i) {}
  std::shared_ptr<const GradientSource> source;
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
