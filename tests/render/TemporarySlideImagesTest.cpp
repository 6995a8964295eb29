// Slide images follow the slides as they are added and deleted: a temporary
// slide is drawn at its place, and once it is deleted the others are drawn
// and numbered as before.

#include <gtest/gtest.h>

#include <filesystem>

#include "engine/package/LibreOfficeInstallation.h"
#include "tests/engine/EngineDecks.h"
#include "tests/engine/package/PackageTestFiles.h"
#include "tests/helpers/IsolatedUserFolders.h"
#include "tests/helpers/MissingTool.h"

namespace quillmere::testing {
namespace {

class TemporarySlideImagesTest : public IsolatedUserFolders {
 protected:
  void SetUp() override {
    IsolatedUserFolders::SetUp();
    QUILLMERE_REQUIRE_TOOL(!engine::FindSoffice().empty(), "LibreOffice");
  }
  static int Images(const std::filesystem::path& folder) {
    return static_cast<int>(std::distance(std::filesystem::directory_iterator(folder), {}));
  }
};

TEST_F(TemporarySlideImagesTest, SlideImagesFollowAddedAndDeletedSlides) {
  Object app = StartEngine();
  Object pres = OpenDeck(app, Deck("poi__SampleShow.pptx"));
  Object slides = pres.Child("Slides");
  Object blank = pres.Child("Designs").Item(1).Child("SlideMaster").Child("CustomLayouts").Item(7);
  Object temporary = slides.Call("AddSlide", 1, blank.Ptr());
  std::filesystem::path with = Folder("tmp") / "with", without = Folder("tmp") / "without";
  pres.Call("Export", with.string(), "png", 320, 240);
  EXPECT_EQ(Images(with), 3);
  temporary.Call("Delete");
  pres.Call("Export", without.string(), "png", 320, 240);
  EXPECT_EQ(Images(without), 2);
  // The deck's first slide, drawn second while the temporary slide came first.
  EXPECT_EQ(engine::packagetest::ReadWholeFile(without / "slide1.png"),
            engine::packagetest::ReadWholeFile(with / "slide2.png"));
  EXPECT_NE(engine::packagetest::ReadWholeFile(without / "slide1.png"),
            engine::packagetest::ReadWholeFile(with / "slide1.png"));
}

}  // namespace
}  // namespace quillmere::testing
