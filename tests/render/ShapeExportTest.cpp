// Shape.Export and ShapeRange.Export drawn by the real renderer: the image
// shows the shape alone, at the asked scale, on a transparent background, and
// in the state the engine's edits left it in.

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <cmath>
#include <fstream>
#include <optional>

#include "engine/EngineRuntime.h"
#include "engine/render/SlideRenderer.h"
#include "objectmodel/automation/ComError.h"
#include "tests/helpers/ErrorNumber.h"
#include "tests/helpers/OfficeValues.h"
#include "tests/render/ImageChecks.h"
#include "tests/render/RenderTestSupport.h"

namespace quillmere::testing {
namespace {

// 720 x 540 pt. Both slides hold a rounded rectangle, a picture and a group
// of four circles; on slide 2 each is turned.
constexpr const char* kShapesDeck = "pptx__shp-common-props.pptx";
constexpr int kPixelsPerPoint = 2;

void ExpectNear(int pixels, double points, const char* what) {
  // The bounds LibreOffice draws include half the outline.
  EXPECT_NEAR(pixels, points * kPixelsPerPoint, 6) << what;
}

class ShapeExportTest : public RendererTest {
 protected:
  Object Open(engine::EngineOptions options = {}) {
    app_ = engine::EngineRuntime(options).CreateObject("PowerPoint.Application");
    return app_.Child("Presentations").Call("Open", std::string(QUILLMERE_CORPUS_DIR) + "/" + kShapesDeck, 0, -1, 0);
  }
  void Export(const Object& target, const std::filesystem::path& out) {
    target.Call("Export", out.string(), kPng, 720 * kPixelsPerPoint, 540 * kPixelsPerPoint);
  }
  Object app_;
};

TEST_F(ShapeExportTest, ShapesAreDrawnAloneAtTheScaleAskedInTheirCurrentState) {
  Object pres = Open();
  Object shapes = pres.Child("Slides").Item(1).Child("Shapes");
  std::filesystem::path out = Folder("out") / "not" / "yet" / "made";

  // Their theme gives the shapes a shadow, which the writers turn off first.
  Object oval = shapes.Item("Group 8").Child("GroupItems").Item("Oval 4");
  oval.Child("Shadow").Put("Visible", false);
  Export(oval, out / "oval.png");
  oval.Call("Export", (out / "oval.emf").string(), kEmf);
  shapes.Item("Rounded Rectangle 1").Child("Shadow").Put("Visible", false);
  Export(shapes.Child("Range", "Rounded Rectangle 1", "Picture 2"), out / "pair.png");
  shapes.Child("Range", 1, 2).Call("Export", (out / "pair.emf").string(), kEmf);
  // A picture turned by 20°, then its duplicate turned back as the writers do.
  Object picture = pres.Child("Slides").Item(2).Child("Shapes").Item("Picture 2");
  Export(picture, out / "turned.png");
  Object upright = picture.Child("Duplicate").Item(1);
  upright.Put("Rotation", 0.0f);
  Export(upright, out / "upright.png");
  upright.Call("Delete");
  // The images are drawn together, at the latest when the application quits.
  app_.Call("Quit");
  EXPECT_TRUE(RenderLeftovers(Folder("tmp")).empty());

  // A circle in a group: transparent in the corners of its square, opaque in the middle.
  std::optional<Rgba> circle = ReadPng(out / "oval.png");
  ASSERT_TRUE(circle);
  ExpectNear(circle->width, 36, "circle width");
  ExpectNear(circle->height, 36, "circle height");
  EXPECT_EQ(circle->Alpha(1, 1), 0);
  EXPECT_EQ(circle->Alpha(circle->width - 2, circle->height - 2), 0);
  EXPECT_EQ(circle->Alpha(circle->width / 2, circle->height / 2), 255);
  EXPECT_TRUE(IsEmf(out / "oval.emf"));

  // Two shapes named as Shapes.Range takes several: their joint bounds, empty between them.
  std::optional<Rgba> pair = ReadPng(out / "pair.png");
  ASSERT_TRUE(pair);
  ExpectNear(pair->width, 180, "pair width");
  ExpectNear(pair->height, 164.43, "pair height");
  EXPECT_EQ(pair->Alpha(pair->width / 5, pair->height / 4), 255);
  EXPECT_EQ(pair->Alpha(pair->width * 4 / 5, pair->height * 3 / 4), 255);
  EXPECT_EQ(pair->Alpha(pair->width - 3, 3), 0);
  EXPECT_TRUE(IsEmf(out / "pair.emf"));

  std::optional<Rgba> turned = ReadPng(out / "turned.png");
  ASSERT_TRUE(turned);
  double cos20 = std::cos(20 * M_PI / 180), sin20 = std::sin(20 * M_PI / 180);
  ExpectNear(turned->width, 72 * cos20 + 74.43 * sin20, "turned width");
  EXPECT_EQ(turned->Alpha(1, 1), 0);
  EXPECT_EQ(turned->Alpha(turned->width / 2, turned->height / 2), 255);

  std::optional<Rgba> straight = ReadPng(out / "upright.png");
  ASSERT_TRUE(straight);
  ExpectNear(straight->width, 72, "upright width");
  ExpectNear(straight->height, 74.43, "upright height");
  EXPECT_EQ(straight->Alpha(2, 2), 255);
}

// LibreOffice leaves out a shape of this slide that we count, so the shapes
// after it are found by their names.
TEST_F(ShapeExportTest, ShapesAreFoundWhereLibreOfficeCountsThemDifferently) {
  app_ = engine::EngineRuntime().CreateObject("PowerPoint.Application");
  Object pres = app_.Child("Presentations")
                    .Call("Open", std::string(QUILLMERE_CORPUS_DIR) + "/poi__stress022.pptx", 0, -1, 0);
  Object image = pres.Child("Slides").Item(25).Child("Shapes").Item("Image 8");
  float width = image.Get("Width").AsSingle(), height = image.Get("Height").AsSingle();
  float slideWidth = pres.Child("PageSetup").Get("SlideWidth").AsSingle();
  float slideHeight = pres.Child("PageSetup").Get("SlideHeight").AsSingle();
  image.Call("Export", (Folder("out") / "image.png").string(), kPng, static_cast<int>(slideWidth * kPixelsPerPoint),
             static_cast<int>(slideHeight * kPixelsPerPoint));
  app_.Call("Quit");
  std::optional<Rgba> drawn = ReadPng(Folder("out") / "image.png");
  ASSERT_TRUE(drawn);
  ExpectNear(drawn->width, width, "image width");
  ExpectNear(drawn->height, height, "image height");
}

std::vector<int> ChildrenOf(int pid) {
  std::vector<int> children;
  std::ifstream list("/proc/" + std::to_string(pid) + "/task/" + std::to_string(pid) + "/children");
  for (int child; list >> child;) children.push_back(child);
  return children;
}

// LibreOffice going away under the server costs the image asked for; the
// next one is drawn by a fresh server.
TEST_F(ShapeExportTest, ALostOfficeIsStartedAgainOnce) {
  engine::SlideRenderer renderer;
  renderer.Load(std::string(QUILLMERE_CORPUS_DIR) + "/" + kShapesDeck, "1");
  ASSERT_EQ(renderer.PageCount(), 2);
  for (int server : ChildrenOf(getpid()))
    for (int office : ChildrenOf(server)) kill(office, SIGKILL);
  std::filesystem::path out = Folder("out") / "picture.png";
  EXPECT_THROW(renderer.ExportShapesScaled(0, {{1}}, out, 1440, 1080), engine::RenderError);
  EXPECT_FALSE(renderer.Down());
  auto [width, height] = renderer.ExportShapesScaled(0, {{1}}, out, 1440, 1080);
  ExpectNear(width, 72, "picture width");
  ExpectNear(height, 74.43, "picture height");
  renderer.Shutdown();
  EXPECT_TRUE(RenderLeftovers(Folder("tmp")).empty());
}

}  // namespace
}  // namespace quillmere::testing
