// The temporary edits writers make and undo change the part's XML, so that a
// saved copy shows them, and undoing them gives the part back as it was.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>
#include <set>

#include "engine/EngineRuntime.h"
#include "engine/package/Package.h"
#include "objectmodel/automation/ComError.h"
#include "tests/engine/EngineDeckTest.h"
#include "tests/helpers/ErrorNumber.h"
#include "tests/helpers/NearMembers.h"
#include "tests/helpers/ObjectMembers.h"
#include "tests/helpers/OfficeValues.h"

namespace quillmere::testing {
namespace {

constexpr const char* kGroupingDeck = "poi__sample_pptx_grouping_issues.pptx";

class EngineShapeEditsTest : public EngineDeckTest {
 protected:
  // The slide part as a saved copy of the deck has it now.
  std::string SavedSlide(const Object& pres, int slide, std::string* copyPath = nullptr) {
    std::string copy = (Folder("tmp") / ("copy" + std::to_string(++copies_) + ".pptx")).string();
    pres.Call("SaveCopyAs", copy);
    if (copyPath) *copyPath = copy;
    return engine::Package::Open(copy)->ReadBytes("ppt/slides/slide" + std::to_string(slide) + ".xml");
  }
  // Saved once edited, so that the part compared is written by the same serialiser each time.
  std::string SlideAsWritten(const Object& pres, int slide, const Object& anyShape) {
    anyShape.Put("Name", anyShape.Get("Name"));
    return SavedSlide(pres, slide);
  }

  int copies_ = 0;
};

TEST_F(EngineShapeEditsTest, DuplicateThenDeleteLeavesThePartAsItWas) {
  Object pres = Open(kGroupingDeck);
  Object shapes = Shapes(pres, 1);
  Object group = shapes.Item("Group 10");
  std::string before = SlideAsWritten(pres, 1, group);
  int count = shapes.Count();

  Object copies = group.Call("Duplicate");
  ASSERT_EQ(copies.Count(), 1);
  Object copy = copies.Item(1);
  EXPECT_EQ(shapes.Count(), count + 1);
  EXPECT_EQ(copy.Get("ZOrderPosition").AsLong(), count + 1);  // on top, the last of the collection
  const int firstCopyId = copy.Get("Id").AsLong();
  EXPECT_NE(copy.Get("Name").AsString(), group.Get("Name").AsString());
  EXPECT_TRUE(copy.Get("Name").AsString().starts_with("Group "));
  for (auto [member, offset] : {std::pair{"Left", 12.0}, std::pair{"Top", 12.0}, std::pair{"Width", 0.0}})
    EXPECT_NEAR(copy.Get(member).AsDouble(), group.Get(member).AsDouble() + offset, 0.01) << member;
  // Every member of the copy has an id of its own.
  std::set<int> ids;
  for (int i = 1; i <= shapes.Count(); ++i) {
    Object shape = shapes.Item(i);
    EXPECT_TRUE(ids.insert(shape.Get("Id").AsLong()).second) << shape.Get("Name").AsString();
    if (shape.Get("Type").AsLong() != 6) continue;
    for (int j = 1; j <= shape.Child("GroupItems").Count(); ++j)
      EXPECT_TRUE(ids.insert(shape.Child("GroupItems").Item(j).Get("Id").AsLong()).second);
  }
  EXPECT_NE(SavedSlide(pres, 1), before);

  copy.Call("Delete");
  EXPECT_EQ(shapes.Count(), count);
  EXPECT_THROW(copy.Get("Name"), ComError);  // a deleted shape is gone
  EXPECT_EQ(SavedSlide(pres, 1), before);

  // A copy only read and deleted, as the writers use one, leaves the part as it was too,
  // and takes its ids all the same: the next copy numbers on after it.
  const int groupIds = 1 + static_cast<int>(group.Child("GroupItems").Count());
  Object read = Object(group.Call("Duplicate")).Item(1);
  ExpectMembers(read, {{"Type", group.Get("Type").AsLong()}, {"AutoShapeType", group.Get("AutoShapeType").AsLong()}});
  EXPECT_EQ(ErrorOf([&] { read.Call("ScaleHeight", 1.0, kTrue); }), hr::kInvalidArgument);  // not a picture
  read.Call("Delete");
  EXPECT_THROW(read.Get("Name"), ComError);
  EXPECT_EQ(SavedSlide(pres, 1), before);
  Object next = Object(group.Call("Duplicate")).Item(1);
  EXPECT_EQ(shapes.Count(), count + 1);  // any other call finds the copy made
  ExpectMembers(next, {{"Id", firstCopyId + 2 * groupIds}, {"ZOrderPosition", count + 1}});
  next.Call("Delete");
  EXPECT_EQ(SavedSlide(pres, 1), before);
}

TEST_F(EngineShapeEditsTest, FlipRotationVisibilityAndNamesAreUndone) {
  Object pres = Open(kGroupingDeck);
  Object shape = Shapes(pres, 1).Item("Rectangle 6");
  std::string before = SlideAsWritten(pres, 1, shape);

  shape.Call("Flip", 0);
  ExpectMembers(shape, {{"HorizontalFlip", kTrue}, {"VerticalFlip", kFalse}});
  EXPECT_NE(SavedSlide(pres, 1), before);
  shape.Call("Flip", 0);
  ExpectMembers(shape, {{"HorizontalFlip", kFalse}});
  shape.Call("Flip", 1);
  shape.Call("Flip", 1);
  EXPECT_THROW(shape.Call("Flip", 2), ComError);

  // A whole turn more or less is the same angle.
  for (auto [put, read] : {std::pair{400.0, 40.0f}, std::pair{-30.0, 330.0f}, std::pair{0.0, 0.0f}}) {
    shape.Put("Rotation", put);
    EXPECT_FLOAT_EQ(shape.Get("Rotation").AsSingle(), read) << put;
  }

  shape.Put("Visible", kFalse);
  EXPECT_EQ(shape.Get("Visible").AsLong(), kFalse);
  EXPECT_NE(SavedSlide(pres, 1).find("hidden=\"1\""), std::string::npos);
  shape.Put("Visible", kTrue);

  shape.Put("Name", "Renamed");
  EXPECT_EQ(Shapes(pres, 1).Item("renamed").Get("Id").AsLong(), shape.Get("Id").AsLong());
  Object range = Shapes(pres, 1).Child("Range", "Renamed");
  EXPECT_EQ(range.Count(), 1);
  range.Put("Name", "Rectangle 6");  // a one-shape range acts as its shape
  EXPECT_EQ(SavedSlide(pres, 1), before);
}

TEST_F(EngineShapeEditsTest, MovingAGroupMemberWritesItsChildCoordinates) {
  Object pres = Open(kGroupingDeck);
  Object member = Shapes(pres, 1).Item("Group 10").Child("GroupItems").Item(1);
  double top = member.Get("Top").AsDouble(), height = member.Get("Height").AsDouble();
  member.Put("Left", 600.0);
  ExpectNearMembers(member, {{"Left", 600.0}, {"Top", top}}, 0.2);  // child units are ~0.15 pt here
  member.Put("Height", height * 2);
  EXPECT_NEAR(member.Get("Height").AsDouble(), height * 2, 0.2);
  Object group = Shapes(pres, 1).Item("Group 10");
  double groupLeft = group.Get("Left").AsDouble();
  group.Put("Left", groupLeft + 10);
  EXPECT_NEAR(member.Get("Left").AsDouble(), 610.0, 0.2);  // members move with their group
}

TEST_F(EngineShapeEditsTest, AddedShapesAreRealAndSaved) {
  Object pres = Open(kGroupingDeck);
  Object shapes = Shapes(pres, 1);
  int count = shapes.Count();
  Object oval = shapes.Call("AddShape", 9, 10.0, 20.0, 30.0, 40.0);
  EXPECT_EQ(shapes.Count(), count + 1);
  ExpectMembers(oval, {{"Type", 1}, {"AutoShapeType", 9}, {"Left", 10.0f}, {"Height", 40.0f}});
  ExpectMembers(shapes.Item(count + 1), {{"Id", oval.Get("Id").AsLong()}});
  EXPECT_THROW(shapes.Call("AddShape", 138, 0.0, 0.0, 1.0, 1.0), ComError);

  oval.Put("AutoShapeType", 1);
  EXPECT_EQ(oval.Get("AutoShapeType").AsLong(), 1);
  std::string copy;
  EXPECT_NE(SavedSlide(pres, 1, &copy).find("prst=\"rect\""), std::string::npos);
  Object reopened = Shapes(OpenFile(copy), 1);
  EXPECT_EQ(reopened.Count(), count + 1);
  ExpectMembers(reopened.Item(count + 1), {{"AutoShapeType", 1}, {"Width", 30.0f}});
}

TEST_F(EngineShapeEditsTest, TextPutInAShapeTakesTheFormattingItBeganWith) {
  Object pres = Open("poi__customGeo.pptx");
  Object shapes = Shapes(pres, 1);
  // A bold 28 pt first run: every new paragraph, run and line break takes it.
  Object title = shapes.Item("Subtitle 2");
  title.Child("TextFrame").Child("TextRange").Put("Text", "One\rTwo\vThree\r\nFour");
  EXPECT_EQ(title.Child("TextFrame").Child("TextRange").Get("Text").AsString(), "One\rTwo\vThree\rFour");
  Object range = title.Child("TextFrame2").Child("TextRange");
  EXPECT_EQ(range.Child("Paragraphs").Count(), 3);
  ASSERT_EQ(range.Child("Runs").Count(), 4);
  for (int i = 1; i <= 4; ++i) {
    SCOPED_TRACE(i);
    ExpectMembers(range.Child("Runs", i).Child("Font"), {{"Bold", kTrue}, {"Size", 28.0f}});
  }
  // Blank text leaves one empty paragraph; an added shape takes text too and saves it.
  title.Child("TextFrame").Child("TextRange").Put("Text", "");
  EXPECT_EQ(title.Child("TextFrame2").Child("TextRange").Child("Paragraphs").Count(), 1);
  Object box = shapes.Call("AddShape", 1, 0.0, 0.0, 50.0, 50.0);
  box.Child("TextFrame").Child("TextRange").Put("Text", "  ");
  std::string copy;
  SavedSlide(pres, 1, &copy);
  Object saved = Shapes(OpenFile(copy), 1).Item(shapes.Count());
  EXPECT_EQ(saved.Child("TextFrame").Child("TextRange").Get("Text").AsString(), "  ");
}

TEST_F(EngineShapeEditsTest, ZOrderMovesAShapeAmongItsSiblingsAndRangeFindsGroupMembers) {
  Object pres = Open(kGroupingDeck);
  Object shapes = Shapes(pres, 1);
  const int count = shapes.Count();
  ASSERT_GE(count, 3);
  Object last = shapes.Item(count);
  const std::string name = last.Get("Name").AsString();
  // To the back, one forward, to the front, one back.
  for (auto [command, position] : {std::pair{1, 1}, std::pair{2, 2}, std::pair{0, count}, std::pair{3, count - 1}}) {
    last.Call("ZOrder", command);
    EXPECT_EQ(last.Get("ZOrderPosition").AsLong(), position) << command;
    if (command < 2) {
      EXPECT_EQ(shapes.Item(position).Get("Name").AsString(), name) << command;
    }
  }
  EXPECT_EQ(ErrorOf([&] { last.Call("ZOrder", 5); }), hr::kInvalidArgument);

  // A member and its duplicate, named together, as a group member's image is drawn.
  Object members = shapes.Item("Group 10").Child("GroupItems");
  Object member = members.Item(2);
  const int memberCount = members.Count();
  Object copy = Object(member.Call("Duplicate")).Item(1);
  EXPECT_EQ(shapes.Item("Group 10").Child("GroupItems").Count(), memberCount + 1);
  copy.Call("ZOrder", 1);
  EXPECT_EQ(shapes.Item("Group 10").Child("GroupItems").Item(1).Get("Name").AsString(), copy.Get("Name").AsString());
  Object range = shapes.Child("Range", member.Get("Name").AsString(), copy.Get("Name").AsString());
  EXPECT_EQ(range.Count(), 2);
  ExpectMembers(range.Item(1), {{"Child", kTrue}});
  EXPECT_EQ(ErrorOf([&] { shapes.Item(member.Get("Name").AsString()); }), hr::kInvalidArgument);

  // Renamed, deleted or sharing a name with a shape before it, as lookups between edits see them.
  auto idInRange = [&](const std::string& wanted) { return shapes.Child("Range", wanted).Item(1).Get("Id").AsLong(); };
  const std::string copyName = copy.Get("Name").AsString();
  copy.Put("Name", "Renamed Copy");
  EXPECT_EQ(idInRange("renamed copy"), copy.Get("Id").AsLong());
  EXPECT_EQ(ErrorOf([&] { shapes.Child("Range", copyName); }), hr::kInvalidArgument);
  Object first = shapes.Item("Rectangle 6");
  copy.Put("Name", "Rectangle 6");  // the name of a shape of the slide itself, which comes first
  EXPECT_EQ(idInRange("Rectangle 6"), first.Get("Id").AsLong());
  first.Call("Delete");
  EXPECT_EQ(idInRange("Rectangle 6"), copy.Get("Id").AsLong());
  copy.Call("Delete");
  EXPECT_EQ(ErrorOf([&] { shapes.Child("Range", "Rectangle 6"); }), hr::kInvalidArgument);
}

TEST_F(EngineShapeEditsTest, FreeformsTurnIntoRectangles) {
  Object freeform = Shapes(Open("poi__customGeo.pptx"), 6).Item("Diagram 3").Child("GroupItems").Item("Freeform 4");
  ExpectMembers(freeform, {{"Type", 5}, {"AutoShapeType", 138}});
  EXPECT_EQ(freeform.Child("Adjustments").Count(), 0);
  freeform.Put("AutoShapeType", 1);
  ExpectMembers(freeform, {{"Type", 1}, {"AutoShapeType", 1}});
  EXPECT_THROW(freeform.Put("AutoShapeType", 0), ComError);
}

TEST_F(EngineShapeEditsTest, UngroupKeepsEveryMemberWhereItWas) {
  Object pres = Open(kGroupingDeck);
  Object shapes = Shapes(pres, 1);
  int count = shapes.Count();
  Object group = shapes.Item("Group 10");
  Object items = group.Child("GroupItems");
  const char* kFrame[] = {"Left", "Top", "Width", "Height"};
  std::vector<std::array<double, 4>> frames(items.Count());
  for (int i = 1; i <= items.Count(); ++i)
    for (int side = 0; side < 4; ++side) frames[i - 1][side] = items.Item(i).Get(kFrame[side]).AsDouble();
  Object members = group.Call("Ungroup");
  ASSERT_EQ(members.Count(), 3);
  EXPECT_EQ(shapes.Count(), count + 2);
  EXPECT_THROW(shapes.Item("Group 10"), ComError);
  for (int i = 1; i <= members.Count(); ++i) {
    Object m = members.Item(i);
    EXPECT_EQ(m.Get("Child").AsLong(), kFalse);
    for (int side = 0; side < 4; ++side)
      EXPECT_NEAR(m.Get(kFrame[side]).AsDouble(), frames[i - 1][side], 0.05) << i << " " << kFrame[side];
  }
  EXPECT_EQ(members.Item(3).Get("Rotation").AsSingle(), 270.0f);
  EXPECT_THROW(members.Item(1).Call("Ungroup"), ComError);
}

TEST_F(EngineShapeEditsTest, UngroupingTurnedGroupsKeepsMembersWhereLibreOfficeShowsThem) {
  // Rectangle 6 sits in a group turned 313.2 degrees inside a group turned 12.6 degrees.
  Object pres = Open("poi__54542_cropped_bitmap.pptx");
  Object shapes = Shapes(pres, 1);
  Object inner = Object(shapes.Item("Gruppieren 3").Call("Ungroup")).Item(1);
  ASSERT_EQ(inner.Get("Name").AsString(), "Gruppieren 1");
  Object rectangle = Object(inner.Call("Ungroup")).Item(1);
  ASSERT_EQ(rectangle.Get("Name").AsString(), "Rectangle 6");

  // LibreOffice draws it as a 7.386 x 2.362 cm box turned 0.5969 rad anticlockwise with
  // its own top-left corner moved to (17.477, 13.52) cm: that box's centre is where it is seen.
  double angle = 0.596902604182061, w = 7.386, h = 2.362;
  double centreX = 17.477 + w / 2 * std::cos(angle) + h / 2 * std::sin(angle);
  double centreY = 13.52 - w / 2 * std::sin(angle) + h / 2 * std::cos(angle);
  EXPECT_NEAR(rectangle.Get("Rotation").AsDouble(), 360.0 - angle * 180.0 / std::numbers::pi, 0.01);
  ExpectNearMembers(rectangle, {{"Width", Cm(w)}, {"Height", Cm(h)}}, 0.5);
  EXPECT_NEAR(rectangle.Get("Left").AsDouble() + rectangle.Get("Width").AsDouble() / 2, Cm(centreX), 0.5);
  EXPECT_NEAR(rectangle.Get("Top").AsDouble() + rectangle.Get("Height").AsDouble() / 2, Cm(centreY), 0.5);
}

TEST_F(EngineShapeEditsTest, ScaleHeightOfACroppedPicture) {
  // Picture 4 shows its image less 2.5% at the top and 46.2% at the bottom.
  Object pres = Open("poi__54542_cropped_bitmap.pptx");
  Object picture = Shapes(pres, 1).Item("Picture 4");
  double left = picture.Get("Left").AsDouble(), top = picture.Get("Top").AsDouble();
  double width = picture.Get("Width").AsDouble(), height = picture.Get("Height").AsDouble();
  ASSERT_NEAR(height, 1170867 / 12700.0, 0.01);

  // Relative to the uncropped image at its present scale the crop keeps its share: 1 is the frame as it is.
  auto expectFrame = [&](double l, double t, double w, double h) {
    ExpectNearMembers(picture, {{"Left", l}, {"Top", t}, {"Width", w}, {"Height", h}}, 0.01);
  };
  picture.Call("ScaleHeight", 1.0, kTrue);
  expectFrame(left, top, width, height);

  picture.Put("LockAspectRatio", kFalse);
  picture.Call("ScaleHeight", 2.0, kFalse, 1);  // from the middle
  expectFrame(left, top - height / 2, width, 2 * height);
  picture.Call("ScaleHeight", 0.5, kFalse, 2);  // keeping the bottom edge
  EXPECT_NEAR(picture.Get("Top").AsDouble(), top + height / 2, 0.01);

  // A locked aspect ratio scales both sides.
  picture.Put("LockAspectRatio", kTrue);
  picture.Call("ScaleHeight", 2.0, kTrue);
  EXPECT_NEAR(picture.Get("Width").AsDouble(), 2 * width, 0.01);

  // A shape without an original size refuses the argument; writers retry failures, not this.
  Object rectangle = Shapes(pres, 1).Item("Rectangle 5");
  EXPECT_EQ(ErrorOf([&] { rectangle.Call("ScaleHeight", 1.0, kTrue); }), hr::kInvalidArgument);
}

TEST_F(EngineShapeEditsTest, EffectsSwitchedOffForAPictureComeBackAsTheyWere) {
  // Slide 25's pictures carry their own shadow and bevel; slide 28 a glow and a soft edge.
  Object pres = Open("poi__60810.pptx");
  Object picture = Shapes(pres, 25).Item("Picture 3");
  std::string before = SlideAsWritten(pres, 25, picture);

  picture.Child("Shadow").Put("Visible", kFalse);
  picture.Child("ThreeD").Put("Visible", kFalse);
  ExpectMembers(picture, {{"Shadow.Visible", kFalse}, {"ThreeD.Visible", kFalse}});
  std::string hidden = SavedSlide(pres, 25);
  ASSERT_NE(hidden.find("bevelT w=\"50800\""), std::string::npos);
  EXPECT_EQ(hidden.find("bevelT w=\"50800\""), hidden.rfind("bevelT w=\"50800\"")) << "only Picture 4 keeps its bevel";
  picture.Child("ThreeD").Put("Visible", kTrue);
  picture.Child("Shadow").Put("Visible", kTrue);
  EXPECT_EQ(SavedSlide(pres, 25), before);

  Object rectangle = Shapes(pres, 28).Item("Rectangle 6");
  Object softPicture = Shapes(pres, 28).Item("Picture 3");
  before = SlideAsWritten(pres, 28, rectangle);
  float radius = rectangle.Child("Glow").Get("Radius").AsSingle();
  int softEdge = softPicture.Child("SoftEdge").Get("Type").AsLong();
  rectangle.Child("Glow").Put("Radius", 0.0f);
  softPicture.Child("SoftEdge").Put("Type", 0);
  softPicture.Child("Reflection").Put("Type", 0);  // it has none: nothing to take away or put back
  ExpectMembers(rectangle, {{"Glow.Radius", 0.0f}});
  ExpectMembers(softPicture, {{"SoftEdge.Type", 0}});
  rectangle.Child("Glow").Put("Radius", radius);
  softPicture.Child("SoftEdge").Put("Type", softEdge);
  softPicture.Child("Reflection").Put("Type", 0);
  EXPECT_EQ(SavedSlide(pres, 28), before);

  // A duplicate is edited and deleted without being restored: a later copy must not get its effects back.
  Object copy = Object(rectangle.Call("Duplicate")).Item(1);
  copy.Child("Glow").Put("Radius", 0.0f);
  copy.Call("Delete");
  Object second = Object(softPicture.Call("Duplicate")).Item(1);
  second.Child("Glow").Put("Radius", 0.0f);
  EXPECT_EQ(second.Child("Glow").Get("Radius").AsSingle(), 0.0f);
}

TEST_F(EngineShapeEditsTest, EffectsFromTheThemeStyleAreOverriddenAndRestored) {
  // Pentagone 7 sets no effects: its style names the theme's third effect, a shadow below it and a bevel.
  Object pres = Open("poi__stress022.pptx");
  Object pentagon = Shapes(pres, 8).Item("Pentagone 7");
  Object shadow = pentagon.Child("Shadow");
  ASSERT_EQ(shadow.Get("Visible").AsLong(), kTrue);
  // The gallery's "offset bottom", in the style's srgbClr 000000.
  ExpectMembers(shadow, {{"Type", 22}, {"Style", 2}, {"RotateWithShape", kFalse}, {"ForeColor.RGB", 0}});
  ExpectNearMembers(shadow,
                    {{"OffsetX", 0.0}, {"OffsetY", 23000 / 12700.0}, {"Blur", 40000 / 12700.0}, {"Transparency", 0.65}},
                    1e-4);
  ExpectMembers(pentagon, {{"ThreeD.Visible", kTrue}});

  shadow.Put("Visible", kFalse);
  pentagon.Child("ThreeD").Put("Visible", kFalse);
  ExpectMembers(pentagon, {{"Shadow.Visible", kFalse}, {"ThreeD.Visible", kFalse}});
  pentagon.Child("ThreeD").Put("Visible", kTrue);
  shadow.Put("Visible", kTrue);
  ExpectMembers(pentagon, {{"Shadow.Type", 22}, {"ThreeD.Visible", kTrue}});

  // A picture with no shadow of its own or from a style gets PowerPoint's default one when asked for it.
  Object plain = Shapes(Open("poi__54542_cropped_bitmap.pptx"), 1).Item("Picture 9");
  ASSERT_EQ(plain.Child("Shadow").Get("Visible").AsLong(), kFalse);
  plain.Child("Shadow").Put("Visible", kTrue);
  EXPECT_EQ(plain.Child("Shadow").Get("Type").AsLong(), 21);
}

}  // namespace
}  // namespace quillmere::testing
