// The temporary slides and layouts the background export makes: Slide.Duplicate
// places a copy after the slide with the same shapes, background and
// relationships; DisplayMasterShapes and Visible hide what is not background;
// CustomLayouts.Add gives a master a layout a slide can follow. Deleted again,
// they leave every part of the deck to save byte for byte as it was.

#include <gtest/gtest.h>

#include <filesystem>

#include "objectmodel/automation/ComError.h"
#include "tests/engine/EngineDecks.h"
#include "tests/helpers/ErrorNumber.h"
#include "tests/helpers/IsolatedUserFolders.h"
#include "tests/helpers/ObjectMembers.h"
#include "tests/helpers/OfficeValues.h"
#include "tests/helpers/ZipFiles.h"

namespace quillmere::testing {
namespace {

class EngineTemporaryPagesTest : public IsolatedUserFolders {
 protected:
  Object Open(const char* deck) {
    app_ = StartEngine(14);
    return OpenDeck(app_, Deck(deck));
  }
  // The parts of the deck as it would be saved now, in order: an unchanged deck
  // is saved as a copy of its file, whose zip headers a rewrite does not keep.
  std::string Saved(const Object& pres) {
    std::filesystem::path file = Folder("tmp") / ("saved" + std::to_string(++saves_) + ".pptx");
    pres.Call("SaveCopyAs", file.string());
    std::string parts;
    for (const ZipRead& entry : ReadZip(file)) parts += entry.name + '\n' + entry.bytes + '\n';
    return parts;
  }

  Object app_;
  int saves_ = 0;
};

TEST_F(EngineTemporaryPagesTest, ADuplicateFollowsItsSlideWithTheSameContentUntilDeleted) {
  Object pres = Open("poi__backgrounds.pptx");
  std::string before = Saved(pres);
  Object slides = pres.Child("Slides");
  Object source = slides.Item(4);  // a picture background and three shapes
  Object copy = Object(source.Call("Duplicate")).Item(1);
  EXPECT_EQ(slides.Count(), 5);
  EXPECT_EQ(copy.Get("SlideIndex").AsLong(), 5);
  EXPECT_NE(copy.Get("SlideID").AsLong(), source.Get("SlideID").AsLong());
  // The same object the collection hands out.
  EXPECT_EQ(slides.Item(5).Ptr(), copy.Ptr());
  EXPECT_EQ(copy.Get("FollowMasterBackground").AsLong(), kFalse);
  EXPECT_EQ(copy.Child("Background").Child("Fill").Get("Type").AsLong(),
            source.Child("Background").Child("Fill").Get("Type").AsLong());
  EXPECT_EQ(copy.Get("Layout").AsLong(), source.Get("Layout").AsLong());
  Object shapes = copy.Child("Shapes"), sourceShapes = source.Child("Shapes");
  ASSERT_EQ(shapes.Count(), sourceShapes.Count());
  for (int i = 1; i <= shapes.Count(); ++i)
    EXPECT_EQ(shapes.Item(i).Get("Name").AsString(), sourceShapes.Item(i).Get("Name").AsString());

  // Hiding everything but the background touches the copy only.
  copy.Put("DisplayMasterShapes", kFalse);
  for (int i = 1; i <= shapes.Count(); ++i) shapes.Item(i).Put("Visible", kFalse);
  EXPECT_EQ(copy.Get("DisplayMasterShapes").AsLong(), kFalse);
  EXPECT_EQ(source.Get("DisplayMasterShapes").AsLong(), kTrue);
  EXPECT_EQ(shapes.Item(1).Get("Visible").AsLong(), kFalse);
  EXPECT_EQ(sourceShapes.Item(1).Get("Visible").AsLong(), kTrue);

  copy.Call("Delete");
  EXPECT_EQ(slides.Count(), 4);
  EXPECT_EQ(ErrorOf([&] { copy.Get("SlideIndex"); }), hr::kUnspecified);
  EXPECT_EQ(Saved(pres), before);

  // A copy of a middle slide comes right after it; the slides after it move on.
  Object second = slides.Item(2);
  Object middle = Object(second.Call("Duplicate")).Item(1);
  EXPECT_EQ(middle.Get("SlideIndex").AsLong(), 3);
  EXPECT_EQ(slides.Item(4).Child("Shapes").Item(1).Child("TextFrame").Child("TextRange").Get("Text").AsString(),
            "Master Gradient Fill");
  middle.Call("Delete");
  EXPECT_EQ(Saved(pres), before);
}

TEST_F(EngineTemporaryPagesTest, ADuplicateKeepsItsMediaAndCharts) {
  Object audio = Open("poi__EmbeddedAudio.pptx");
  Object copy = Object(audio.Child("Slides").Item(1).Call("Duplicate")).Item(1);
  Object sound = copy.Child("Shapes").Item(1);
  EXPECT_EQ(sound.Get("MediaType").AsLong(), 2);
  std::filesystem::path exported = Folder("tmp") / "copy.mp3";
  sound.Child("SoundFormat").Call("Export", exported.string());
  EXPECT_EQ(std::filesystem::file_size(exported), 52079u);
  EXPECT_EQ(sound.Child("AnimationSettings").Get("AnimationOrder").AsLong(), 1);
  // A copy of a copy, once the first is gone, takes the first free name again.
  copy.Call("Delete");
  Object again = Object(audio.Child("Slides").Item(1).Call("Duplicate")).Item(1);
  EXPECT_EQ(again.Child("Shapes").Item(1).Get("MediaType").AsLong(), 2);

  Object chart = Open("poi__chart-picture-bg.pptx");
  Object chartCopy = Object(chart.Child("Slides").Item(1).Call("Duplicate")).Item(1);
  EXPECT_EQ(chartCopy.Child("Shapes").Item(1).Get("HasChart").AsLong(), kTrue);
}

TEST_F(EngineTemporaryPagesTest, ATemporaryLayoutShowsItsMasterAndGoesAgain) {
  Object pres = Open("poi__bug68703.pptx");
  std::string before = Saved(pres);
  Object master = pres.Child("Designs").Item(1).Child("SlideMaster");
  Object layouts = master.Child("CustomLayouts");
  int count = layouts.Count();
  Object first = layouts.Item(1);

  Object layout = layouts.Call("Add", count + 1);
  EXPECT_EQ(layouts.Count(), count + 1);
  EXPECT_EQ(layout.Get("Index").AsLong(), count + 1);
  ExpectMembers(layout, {{"Name", "Custom Layout"}, {"FollowMasterBackground", kTrue}});
  EXPECT_EQ(layout.Child("Parent").Get("Name").AsString(), master.Get("Name").AsString());
  EXPECT_EQ(layout.Child("Background").Child("Fill").Get("Type").AsLong(),
            master.Child("Background").Child("Fill").Get("Type").AsLong());

  Object slides = pres.Child("Slides");
  Object slide = slides.Call("AddSlide", slides.Count() + 1, layout.Ptr());
  ExpectMembers(slide, {{"FollowMasterBackground", kTrue}, {"CustomLayout.Name", "Custom Layout"}});
  EXPECT_EQ(slide.Child("Design").Child("SlideMaster").Get("Name").AsString(), master.Get("Name").AsString());
  EXPECT_EQ(slide.Child("Shapes").Count(), 0);  // the master has no placeholders to lay out

  // A layout a slide follows stays.
  EXPECT_EQ(ErrorOf([&] { layout.Call("Delete"); }), hr::kUnspecified);
  slide.Call("Delete");
  layout.Call("Delete");
  EXPECT_EQ(layouts.Count(), count);
  EXPECT_EQ(ErrorOf([&] { layout.Get("Name"); }), hr::kUnspecified);
  EXPECT_EQ(Saved(pres), before);

  // Added first, it moves the others on; each keeps its object.
  Object front = layouts.Call("Add", 1);
  EXPECT_EQ(layouts.Item(2).Ptr(), first.Ptr());
  EXPECT_EQ(first.Get("Index").AsLong(), 2);
  front.Call("Delete");
  EXPECT_EQ(first.Get("Index").AsLong(), 1);
  EXPECT_EQ(Saved(pres), before);
  EXPECT_EQ(ErrorOf([&] { layouts.Call("Add", count + 2); }), hr::kInvalidArgument);
  EXPECT_EQ(ErrorOf([&] { layouts.Call("Add", 0); }), hr::kInvalidArgument);

  // A master with placeholders gives the layout its title, date, footer and number;
  // only the title comes onto a slide.
  Object titled = Open("poi__backgrounds.pptx");
  Object titledLayout =
      titled.Child("Designs").Item(1).Child("SlideMaster").Child("CustomLayouts").Call("Add", 1);
  Object layoutShapes = titledLayout.Child("Shapes");
  ASSERT_EQ(layoutShapes.Count(), 4);
  const int types[] = {1, 16, 15, 13};  // title, date, footer, slide number
  for (int i = 1; i <= 4; ++i)
    EXPECT_EQ(layoutShapes.Item(i).Child("PlaceholderFormat").Get("Type").AsLong(), types[i - 1]);
  Object titledSlide = titled.Child("Slides").Call("AddSlide", 1, titledLayout.Ptr());
  ASSERT_EQ(titledSlide.Child("Shapes").Count(), 1);
  EXPECT_EQ(titledSlide.Child("Shapes").Item(1).Child("PlaceholderFormat").Get("Type").AsLong(), 1);
}

}  // namespace
}  // namespace quillmere::testing
