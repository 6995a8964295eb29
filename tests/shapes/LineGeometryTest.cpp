// Lines and connectors as segments around the centre of their frame.

#include "tests/shapes/ShapeFakes.h"

namespace quillmere::testing {
namespace {

using LineGeometryTest = ShapeWriterTest;

// "X1 Y1 X2 Y2" of every segment, separated by " | ".
std::string Segments(pugi::xml_node shape) {
  std::string out;
  for (pugi::xml_node p : shape.child("LineCoordinates").children("Points")) {
    if (!out.empty()) out += " | ";
    out += Text(p, "X1") + " " + Text(p, "Y1") + " " + Text(p, "X2") + " " + Text(p, "Y2");
  }
  return out;
}

TEST_F(LineGeometryTest, StraightLinesRunCornerToCornerAsFlipped) {
  Use(14);
  context.scaleX = 1.0f;
  context.scaleY = 1.0f;
  auto line = Shape(9, 1, "Line");
  line->Prop("Width", 100.0f).Prop("Height", 20.0f);
  EXPECT_EQ(Segments(Write(line)), "-50 -10 50 10");
  line->Prop("HorizontalFlip", -1);
  EXPECT_EQ(Segments(Write(line)), "50 -10 -50 10");
  line->Prop("VerticalFlip", -1);
  EXPECT_EQ(Segments(Write(line)), "50 10 -50 -10");
}

TEST_F(LineGeometryTest, ElbowConnectorsTurnWhereTheirAdjustmentsSay) {
  Use(14);
  context.scaleX = 1.0f;
  context.scaleY = 1.0f;
  auto elbow = [&](std::vector<float> values) {
    auto connector = Shape(1, 1, "Elbow");
    auto format = Make("ConnectorFormat");
    format->Prop("Type", 2).Prop("BeginConnected", 0).Prop("EndConnected", 0);
    auto adjustments = Make("Adjustments");
    adjustments->Prop("Count", static_cast<int>(values.size())).On("Item", [values](Args a) {
      return Value(values.at(static_cast<std::size_t>(a[0].AsLong() - 1)));
    });
    connector->Prop("Connector", -1).Prop("ConnectorFormat", Dispatched(format)).Prop("Adjustments", Dispatched(adjustments));
    connector->Prop("Width", 100.0f).Prop("Height", 40.0f);
    return connector;
  };
  auto one = elbow({0.5f});
  EXPECT_EQ(Segments(Write(one)), "-50 -20 0 -20 | 0 -20 0 20 | 0 20 50 20");
  // Flipped both ways it starts at the far corner, its elbow at W/2 - a1 W.
  auto flipped = elbow({0.25f});
  flipped->Prop("HorizontalFlip", -1).Prop("VerticalFlip", -1);
  EXPECT_EQ(Segments(Write(flipped)), "50 20 25 20 | 25 20 25 -20 | 25 -20 -50 -20");
  EXPECT_EQ(Segments(Write(elbow({0.5f, 0.25f, 0.75f}))),
            "-50 -20 0 -20 | 0 -20 0 -10 | 0 -10 25 -10 | 25 -10 25 20 | 25 20 50 20");
  auto flat = elbow({});
  flat->Prop("Height", 0.0f);
  EXPECT_EQ(Segments(Write(flat)), "-50 0 50 0");
}

}  // namespace
}  // namespace quillmere::testing
