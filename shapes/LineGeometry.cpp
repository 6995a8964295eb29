#include "shapes/LineGeometry.h"

#include <vector>

#include "objectmodel/ExportContext.h"
#include "objectmodel/xml/XmlHelpers.h"
#include "shapes/ShapeEffects.h"

namespace quillmere {
namespace {

constexpr int kLineGeometryIndent = 8;

struct Point {
  double x, y;
};

struct Frame {
  double width, height;
  bool flipH, flipV;
};

Frame FrameOf(ExportContext& context, const Object& shape) {
  return {shape.Get("Width").AsSingle() * context.scaleX, shape.Get("Height").AsSingle() * context.scaleY,
          shape.Get("HorizontalFlip").AsBool(), shape.Get("VerticalFlip").AsBool()};
}

// Flips mirror the path about the centre of the frame.
Point Mirrored(const Frame& f, Point p) { return {f.flipH ? -p.x : p.x, f.flipV ? -p.y : p.y}; }

void WritePath(ExportContext& context, pugi::xml_node shapeElement, const Frame& f, const std::vector<Point>& path) {
  pugi::xml_node coordinates = AppendContainer(shapeElement, "LineCoordinates");
  for (std::size_t i = 1; i < path.size(); ++i) {
    Point from = Mirrored(f, path[i - 1]), to = Mirrored(f, path[i]);
    pugi::xml_node points = AppendContainer(coordinates, "Points");
    AddElement(kLineGeometryIndent, points, "X1", context.DecimalText(static_cast<float>(from.x), 1.0f));
    AddElement(kLineGeometryIndent, points, "Y1", context.DecimalText(static_cast<float>(from.y), 1.0f));
    AddElement(kLineGeometryIndent, points, "X2", context.DecimalText(static_cast<float>(to.x), 1.0f));
    AddElement(kLineGeometryIndent, points, "Y2", context.DecimalText(static_cast<float>(to.y), 1.0f));
  }
}

}  // namespace

void WriteStraightLineCoordinates(ExportContext& context, const Object& shape, pugi::xml_node shapeElement) {
  Frame f = FrameOf(context, shape);
  WritePath(context, shapeElement, f, {{-f.width / 2, -f.height / 2}, {f.width / 2, f.height / 2}});
}

void WriteElbowCoordinates(ExportContext& context, const Object& shape, pugi::xml_node shapeElement) {
  Frame f = FrameOf(context, shape);
  double left = -f.width / 2, top = -f.height / 2, right = f.width / 2, bottom = f.height / 2;
  std::int32_t count = ReadableAdjustmentCount(shape);
  Object adjustments = shape.Child("Adjustments");
  auto x = [&](int i) { return left + adjustments.Get("Item", i).AsSingle() * f.width; };
  auto y = [&](int i) { return top + adjustments.Get("Item", i).AsSingle() * f.height; };
  // The path leaves the start horizontally and turns at every elbow.
  std::vector<Point> path{{left, top}};
  switch (count) {
    case 0:
      path.push_back({right, top});
      if (f.height != 0) path.push_back({right, bottom});
      break;
    case 1:
      path.insert(path.end(), {{x(1), top}, {x(1), bottom}, {right, bottom}});
      break;
    case 2:
      path.insert(path.end(), {{x(1), top}, {x(1), y(2)}, {right, y(2)}, {right, bottom}});
      break;
    default:
      path.insert(path.end(), {{x(1), top}, {x(1), y(2)}, {x(3), y(2)}, {x(3), bottom}, {right, bottom}});
      break;
  }
  WritePath(context, shapeElement, f, path);
}

}  // namespace quillmere
