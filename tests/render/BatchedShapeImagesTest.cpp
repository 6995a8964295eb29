// Shape images drawn many from one copy of the deck, by two renderers each
// drawing half of the copy's pages, are the images drawn one copy each: same
// sizes, same formats, the same pixels but for LibreOffice's anti-aliasing. Real decks: slide shapes as the writers ask
// for them (each shape between its own edits), and shapes of a master and
// its layouts.

#include <gtest/gtest.h>

#include <pugixml.hpp>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "component/PPTInfo.h"
#include "component/StatusCode.h"
#include "engine/EngineRuntime.h"
#include "tests/fakes/FakeObject.h"
#include "tests/helpers/OfficeValues.h"
#include "tests/render/ImageChecks.h"
#include "tests/render/RenderTestSupport.h"

namespace quillmere::testing {
namespace {

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
    Object pres = app.Child("Presentations").Call("Open", std::string(QUILLMERE_CORPUS_DIR) + "/" + deck, 0, -1, 0);
    int width = static_cast<int>(pres.Child("PageSetup").Get("SlideWidth").AsSingle() * 2);
    int height = static_cast<int>(pres.Child("PageSetup").Get("SlideHeight").AsSingle() * 2);
    std::vector<Object> parts;
    for (int s = 1, n = std::min(pres.Child("Slides").Count(), 2); s <= n; ++s) parts.push_back(pres.Child("Slides").Item(s));
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

}  // namespace
}  // namespace quillmere::testing
