// Shape.Export, ShapeRange.Export and background exports drawn by the real
// renderer: a shape alone, at the asked scale, on a transparent background, in
// the state the engine's edits left it in, shapes of layouts and masters as
// they show there; images drawn many from one shared copy are the images drawn
// one copy each; a background drawn from a temporary slide shows no shapes,
// and slide images follow slides as they are added and deleted.

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <pugixml.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "component/PPTInfo.h"
#include "component/StatusCode.h"
#include "engine/EngineRuntime.h"
#include "engine/render/SlideRenderer.h"
#include "objectmodel/automation/ComError.h"
#include "tests/engine/EngineDecks.h"
#include "tests/fakes/FakeObject.h"
#include "tests/helpers/ErrorNumber.h"
#include "tests/helpers/OfficeValues.h"
#include "tests/helpers/TestFiles.h"
#include "tests/render/ImageChecks.h"
#include "tests/render/RenderTestSupport.h"

namespace quillmere::testing {
namespace {

// 720 x 540 pt. Both slides hold a rounded rectangle, a picture and a group
// of four circles; on slide 2 each is turned.
constexpr const char* kShapesDeck = "pptx__shp-common-props.pptx";
// 1920 x 1080 pt. Layout 3 has a logo picture at its foot; the master a
// title placeholder with its own prompt and a group of a white rectangle
// and a picture.
constexpr const char* kDesignDeck = "poi__bug65228.pptx";
constexpr const char* kTitle = "Place headline here (36pt, min 30pt)";
constexpr int kPixelsPerPoint = 2;
constexpr int kRectangle = 1;

void ExpectNear(int pixels, double points, const std::string& what) {
  // The bounds LibreOffice draws include half the outline.
  EXPECT_NEAR(pixels, points * kPixelsPerPoint, 6) << what;
}
void ExpectSize(const Rgba& image, double widthPt, double heightPt, const std::string& what) {
  ExpectNear(image.width, widthPt, what + " width");
  ExpectNear(image.height, heightPt, what + " height");
}

// Whether some pixel of the rectangle (fractions of the image) is drawn.
bool DrawnWithin(const Rgba& image, double left, double top, double right, double bottom) {
  for (int y = static_cast<int>(top * image.height); y < static_cast<int>(bottom * image.height); ++y)
    for (int x = static_cast<int>(left * image.width); x < static_cast<int>(right * image.width); ++x)
      if (image.Alpha(x, y) > 0) return true;
  return false;
}

class ShapeExportTest : public RendererTest {
 protected:
  Object Open(const char* deck) {
    app_ = engine::EngineRuntime().CreateObject("PowerPoint.Application");
    return OpenDeck(app_, Deck(deck));
  }
  // Drawn at the scale of a slide of that size in points.
  void Export(const Object& target, const std::filesystem::path& out, double width = 720, double height = 540) {
    target.Call("Export", out.string(), kPng, static_cast<int>(width * kPixelsPerPoint),
                static_cast<int>(height * kPixelsPerPoint));
  }
  Object app_;
};

TEST_F(ShapeExportTest, ShapesAreDrawnAloneAtTheScaleAskedInTheirCurrentState) {
  Object pres = Open(kShapesDeck);
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
  ExpectSize(*circle, 36, 36, "circle");
  EXPECT_EQ(circle->Alpha(1, 1), 0);
  EXPECT_EQ(circle->Alpha(circle->width - 2, circle->height - 2), 0);
  EXPECT_EQ(circle->Alpha(circle->width / 2, circle->height / 2), 255);
  EXPECT_TRUE(IsEmf(out / "oval.emf"));

  // Two shapes named as Shapes.Range takes several: their joint bounds, empty between them.
  std::optional<Rgba> pair = ReadPng(out / "pair.png");
  ASSERT_TRUE(pair);
  ExpectSize(*pair, 180, 164.43, "pair");
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
  ExpectSize(*straight, 72, 74.43, "upright");
  EXPECT_EQ(straight->Alpha(2, 2), 255);
}

// LibreOffice leaves out a shape of this slide that we count, so the shapes
// after it are found by their names.
TEST_F(ShapeExportTest, ShapesAreFoundWhereLibreOfficeCountsThemDifferently) {
  Object pres = Open("poi__stress022.pptx");
  Object image = pres.Child("Slides").Item(25).Child("Shapes").Item("Image 8");
  float width = image.Get("Width").AsSingle(), height = image.Get("Height").AsSingle();
  Export(image, Folder("out") / "image.png", pres.Child("PageSetup").Get("SlideWidth").AsSingle(),
         pres.Child("PageSetup").Get("SlideHeight").AsSingle());
  app_.Call("Quit");
  std::optional<Rgba> drawn = ReadPng(Folder("out") / "image.png");
  ASSERT_TRUE(drawn);
  ExpectSize(*drawn, width, height, "image");
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

TEST_F(ShapeExportTest, ShapesOfLayoutsAndMastersAreDrawnAsTheyShowThere) {
  Object pres = Open(kDesignDeck);
  Object master = pres.Child("Designs").Item(1).Child("SlideMaster");

  Object logo = master.Child("CustomLayouts").Item(3).Child("Shapes").Item("Picture 3");
  Export(logo, Folder("out") / "logo.png", 1920, 1080);
  Object masterShapes = master.Child("Shapes");
  Export(masterShapes.Item("Picture 5"), Folder("out") / "group.png", 1920, 1080);
  // The master's title placeholder with an invisible companion of its frame,
  // as the shape writer asks.
  Object title = masterShapes.Item(kTitle);
  Object companion =
      masterShapes.Child("AddShape", kRectangle, title.Get("Left").AsSingle(), title.Get("Top").AsSingle(),
                         title.Get("Width").AsSingle(), title.Get("Height").AsSingle());
  companion.Child("Fill").Put("Visible", false);
  companion.Child("Line").Put("Visible", false);
  Export(masterShapes.Child("Range", kTitle, companion.Get("Name").AsString()), Folder("out") / "title.png", 1920,
         1080);
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

// The share of channel values of the two images that differ by more than a little.
double DifferingShare(const Rgba& a, const Rgba& b) {
  size_t differing = 0;
  for (size_t i = 0; i < a.pixels.size(); ++i)
    if (std::abs(a.pixels[i] - b.pixels[i]) > 24) ++differing;
  return a.pixels.empty() ? 0 : static_cast<double>(differing) / static_cast<double>(a.pixels.size());
}

class BatchedShapeImagesTest : public RendererTest {
 protected:
  // The first three shapes of the first two slides, of the first master and
  // of its first two layouts, into the folder, each PNG after its shadow was
  // turned off, and every third also as an EMF; the file names made, in order.
  std::vector<std::string> ExportSample(const std::string& deck, int imagesPerCopy, const std::filesystem::path& out) {
    engine::EngineOptions options;
    options.shapeImagesPerCopy = imagesPerCopy;
    // Shared copies are drawn by two renderers, each from its half.
    options.shapeImagesToShare = imagesPerCopy > 1 ? 8 : 0;
    Object app = engine::EngineRuntime(options).CreateObject("PowerPoint.Application");
    Object pres = OpenDeck(app, Deck(deck.c_str()));
    int width = static_cast<int>(pres.Child("PageSetup").Get("SlideWidth").AsSingle() * 2);
    int height = static_cast<int>(pres.Child("PageSetup").Get("SlideHeight").AsSingle() * 2);
    std::vector<Object> parts;
    for (int s = 1, n = std::min(pres.Child("Slides").Count(), 2); s <= n; ++s)
      parts.push_back(pres.Child("Slides").Item(s));
    Object master = pres.Child("Designs").Item(1).Child("SlideMaster");
    parts.push_back(master);
    for (int l = 1, n = std::min(master.Child("CustomLayouts").Count(), 2); l <= n; ++l)
      parts.push_back(master.Child("CustomLayouts").Item(l));
    std::vector<std::string> names;
    for (const Object& part : parts) {
      Object shapes = part.Child("Shapes");
      for (int i = 1, n = std::min(shapes.Count(), 3); i <= n; ++i) {
        Object shape = shapes.Item(i);
        Object shadow = shape.Child("Shadow");
        bool shadowed = shadow.Get("Visible").AsBool();
        shadow.Put("Visible", false);
        std::string name = std::to_string(names.size());
        shape.Call("Export", (out / (name + ".png")).string(), kPng, width, height);
        names.push_back(name + ".png");
        if (names.size() % 3 == 0) {
          shape.Call("Export", (out / (name + ".emf")).string(), kEmf);
          names.push_back(name + ".emf");
        }
        shadow.Put("Visible", shadowed);
      }
    }
    app.Call("Quit");
    return names;
  }
};

TEST_F(BatchedShapeImagesTest, ImagesDrawnTogetherAreTheImagesDrawnAlone) {
  for (const char* deck : {"pptx__shp-common-props.pptx", "poi__bug65228.pptx"}) {
    SCOPED_TRACE(deck);
    std::filesystem::path alone = Folder("alone"), together = Folder("together");
    std::filesystem::remove_all(alone);
    std::filesystem::remove_all(together);
    std::vector<std::string> names = ExportSample(deck, 1, alone);
    ASSERT_EQ(ExportSample(deck, 48, together), names);
    ASSERT_GE(names.size(), 8u);
    int compared = 0;
    for (const std::string& name : names) {
      SCOPED_TRACE(name);
      if (name.ends_with(".emf")) {
        EXPECT_EQ(IsEmf(alone / name), IsEmf(together / name));
        EXPECT_TRUE(IsEmf(together / name));
        continue;
      }
      std::optional<Rgba> one = ReadPng(alone / name), batched = ReadPng(together / name);
      ASSERT_EQ(one.has_value(), batched.has_value());
      if (!one) continue;
      ASSERT_EQ(one->width, batched->width);
      ASSERT_EQ(one->height, batched->height);
      EXPECT_LT(DifferingShare(*one, *batched), 0.01);
      ++compared;
    }
    EXPECT_GE(compared, 5);
  }
}

// A one-slide export of a deck that is already open is made in place and
// leaves the deck open, so nothing closes it before the call returns: its
// shape images, drawn in batches, must exist all the same.
TEST_F(BatchedShapeImagesTest, ImagesOfADeckLeftOpenExistWhenTheCallReturns) {
  engine::RegisterEngine();
  auto runtime = std::make_shared<engine::EngineRuntime>();
  Object app = runtime->CreateObject("PowerPoint.Application");
  std::string deck = std::string(QUILLMERE_SAMPLES_DIR) + "/quillmere-demo.pptx";
  Object pres = app.Child("Presentations").Call("Open", deck, 0, 0, 0);
  PPTInfo info(PPTInfoOptions{runtime, std::make_shared<CountingSleeper>()});

  std::string name = pres.Get("FullName").AsString(), xml, out = Folder("out").string();
  std::int32_t index = 3;  // the slide with the flow arrow, drawn as an image
  ASSERT_EQ(info.PPTSlide(name, index, xml, out), ERR_SUCCESS);
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_file(xml.c_str()));
  int images = 0;
  for (pugi::xpath_node image : doc.select_nodes("//Shape/Image | //Shape/FormattedImage")) {
    std::string file = image.node().child_value();
    if (file.empty()) continue;
    ++images;
    EXPECT_TRUE(std::filesystem::is_regular_file(file)) << file;
  }
  EXPECT_GE(images, 1);
  EXPECT_EQ(app.Child("Presentations").Count(), 1);  // left open, as it was
  app.Call("Quit");
}

struct Pixel {
  int r, g, b;
};
Pixel At(const Rgba& image, int x, int y) {
  const unsigned char* p = &image.pixels[(static_cast<size_t>(y) * image.width + x) * 4];
  return {p[0], p[1], p[2]};
}
bool Near(Pixel a, Pixel b, int tolerance = 12) {
  return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}
bool Uniform(const Rgba& image) {
  for (int y = 0; y < image.height; y += 3)
    for (int x = 0; x < image.width; x += 3)
      if (!Near(At(image, x, y), At(image, 0, 0), 2)) return false;
  return true;
}

class BackgroundExportTest : public RendererTest {
 protected:
  void SetUp() override {
    RendererTest::SetUp();
    app_ = StartEngine(14);
  }

  // What the background export does to a slide: the copy hides the master's
  // shapes and its own, is drawn, and goes.
  static void ExportBackground(const Object& slide, const std::filesystem::path& file) {
    Object copy = Object(slide.Call("Duplicate")).Item(1);
    copy.Put("DisplayMasterShapes", kFalse);
    Object shapes = copy.Child("Shapes");
    for (int i = 1, count = shapes.Count(); i <= count; ++i) shapes.Item(i).Put("Visible", kFalse);
    copy.Call("Export", file.string(), "PNG");
    copy.Call("Delete");
  }

  // Slides of an edited deck are drawn with the shape images, at the latest
  // when the export asks for its pending work.
  Rgba Drawn(const std::filesystem::path& file) {
    engine::EngineRuntime().FinishPendingWork();
    std::optional<Rgba> image = ReadPng(file);
    EXPECT_TRUE(image) << file;
    return image.value_or(Rgba{});
  }

  Object app_;
};

TEST_F(BackgroundExportTest, ASlideBackgroundIsDrawnWithoutTheSlidesShapes) {
  Object pres = OpenDeck(app_, Deck("poi__backgrounds.pptx"));
  Object slides = pres.Child("Slides");
  Object pictured = slides.Item(4);  // a tiled picture under a title, a text box and four shapes
  ExportBackground(pictured, Folder("out") / "background.png");
  pictured.Call("Export", (Folder("out") / "slide.png").string(), "PNG");
  EXPECT_EQ(slides.Count(), 4);
  // What the background must look like: a copy with no shapes at all.
  Object bare = Object(pictured.Call("Duplicate")).Item(1);
  bare.Put("DisplayMasterShapes", kFalse);
  for (Object shapes = bare.Child("Shapes"); shapes.Count() > 0;) shapes.Item(1).Call("Delete");
  bare.Call("Export", (Folder("out") / "bare.png").string(), "PNG");
  bare.Call("Delete");

  Rgba background = Drawn(Folder("out") / "background.png"), slide = Drawn(Folder("out") / "slide.png");
  ASSERT_EQ(background.width, 960);  // 720 pt at 96 dpi
  EXPECT_FALSE(Uniform(background));
  // Hidden, the title placeholder goes too, though LibreOffice would draw it.
  EXPECT_EQ(background.pixels, Drawn(Folder("out") / "bare.png").pixels);
  EXPECT_NE(background.pixels, slide.pixels);

  // A solid background is that colour throughout.
  Object solid = OpenDeck(app_, Deck("pptx__sld-background.pptx"));
  ExportBackground(solid.Child("Slides").Item(2), Folder("out") / "red.png");
  Rgba red = Drawn(Folder("out") / "red.png");
  EXPECT_TRUE(Uniform(red));
  EXPECT_TRUE(Near(At(red, 10, 10), {255, 0, 0}, 2));
  EXPECT_EQ(solid.Child("Slides").Count(), 2);
}

TEST_F(BackgroundExportTest, AChartsPictureIsNoSlideBackground) {
  for (const char* deck : {"poi__chart-picture-bg.pptx", "poi__chart-texture-bg.pptx"}) {
    Object pres = OpenDeck(app_, Deck(deck));
    Object slide = pres.Child("Slides").Item(1);
    std::filesystem::path background = Folder("out") / (std::string(deck) + ".background.png");
    std::filesystem::path own = Folder("out") / (std::string(deck) + ".png");
    ExportBackground(slide, background);
    slide.Call("Export", own.string(), "PNG");
    // The picture fills the chart, which is hidden with the other shapes: the master's plain white is left.
    Rgba drawn = Drawn(background);
    EXPECT_TRUE(Uniform(drawn)) << deck;
    EXPECT_TRUE(Near(At(drawn, 5, 5), {255, 255, 255}, 2)) << deck;
    EXPECT_FALSE(Uniform(Drawn(own))) << deck;
    EXPECT_EQ(pres.Child("Slides").Count(), 1) << deck;
  }
}

TEST_F(BackgroundExportTest, AMasterBackgroundIsDrawnOnASlideOfATemporaryLayout) {
  // The master has a picture background under a purple bar across its top.
  Object pres = OpenDeck(app_, Deck("poi__bug68703.pptx"));
  Object layouts = pres.Child("Designs").Item(1).Child("SlideMaster").Child("CustomLayouts");
  int layoutCount = layouts.Count();
  Object slides = pres.Child("Slides");
  Object layout = layouts.Call("Add", layoutCount + 1);
  Object slide = slides.Call("AddSlide", slides.Count() + 1, layout.Ptr());
  slide.Call("Export", (Folder("out") / "with-master-shapes.png").string(), "PNG");
  ExportBackground(slide, Folder("out") / "master.png");
  slide.Call("Delete");
  layout.Call("Delete");
  EXPECT_EQ(slides.Count(), 1);
  EXPECT_EQ(layouts.Count(), layoutCount);

  const Pixel purple{0x80, 0x31, 0xA7};
  Rgba shown = Drawn(Folder("out") / "with-master-shapes.png"), background = Drawn(Folder("out") / "master.png");
  ASSERT_GT(background.width, 0);
  int x = background.width / 2, y = background.height / 20;
  EXPECT_TRUE(Near(At(shown, x, y), purple));
  EXPECT_FALSE(Near(At(background, x, y), purple));
  EXPECT_FALSE(Uniform(background));
}

TEST_F(BackgroundExportTest, SlideImagesFollowAddedAndDeletedSlides) {
  auto images = [](const std::filesystem::path& folder) {
    return static_cast<int>(std::distance(std::filesystem::directory_iterator(folder), {}));
  };
  Object pres = OpenDeck(app_, Deck("poi__SampleShow.pptx"));
  Object slides = pres.Child("Slides");
  Object blank = pres.Child("Designs").Item(1).Child("SlideMaster").Child("CustomLayouts").Item(7);
  Object temporary = slides.Call("AddSlide", 1, blank.Ptr());
  std::filesystem::path with = Folder("tmp") / "with", without = Folder("tmp") / "without";
  pres.Call("Export", with.string(), "png", 320, 240);
  EXPECT_EQ(images(with), 3);
  temporary.Call("Delete");
  pres.Call("Export", without.string(), "png", 320, 240);
  EXPECT_EQ(images(without), 2);
  // The deck's first slide, drawn second while the temporary slide came first.
  EXPECT_EQ(ReadFile(without / "slide1.png"), ReadFile(with / "slide2.png"));
  EXPECT_NE(ReadFile(without / "slide1.png"), ReadFile(with / "slide1.png"));
}

}  // namespace
}  // namespace quillmere::testing
