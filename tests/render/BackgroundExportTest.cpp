// The background of a slide, master or custom layout exported the way the
// fill writer asks for it: a temporary slide (a duplicate, or a slide on a
// temporary layout of the master) with the master's shapes and its own
// hidden, drawn as PNG by the real renderer, then deleted. The PNG shows the
// background alone, and the deck keeps its slides and layouts. Slide images
// follow the slides as they are added and deleted: a temporary slide is drawn
// at its place, and once it is deleted the others are drawn as before.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "engine/EngineRuntime.h"
#include "tests/engine/EngineDecks.h"
#include "tests/helpers/OfficeValues.h"
#include "tests/helpers/TestFiles.h"
#include "tests/render/ImageChecks.h"
#include "tests/render/RenderTestSupport.h"

namespace quillmere::testing {
namespace {

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

  Rgba Drawn(const std::filesystem::path& file) {
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
