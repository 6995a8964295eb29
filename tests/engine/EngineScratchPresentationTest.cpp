// Presentations.Add makes a blank windowless presentation that a slide can be
// added to, whose slide's theme colours can be set and saved, and that saves
// as a web page with its supporting-files folder. (A blank deck saved and
// opened again is EngineOriginalPictureTest's starting point.)

#include <gtest/gtest.h>

#include <filesystem>

#include "engine/objects/document/WebPageSave.h"
#include "tests/engine/EngineDecks.h"
#include "tests/engine/ScratchCopies.h"

namespace quillmere::testing {
namespace {

namespace fs = std::filesystem;
using engine::packagetest::TempFolder;

TEST(EngineScratchPresentationTest, AddGivesAWindowlessBlankPresentationThatCloseRemoves) {
  Object app = StartEngine();
  Object presentations = app.Child("Presentations");
  Object deck = OpenDeck(app, Deck("poi__bug65673.pptx"));
  Object scratch = presentations.Call("Add", 0);
  EXPECT_EQ(presentations.Count(), 2);
  // Counted on from the untitled copy opened first, as PowerPoint counts its new presentations.
  EXPECT_EQ(scratch.Get("Name").AsString(), "Presentation2");
  EXPECT_EQ(scratch.Child("Slides").Count(), 0);
  // Without a window it never becomes the active presentation.
  EXPECT_THROW(app.Get("ActivePresentation"), ComError);
  Object withWindow = presentations.Call("Add");
  EXPECT_EQ(app.Child("ActivePresentation").Get("Name").AsString(), "Presentation3");
  withWindow.Call("Close");

  Object slide = scratch.Child("Slides").Call("Add", 1, kPpLayoutBlank);
  EXPECT_EQ(slide.Get("Layout").AsLong(), kPpLayoutBlank);
  EXPECT_EQ(slide.Child("Shapes").Count(), 0);
  EXPECT_EQ(scratch.Child("PageSetup").Get("SlideWidth").AsSingle(), 720.0f);
  // A range of all shapes deletes them all.
  slide.Child("Shapes").Call("AddShape", 1, 10, 10, 50, 50);
  slide.Child("Shapes").Call("AddShape", 9, 70, 10, 50, 50);
  slide.Child("Shapes").Child("Range").Call("Delete");
  EXPECT_EQ(slide.Child("Shapes").Count(), 0);

  scratch.Call("Close");
  EXPECT_EQ(presentations.Count(), 1);
  EXPECT_THROW(scratch.Get("Slides"), ComError);
  EXPECT_EQ(presentations.Item(1).Get("Name").AsString(), deck.Get("Name").AsString());
}

TEST(EngineScratchPresentationTest, ThemeColoursSetOnTheSlideAreReadBackAndSaved) {
  TempFolder temp;
  Object app = StartEngine();
  Object source = OpenDeck(app, Deck("poi__backgrounds.pptx")).Child("Slides").Item(1);
  Object scratch = app.Child("Presentations").Call("Add", 0);
  Object slide = scratch.Child("Slides").Call("Add", 1, kPpLayoutBlank);
  for (int i = 1; i <= 12; ++i)
    slide.Child("ThemeColorScheme", i).Put("RGB", source.Child("ThemeColorScheme").Child("Colors", i).Get("RGB"));
  // Dark 1 written as a distinct colour, through the scheme object this time.
  slide.Child("ThemeColorScheme").Child("Colors", 1).Put("RGB", 0x123456);
  auto expected = [&](int i) { return i == 1 ? 0x123456 : source.Child("ThemeColorScheme", i).Get("RGB").AsLong(); };
  for (int i = 1; i <= 12; ++i) EXPECT_EQ(slide.Child("ThemeColorScheme", i).Get("RGB").AsLong(), expected(i)) << i;
  // A master's theme colours, read the way the writers read them for shapes on a master.
  Object theme = scratch.Child("Designs").Item(1).Child("SlideMaster").Child("Theme");
  EXPECT_EQ(theme.Child("ThemeColorScheme", 1).Get("RGB").AsLong(), 0x123456);

  fs::path saved = temp / "scratch.pptx";
  scratch.Call("SaveAs", saved.string(), kPpSaveAsOpenXmlPresentation, kMsoTriStateMixed);
  EXPECT_EQ(scratch.Get("FullName").AsString(), saved.string());
  scratch.Call("Close");
  Object reopened = OpenDeck(app, saved.string());
  for (int i = 1; i <= 12; ++i)
    EXPECT_EQ(reopened.Child("Slides").Item(1).Child("ThemeColorScheme", i).Get("RGB").AsLong(), expected(i)) << i;
  // A scheme read from a theme part stays read only.
  EXPECT_THROW(theme.Child("ThemeColorScheme", 1).Put("RGB", 0), ComError);
}

TEST(EngineScratchPresentationTest, AnEmptyPresentationSavedAsAWebPageShowsTheSupportingFilesSuffix) {
  TempFolder temp;
  Object app = StartEngine();
  Object blank = app.Child("Presentations").Call("Add", 0);
  blank.Call("SaveAs", (temp / "calibrate.html").string(), kPpSaveAsHtml, kMsoTriStateMixed);
  blank.Call("Close");
  // The calibration: the first folder beside the page, less the page's base name.
  std::string suffix;
  for (const fs::directory_entry& entry : fs::directory_iterator(temp.Path()))
    if (entry.is_directory()) suffix = entry.path().filename().string().substr(std::string("calibrate").size());
  EXPECT_EQ(suffix, engine::kSupportingFilesSuffix);
  EXPECT_TRUE(fs::is_empty(temp / ("calibrate" + suffix)));
  EXPECT_TRUE(fs::is_regular_file(temp / "calibrate.html"));
  EXPECT_EQ(std::distance(fs::directory_iterator(temp.Path()), fs::directory_iterator()), 2);
}

}  // namespace
}  // namespace quillmere::testing
