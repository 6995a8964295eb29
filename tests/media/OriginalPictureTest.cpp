// The original-picture search over what a web-page save leaves behind, and
// the background export, against a scripted application.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "media/OriginalPicture.h"
#include "media/SlideBackground.h"
#include "support/files/Paths.h"
#include "tests/fakes/FakePowerPointTest.h"
#include "tests/fakes/FakeProps.h"

namespace quillmere::testing {
namespace {

namespace fs = std::filesystem;

class OriginalPictureTest : public FakePowerPointTest {
 protected:
  void Use(int major, std::string suffix = "_files") {
    StartPowerPoint(major);
    ForgetArchiveFolderName();
    suffix_ = std::move(suffix);
    auto presentations = Make("Presentations");
    presentations->On("Add", [this](Args a) {
      EXPECT_EQ(a[0].AsLong(), 0);  // no window
      return Dispatched(Scratch());
    });
    app->Prop("Presentations", Dispatched(presentations));
  }

  // A blank presentation whose web-page save writes `savedFiles` into its folder.
  FakePtr Scratch() {
    auto scheme = Make("ThemeColorScheme");
    scratchColors.clear();
    for (int i = 0; i < 12; ++i) scratchColors.push_back(Props(Make("ThemeColor"), "RGB", 0));
    scheme->On("Colors", [this](Args a) { return Dispatched(scratchColors.at(a[0].AsLong() - 1)); });
    auto slide = Props(Make("Slide"), "ThemeColorScheme", Dispatched(scheme));
    auto shapes = Make("Shapes");
    shapes->Prop("Count", 0).On("Paste", [this](Args) {
      ++pastes;
      return Value();
    });
    shapes->On("Item", [this](Args) { return Dispatched(pasted); });
    slide->Prop("Shapes", Dispatched(shapes));
    auto slides = Make("Slides");
    auto theSlide = [slide](Args) { return Dispatched(slide); };
    slides->On("Add", theSlide).On("Item", theSlide);
    auto scratch = Props(Make("Presentation"), "Slides", Dispatched(slides), "Close", Value());
    scratch->On("SaveAs", [this](Args a) {
      EXPECT_EQ(a[1].AsLong(), 12);
      EXPECT_EQ(a[2].AsLong(), -2);
      fs::path page(a[0].AsString());
      std::ofstream(page) << "<html/>";
      fs::path folder = page.parent_path() / (page.stem().string() + suffix_);
      fs::create_directories(folder);
      for (const auto& [name, bytes] : savedFiles) std::ofstream(folder / name) << bytes;
      return Value();
    });
    return scratch;
  }

  // A picture shape on a page of the given kind, whose theme colours are all `color`.
  FakePtr Picture(const char* pageType, std::int32_t color) {
    auto page = Make(pageType);
    auto colors = Scheme(std::vector<std::int32_t>(12, color));
    if (std::string(pageType) == "Master") {
      auto theme = Props(Make("OfficeTheme"), "ThemeColorScheme", Dispatched(colors));
      page->Prop("Theme", Dispatched(theme));
    } else {
      page->Prop("ThemeColorScheme", Dispatched(colors));
    }
    return Props(Make("Shape"), "Parent", Dispatched(page), "Copy", Value());
  }

  // The pasted copy: flipped both ways, with every effect object present.
  FakePtr Pasted() {
    auto shape = Props(Make("Shape"), "HorizontalFlip", -1, "VerticalFlip", -1, "AutoShapeType", 75, "Rotation", 30.0f,
                       "ScaleHeight", Value(), "ScaleWidth", Value(), "Flip", Value());
    for (const char* effect : {"Line", "Reflection", "Glow", "SoftEdge", "Shadow", "ThreeD"}) {
      effects[effect] = Props(Make((std::string(effect) + "Format").c_str()), "Visible", -1, "Type", 1, "Radius", 5.0f);
      shape->Prop(effect, Dispatched(effects[effect]));
    }
    return shape;
  }

  static Object As(const FakePtr& fake) { return Object(Dispatched(fake)); }

  static std::vector<std::int32_t> Rgbs(const FakePtr& color) {
    std::vector<std::int32_t> values;
    for (const Value& v : color->Puts("RGB")) values.push_back(v.AsLong());
    return values;
  }

  std::string suffix_;
  std::map<std::string, std::string> savedFiles;
  std::map<std::string, FakePtr> effects;
  FakePtr pasted;
  std::vector<FakePtr> scratchColors;  // of the last scratch slide
  int pastes = 0;
};

TEST_F(OriginalPictureTest, SearchOrderAndCalibratedFolder) {
  Use(14, "_archivos");  // a web export in another language names the folder differently
  EXPECT_EQ(GetArchiveFolderName(context), "_archivos");

  pasted = Pasted();
  savedFiles = {{"image002.jpg", "jpeg"}, {"image001.png", "png"}, {"image003.png", "second"}};
  std::string found = GetOriginalPicture(context, As(Picture("Slide", 0x123456)));
  EXPECT_EQ(fs::path(found).filename(), "image001.png");
  EXPECT_EQ(fs::path(found).parent_path().filename().string().substr(8), "_archivos");
  EXPECT_EQ(pastes, 1);
  EXPECT_EQ(fs::path(found).parent_path().parent_path(), fs::path(GetTempFolder()) / "imgtemp");
  // The pasted copy loses everything that would be drawn into the picture.
  EXPECT_EQ(pasted->Puts("AutoShapeType").size(), 1u);
  EXPECT_EQ(pasted->Calls("ScaleHeight") + pasted->Calls("ScaleWidth"), 2);
  EXPECT_EQ(pasted->Calls("Flip"), 2);
  for (const char* effect : {"Reflection", "Glow", "SoftEdge", "Shadow", "ThreeD", "Line"}) {
    const FakePtr& e = effects[effect];
    EXPECT_EQ(e->Puts("Type").size() + e->Puts("Radius").size() + e->Puts("Visible").size(), 1u) << effect;
  }
  // The page's theme colours were carried over to the scratch slide.
  for (const auto& color : scratchColors) EXPECT_EQ(Rgbs(color), std::vector<std::int32_t>{0x123456});

  // A drawing's preview is no picture; the GIF then is.
  pasted = Pasted();
  savedFiles = {{"preview.wmf", "wmf"}, {"image001.gif", "gif"}};
  found = GetOriginalPicture(context, As(Picture("Master", 0x00FF00)));
  EXPECT_EQ(fs::path(found).filename(), "image001.gif");
  EXPECT_FALSE(fs::exists(fs::path(found).parent_path() / "preview.wmf"));
  EXPECT_EQ(Rgbs(scratchColors[0]), std::vector<std::int32_t>{0x00FF00});  // from the master's theme

  // Beside a metafile the GIF is only its drawn stand-in.
  savedFiles = {{"image001.emf", "emf"}, {"image002.gif", "gif"}};
  EXPECT_EQ(GetOriginalPicture(context, As(Picture("Slide", 0))), "");
  savedFiles = {{"image001.emz", "emz"}, {"image002.gif", "gif"}};
  EXPECT_EQ(fs::path(GetOriginalPicture(context, As(Picture("Slide", 0)))).filename(), "image001.emz");
}

TEST_F(OriginalPictureTest, OlderVersionsAndFailures) {
  // PowerPoint 2003 has neither theme colours nor the newer effects.
  Use(11);
  pasted = Pasted();
  savedFiles = {{"image001.png", "png"}};
  auto shape = Picture("Slide", 0x123456);
  EXPECT_EQ(fs::path(GetOriginalPicture(context, As(shape))).filename(), "image001.png");
  for (const char* effect : {"Reflection", "Glow", "SoftEdge"})
    EXPECT_TRUE(effects[effect]->Puts("Type").empty() && effects[effect]->Puts("Radius").empty()) << effect;
  EXPECT_TRUE(scratchColors[0]->Puts("RGB").empty());

  // A failed paste leaves the page without a picture: the result is empty.
  shape->Fail("Copy", 0x80004005, "Copy failed");
  savedFiles.clear();
  EXPECT_EQ(GetOriginalPicture(context, As(shape)), "");

  // No slide: nothing is drawn. A slide whose copy has shapes draws it without them.
  ExportSlideBackground(Object(), "/nowhere.png");
  std::vector<FakePtr> shapes{Props(Make("Shape"), "Visible", -1), Props(Make("Shape"), "Visible", -1)};
  auto copy = Props(Make("Slide"), "Shapes", Dispatched(MakeCollection("Shapes", version, shapes)), "Export", Value(),
                    "Delete", Value());
  copy->Fail("DisplayMasterShapes", 0x80004005, "refused");  // ignored: the export goes on
  auto slide = Props(Make("Slide"), "Duplicate", Dispatched(MakeCollection("SlideRange", version, {copy})));
  ExportSlideBackground(Object(Dispatched(slide)), "/out/bg.png");
  for (const auto& s : shapes) EXPECT_EQ(s->Puts("Visible").size(), 1u);
  EXPECT_EQ(copy->Calls("Export"), 1);
  EXPECT_EQ(copy->Calls("Delete"), 1);
}

}  // namespace
}  // namespace quillmere::testing
