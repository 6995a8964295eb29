// Shape.Fill and Shape.Line on real decks: fills and outlines from the shape,
// from its style's entry in the theme (PowerPoint's default outline is accent1
// 4F81BD shaded to 4A7EBB), gradients with their stops, textures, patterns,
// and hiding that is undone exactly by showing again.

#include <gtest/gtest.h>

#include <filesystem>

#include "engine/EngineRuntime.h"
#include "engine/package/Package.h"
#include "objectmodel/automation/ComError.h"
#include "objectmodel/automation/Object.h"
#include "tests/engine/EditedDecks.h"
#include "tests/engine/EngineDecks.h"
#include "tests/helpers/IsolatedUserFolders.h"
#include "tests/helpers/ObjectMembers.h"
#include "tests/helpers/OfficeValues.h"

namespace quillmere::testing {
namespace {

class EngineFillLineTest : public IsolatedUserFolders {
 protected:
  Object Open(const char* deck) { return OpenFile(Deck(deck)); }
  Object OpenFile(const std::string& file) {
    app_ = StartEngine(14);
    return OpenDeck(app_, file);
  }
  static Object Shape(const Object& pres, int slide, const std::string& name) {
    Object shapes = pres.Child("Slides").Item(slide).Child("Shapes");
    for (int i = 1; i <= shapes.Count(); ++i)
      if (shapes.Item(i).Get("Name").AsString() == name) return shapes.Item(i);
    return {};
  }
  Object app_;
};

TEST_F(EngineFillLineTest, FillsOfEveryKindAnswerFromTheirElements) {
  Object pres = Open("pptx__dml-fill.pptx");

  // No fill of its own: the style's fillRef idx 3, the theme's two-stop gradient of accent1.
  Object styled = Shape(pres, 1, "Rounded Rectangle 4").Child("Fill");
  ExpectMembers(styled, {{"Visible", kTrue}, {"Type", 3}, {"GradientColorType", 2}});
  EXPECT_EQ(styled.Child("GradientStops").Count(), 2);
  ExpectMembers(styled, {{"ForeColor.Type", 2}, {"ForeColor.ObjectThemeColor", 5}, {"BackColor.ObjectThemeColor", 5},
                         {"GradientAngle", 270.0f}});

  EXPECT_EQ(Shape(pres, 1, "Rounded Rectangle 8").Child("Fill").Get("Visible").AsLong(), kFalse);  // a:noFill

  Object solid = Shape(pres, 1, "Rounded Rectangle 5").Child("Fill");
  ExpectMembers(solid, {{"Type", 1}, {"ForeColor.RGB", Packed(0x2CB731)}, {"ForeColor.Type", 1},
                        {"Transparency", 0.0f}});

  // A tiled picture at 47% opacity is a texture.
  Object texture = Shape(pres, 1, "Rounded Rectangle 6").Child("Fill");
  ExpectMembers(texture, {{"Type", 4}, {"TextureTile", kTrue}});
  EXPECT_NEAR(texture.Get("Transparency").AsSingle(), 0.53f, 1e-6f);
  EXPECT_FLOAT_EQ(texture.Get("TextureHorizontalScale").AsSingle(), 1.0f);

  // Three stops, the last accent1 "lighter 40%".
  Object gradient = Shape(pres, 1, "Rounded Rectangle 7").Child("Fill");
  Object stops = gradient.Child("GradientStops");
  ASSERT_EQ(stops.Count(), 3);
  EXPECT_EQ(gradient.Get("GradientColorType").AsLong(), 4);
  EXPECT_FLOAT_EQ(stops.Item(1).Get("Position").AsSingle(), 0.2f);
  ExpectMembers(stops.Item(3), {{"Position", 0.8f}, {"Color.RGB", Packed(0x95B3D7)}});
  EXPECT_EQ(gradient.Child("BackColor").Get("RGB").AsLong(), Packed(0x95B3D7));
  EXPECT_THROW(stops.Item(4), ComError);

  Object pattern = Shape(pres, 1, "Rounded Rectangle 9").Child("Fill");
  EXPECT_EQ(pattern.Get("Type").AsLong(), 2);
  EXPECT_EQ(pattern.Get("Pattern").AsLong(), 46);  // divot
  EXPECT_EQ(pattern.Child("ForeColor").Get("RGB").AsLong(), Packed(0x2CB731));
  EXPECT_EQ(pattern.Child("BackColor").Get("RGB").AsLong(), Packed(0xFFFFFF));  // prstClr white
}

TEST_F(EngineFillLineTest, OutlinesTakeEachPropertyFromTheNearestLevel) {
  Object pres = Open("pptx__dml-line.pptx");
  Object styled = Shape(pres, 1, "Rounded Rectangle 1").Child("Line");
  ExpectMembers(styled, {{"Visible", kTrue}, {"Weight", 0.75f}, {"ForeColor.RGB", Packed(0x4A7EBB)},
                         {"ForeColor.ObjectThemeColor", 5}, {"DashStyle", 1}, {"BeginArrowheadStyle", 1},
                         {"EndArrowheadLength", 2}});

  EXPECT_EQ(Shape(pres, 1, "Rounded Rectangle 2").Child("Line").Get("Visible").AsLong(), kFalse);
  // Its own width and colour; the style still gives what it leaves out.
  Object red = Shape(pres, 1, "Rounded Rectangle 3").Child("Line");
  ExpectMembers(red, {{"Weight", 1.5f}, {"ForeColor.RGB", Packed(0xFF0000)}, {"ForeColor.Type", 1}});

  Object thick = Shape(pres, 2, "Rounded Rectangle 2").Child("Line");
  EXPECT_EQ(thick.Get("Style").AsLong(), 4);  // thickThin
  EXPECT_FLOAT_EQ(thick.Get("Weight").AsSingle(), 4.5f);
  EXPECT_EQ(Shape(pres, 2, "Rounded Rectangle 3").Child("Line").Child("ForeColor").Get("ObjectThemeColor").AsLong(), 8);
}

TEST_F(EngineFillLineTest, HidingAndShowingPutsBackWhatWasThere) {
  Object pres = Open("pptx__dml-fill.pptx");
  // A fill of its own, and one the style gives.
  for (const char* name : {"Rounded Rectangle 7", "Rounded Rectangle 4"}) {
    Object shape = Shape(pres, 1, name);
    Object fill = shape.Child("Fill");
    int type = fill.Get("Type").AsLong();
    int back = fill.Child("BackColor").Get("RGB").AsLong();
    fill.Put("Visible", kFalse);
    EXPECT_EQ(fill.Get("Visible").AsLong(), kFalse) << name;
    fill.Put("Visible", kFalse);  // twice: the first hiding is what comes back
    fill.Put("Visible", kTrue);
    EXPECT_EQ(fill.Get("Type").AsLong(), type) << name;
    EXPECT_EQ(fill.Child("BackColor").Get("RGB").AsLong(), back) << name;

    Object line = shape.Child("Line");
    int color = line.Child("ForeColor").Get("RGB").AsLong();
    line.Put("Visible", kFalse);
    EXPECT_EQ(line.Get("Visible").AsLong(), kFalse) << name;
    line.Put("Visible", kTrue);
    EXPECT_EQ(line.Get("Visible").AsLong(), kTrue) << name;
    EXPECT_EQ(line.Child("ForeColor").Get("RGB").AsLong(), color) << name;
  }
  // A shape whose own a:noFill hides its style's fill shows the style's gradient.
  Object none = Shape(pres, 1, "Rounded Rectangle 8").Child("Fill");
  none.Put("Visible", kTrue);
  ExpectMembers(none, {{"Visible", kTrue}, {"Type", 3}, {"ForeColor.ObjectThemeColor", 5}});

  // Putting back what was read changes nothing, as the image preparation does with a hidden outline.
  Object hiddenLine = Shape(pres, 1, "Rounded Rectangle 8").Child("Line");
  Object ownLine = Shape(pres, 1, "Rounded Rectangle 9").Child("Line");
  int before = ownLine.Child("ForeColor").Get("RGB").AsLong();
  ownLine.Put("Visible", kFalse);
  ownLine.Put("Visible", kFalse);
  ownLine.Put("Visible", kTrue);
  EXPECT_EQ(ownLine.Child("ForeColor").Get("RGB").AsLong(), before);
  hiddenLine.Put("Visible", hiddenLine.Get("Visible").AsLong());
  EXPECT_EQ(hiddenLine.Child("ForeColor").Get("RGB").AsLong(), Packed(0x4A7EBB));

  // Edits that copy an inherited fill keep its look: the style's gradient made the shape's own.
  Object styled = Shape(pres, 1, "Rounded Rectangle 4").Child("Fill");
  int first = styled.Child("GradientStops").Item(1).Child("Color").Get("RGB").AsLong();
  styled.Put("Transparency", 0.25f);
  EXPECT_NEAR(styled.Get("Transparency").AsSingle(), 0.25f, 1e-5f);
  EXPECT_EQ(styled.Child("GradientStops").Item(1).Child("Color").Get("RGB").AsLong(), first);
  EXPECT_NEAR(styled.Child("GradientStops").Item(2).Get("Transparency").AsSingle(), 0.25f, 1e-5f);

  // The saved copy has the edits: hidden outline, the gradient made the shape's own.
  Shape(pres, 1, "Rounded Rectangle 5").Child("Line").Put("Visible", kFalse);
  std::filesystem::path copy = std::filesystem::temp_directory_path() / "edited.pptx";
  pres.Call("SaveCopyAs", copy.string());
  {
    std::unique_ptr<engine::Package> saved = engine::Package::Open(copy);
    pugi::xml_node props = saved->FindXml("ppt/slides/slide1.xml")
                               ->select_node("//p:sp[.//p:cNvPr/@name='Rounded Rectangle 5']/p:spPr")
                               .node();
    EXPECT_TRUE(props.select_node("a:ln/a:noFill"));
    EXPECT_TRUE(saved->FindXml("ppt/slides/slide1.xml")
                    ->select_node("//p:sp[.//p:cNvPr/@name='Rounded Rectangle 4']/p:spPr/a:gradFill//a:alpha"));
  }

  Object texture = Shape(pres, 1, "Rounded Rectangle 6").Child("Fill");
  texture.Put("TextureTile", kFalse);
  EXPECT_EQ(texture.Get("Type").AsLong(), 6);  // stretched: a picture fill
  texture.Put("Transparency", 0.0f);
  EXPECT_FLOAT_EQ(texture.Get("Transparency").AsSingle(), 0.0f);
}

TEST_F(EngineFillLineTest, PlaceholdersTakeFillAndOutlineFromTheirMaster) {
  // No corpus placeholder inherits a visible fill: the master's slide-number
  // placeholder is given one (and an outline), the slide's own stays empty.
  std::string file =
      EditedDeck(Deck("poi__2411-Performance_Up.pptx"), Folder("tmp") / "inherited.pptx", [](engine::Package& p) {
        EditPart(p, "ppt/slideMasters/slideMaster1.xml", [](pugi::xml_node master) {
          pugi::xml_node props = master.select_node("//p:sp[p:nvSpPr/p:nvPr/p:ph/@type='sldNum']/p:spPr").node();
          ASSERT_TRUE(props);
          pugi::xml_node fill = props.child("a:noFill");
          fill.set_name("a:solidFill");
          fill.append_child("a:schemeClr").append_attribute("val") = "accent2";
          pugi::xml_node lineFill = props.child("a:ln").child("a:noFill");
          lineFill.set_name("a:solidFill");
          lineFill.append_child("a:srgbClr").append_attribute("val") = "FF0000";
        });
      });
  Object pres = OpenFile(file);
  Object shape = Shape(pres, 26, "Slide Number Placeholder 5");
  ASSERT_TRUE(shape);
  Object own = shape.Child("Fill");
  ExpectMembers(own, {{"Visible", kTrue}, {"ForeColor.ObjectThemeColor", 6}});
  EXPECT_EQ(own.Child("ForeColor").Get("RGB").AsLong(),
            pres.Child("Slides").Item(26).Child("ThemeColorScheme").Child("Colors", 6).Get("RGB").AsLong());
  Object line = shape.Child("Line");
  ExpectMembers(line, {{"Visible", kTrue}, {"ForeColor.RGB", Packed(0xFF0000)}, {"Weight", 0.75f}});

  // Hiding the inherited fill hides it on the slide only; showing it brings the master's back.
  own.Put("Visible", kFalse);
  EXPECT_EQ(own.Get("Visible").AsLong(), kFalse);
  own.Put("Visible", kTrue);
  ExpectMembers(own, {{"Visible", kTrue}, {"ForeColor.ObjectThemeColor", 6}});
}

}  // namespace
}  // namespace quillmere::testing
