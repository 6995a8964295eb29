// Tags written through the engine's Tags objects and read back from a saved copy.

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "tests/engine/EngineDecks.h"
#include "tests/helpers/IsolatedUserFolders.h"

namespace quillmere::testing {
namespace {

class EngineTagEditsTest : public IsolatedUserFolders {};

std::string Tag(const Object& tags, const char* member, int i) { return tags.Get(member, i).AsString(); }

TEST_F(EngineTagEditsTest, TagsAddedToPresentationSlideAndShapeSurviveSaveAndReopen) {
  Object app = StartEngine();
  // The deck's presentation already has a tag; its slides and shapes have none.
  Object pres = OpenDeck(app, Deck("poi__bug65228.pptx"));
  Object presTags = pres.Child("Tags");
  ASSERT_EQ(presTags.Count(), 1);
  std::string keptName = Tag(presTags, "Name", 1), keptValue = Tag(presTags, "Value", 1);

  presTags.Call("Add", "course", "intro");
  Object slide = pres.Child("Slides").Item(1);
  Object slideTags = slide.Child("Tags");
  ASSERT_EQ(slideTags.Count(), 0);
  slideTags.Call("Add", "Kind", "first");
  slideTags.Call("Add", "KIND", "quiz");  // the same name: its value is replaced
  slideTags.Call("Add", "gone", "soon");
  slideTags.Call("Delete", "Gone");
  Object shape = slide.Child("Shapes").Item(2);
  shape.Child("Tags").Call("Add", "wo_url", "https://example.org/a?b=1&c=<2>");
  EXPECT_EQ(slideTags.Count(), 1);
  EXPECT_EQ(Tag(slideTags, "Name", 1), "KIND");
  EXPECT_EQ(slideTags.Get("Item", "kind").AsString(), "quiz");

  std::string copy = (Folder("tmp") / "tagged.pptx").string();
  pres.Call("SaveCopyAs", copy, 24);
  pres.Call("Close");

  Object again = OpenDeck(app, copy);
  Object tags = again.Child("Tags");
  ASSERT_EQ(tags.Count(), 2);
  EXPECT_EQ(Tag(tags, "Name", 1), keptName);
  EXPECT_EQ(Tag(tags, "Value", 1), keptValue);
  EXPECT_EQ(Tag(tags, "Name", 2), "COURSE");
  EXPECT_EQ(tags.Get("Item", "Course").AsString(), "intro");
  Object reopened = again.Child("Slides").Item(1);
  ASSERT_EQ(reopened.Child("Tags").Count(), 1);
  EXPECT_EQ(reopened.Child("Tags").Get("Item", "kind").AsString(), "quiz");
  Object shapeTags = reopened.Child("Shapes").Item(2).Child("Tags");
  ASSERT_EQ(shapeTags.Count(), 1);
  EXPECT_EQ(Tag(shapeTags, "Name", 1), "WO_URL");
  EXPECT_EQ(Tag(shapeTags, "Value", 1), "https://example.org/a?b=1&c=<2>");
  EXPECT_EQ(reopened.Child("Shapes").Item(1).Child("Tags").Count(), 0);

  // Deleting the last tag of the shape leaves it with none after another save.
  reopened.Child("Shapes").Item(2).Child("Tags").Call("Delete", "Wo_Url");
  std::string second = (Folder("tmp") / "untagged.pptx").string();
  again.Call("SaveCopyAs", second, 24);
  again.Call("Close");
  Object third = OpenDeck(app, second);
  EXPECT_EQ(third.Child("Slides").Item(1).Child("Shapes").Item(2).Child("Tags").Count(), 0);
  EXPECT_EQ(third.Child("Tags").Count(), 2);
  EXPECT_THROW(third.Child("Tags").Call("Add", "", "x"), ComError);
  // The tags of a deleted shape are gone with it, not read from freed XML.
  Object doomed = third.Child("Slides").Item(1).Child("Shapes").Item(2);
  Object doomedTags = doomed.Child("Tags");
  doomed.Call("Delete");
  EXPECT_THROW(doomedTags.Count(), ComError);
  third.Call("Close");
  app.Call("Quit");
}

}  // namespace
}  // namespace quillmere::testing
