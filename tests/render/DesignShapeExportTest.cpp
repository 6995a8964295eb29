// Shape.Export of shapes on slide layouts and masters, drawn by the real
// renderer as the design writer asks for them: each alone, where it is,
// with the pictures and text styles its layout or master gives it.

#include <gtest/gtest.h>

#include <optional>

#include "engine/EngineRuntime.h"
#include "tests/helpers/OfficeValues.h"
#include "tests/render/ImageChecks.h"
#include "tests/render/RenderTestSupport.h"

namespace quillmere::testing {
namespace {

constexpr int kRectangle = 1;
// 1920 x 1080 pt. Layout 3 has a logo picture at its foot; the master a
// title placeholder with its own prompt and a group of a white rectangle
// and a picture.
constexpr const char* kDesignDeck = "poi__bug65228.pptx";
constexpr int kImagePixelsPerPoint = 2;
constexpr const char* kTitle = "Place headline here (36pt, min 30pt)";

void ExpectSize(const Rgba& image, double widthPt, double heightPt, const char* what) {
  EXPECT_NEAR(image.width, widthPt * kImagePixelsPerPoint, 6) << what;
  EXPECT_NEAR(image.height, heightPt * kImagePixelsPerPoint, 6) << what;
}

// Whether some pixel of the rectangle (fractions of the image) is drawn.
bool DrawnWithin(const Rgba& image, double left, double top, double right, double bottom) {
  for (int y = static_cast<int>(top * image.height); y < static_cast<int>(bottom * image.height); ++y)
    for (int x = static_cast<int>(left * image.width); x < static_cast<int>(right * image.width); ++x)
      if (image.Alpha(x, y) > 0) return true;
  return false;
}

class DesignShapeExportTest : public RendererTest {
 protected:
  void ExportPng(const Object& target, const std::string& name) {
    target.Call("Export", (Folder("out") / name).string(), kPng, 1920 * kImagePixelsPerPoint, 1080 * kImagePixelsPerPoint);
  }
  Object app_;
};

TEST_F(DesignShapeExportTest, ShapesOfLayoutsAndMastersAreDrawnAsTheyShowThere) {
  app_ = engine::EngineRuntime().CreateObject("PowerPoint.Application");
  Object pres = app_.Child("Presentations").Call("Open", std::string(QUILLMERE_CORPUS_DIR) + "/" + kDesignDeck, 0, -1, 0);
  Object master = pres.Child("Designs").Item(1).Child("SlideMaster");

  Object logo = master.Child("CustomLayouts").Item(3).Child("Shapes").Item("Picture 3");
  ExportPng(logo, "logo.png");
  Object masterShapes = master.Child("Shapes");
  ExportPng(masterShapes.Item("Picture 5"), "group.png");
  // The master's title placeholder with an invisible companion of its frame,
  // as the shape writer asks.
  Object title = masterShapes.Item(kTitle);
  Object companion = masterShapes.Child("AddShape", kRectangle, title.Get("Left").AsSingle(),
                                        title.Get("Top").AsSingle(), title.Get("Width").AsSingle(),
                                        title.Get("Height").AsSingle());
  companion.Child("Fill").Put("Visible", false);
  companion.Child("Line").Put("Visible", false);
  ExportPng(masterShapes.Child("Range", kTitle, companion.Get("Name").AsString()), "title.png");
  companion.Call("Delete");
  app_.Call("Quit");
  EXPECT_TRUE(RenderLeftovers(Folder("tmp")).empty());

  // A layout's logo, a picture of about 30 x 32 pt, opaque in the middle.
  std::optional<Rgba> drawnLogo = ReadPng(Folder("out") / "logo.png");
  ASSERT_TRUE(drawnLogo);
  ExpectSize(*drawnLogo, 30.09, 31.86, "logo");
  EXPECT_GT(drawnLogo->Alpha(drawnLogo->width / 2, drawnLogo->height / 2), 0);

  // The master's group: a white rectangle under a picture.
  std::optional<Rgba> drawnGroup = ReadPng(Folder("out") / "group.png");
  ASSERT_TRUE(drawnGroup);
  ExpectSize(*drawnGroup, 30.24, 31.86, "group");
  EXPECT_EQ(drawnGroup->Alpha(2, 2), 255);

  // The master's title style sets its prompt in 72 pt from the left, so the
  // capital P reaches a third of the way down the 156 pt frame and the lower
  // part stays empty.
  std::optional<Rgba> drawnTitle = ReadPng(Folder("out") / "title.png");
  ASSERT_TRUE(drawnTitle);
  ExpectSize(*drawnTitle, 1800, 156, "title");
  EXPECT_TRUE(DrawnWithin(*drawnTitle, 0, 0.25, 0.02, 0.35));
  EXPECT_FALSE(DrawnWithin(*drawnTitle, 0, 0.6, 1, 1));
  EXPECT_FALSE(DrawnWithin(*drawnTitle, 0.9, 0, 1, 1));
}

}  // namespace
}  // namespace quillmere::testing
