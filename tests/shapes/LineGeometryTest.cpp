// Lines and connectors as segments around the centre of their frame.

#include "tests/shapes/ShapeFakes.h"

namespace quillmere::testing {
namespace {

class LineGeometryTest : public ShapeWriterTest {
 protected:
  // PowerPoint 2010 at scale 1, so that segments are in points.
  void SetUp() override {
    ShapeWriterTest::SetUp();
    Use(14);
    context.scaleX = context.scaleY = 1.0f;
  }
};

TEST_F(LineGeometryTest, StraightLinesRunCornerToCornerAsFlipped) {
  auto line = Props(Shape(9, 1, "Line"), "Width", 100.0f, "Height", 20.0f);
  EXPECT_EQ(Segments(Write(line)), "-50 -10 50 10");
  line->Prop("HorizontalFlip", -1);
  EXPECT_EQ(Segments(Write(line)), "50 -10 -50 10");
  line->Prop("VerticalFlip", -1);
  EXPECT_EQ(Segments(Write(line)), "50 10 -50 -10");
}

TEST_F(LineGeometryTest, ElbowConnectorsTurnWhereTheirAdjustmentsSay) {
  auto elbow = [&](std::vector<float> values) {
    auto format = Props(Make("ConnectorFormat"), "Type", 2, "BeginConnected", 0, "EndConnected", 0);
    auto adjustments = Make("Adjustments");
    adjustments->Prop("Count", static_cast<int>(values.size())).On("Item", [values](Args a) {
      return Value(values.at(static_cast<std::size_t>(a[0].AsLong() - 1)));
    });
    return Props(Shape(1, 1, "Elbow"), "Connector", -1, "ConnectorFormat", Dispatched(format), "Adjustments",
                 Dispatched(adjustments), "Width", 100.0f, "Height", 40.0f);
  };
  EXPECT_EQ(Segments(Write(elbow({0.5f}))), "-50 -20 0 -20 | 0 -20 0 20 | 0 20 50 20");
  // Flipped both ways it starts at the far corner, its elbow at W/2 - a1 W.
  EXPECT_EQ(Segments(Write(Props(elbow({0.25f}), "HorizontalFlip", -1, "VerticalFlip", -1))),
            "50 20 25 20 | 25 20 25 -20 | 25 -20 -50 -20");
  EXPECT_EQ(Segments(Write(elbow({0.5f, 0.25f, 0.75f}))),
            "-50 -20 0 -20 | 0 -20 0 -10 | 0 -10 25 -10 | 25 -10 25 20 | 25 20 50 20");
  EXPECT_EQ(Segments(Write(Props(elbow({}), "Height", 0.0f))), "-50 0 50 0");
}

}  // namespace
}  // namespace quillmere::testing
