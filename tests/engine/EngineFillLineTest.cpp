// Shape.Fill, Shape.Line and table cells on real decks: fills and outlines
// from the shape, else its theme style (PowerPoint's default outline is
// accent1 4F81BD shaded to 4A7EBB), else a table style's parts that apply to
// the cell; colours resolved through the colour map, luminance, tint and shade
// as PowerPoint shows them; and hiding that showing again undoes exactly.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "engine/EngineRuntime.h"
#include "engine/model/format/ColorResolution.h"
#include "engine/model/format/PartColors.h"
#include "engine/model/format/ThemeStyles.h"
#include "engine/objects/format/ColorFormatObjects.h"
#include "engine/package/Package.h"
#include "objectmodel/automation/ComError.h"
#include "objectmodel/automation/Object.h"
#include "tests/engine/EditedDecks.h"
#include "tests/engine/EngineDeckTest.h"
#include "tests/helpers/ObjectMembers.h"
#include "tests/helpers/OfficeValues.h"

namespace quillmere::testing {
namespace {

class EngineFillLineTest : public EngineDeckTest {
 protected:
  static Object Shape(const Object& pres, int slide, const std::string& name) {
    Object shapes = Shapes(pres, slide);
    for (int i = 1; i <= shapes.Count(); ++i)
      if (shapes.Item(i).Get("Name").AsString() == name) return shapes.Item(i);
    return {};
  }
};

TEST_F(EngineFillLineTest, FillsOfEveryKindAnswerFromTheirElements) {
  Object pres = Open("pptx__dml-fill.pptx");

  // No fill of its own: the style's fillRef idx 3, the theme's two-stop gradient of accent1.
  Object styled = Shape(pres, 1, "Rounded Rectangle 4").Child("Fill");
  ExpectMembers(styled, {{"Visible", kTrue}, {"Type", 3}, {"GradientColorType", 2}, {"GradientStops.Count", 2}});
  ExpectMembers(styled, {{"ForeColor.Type", 2}, {"ForeColor.ObjectThemeColor", 5}, {"BackColor.ObjectThemeColor", 5}});
  ExpectMembers(styled, {{"GradientAngle", 270.0f}});

  EXPECT_EQ(Shape(pres, 1, "Rounded Rectangle 8").Child("Fill").Get("Visible").AsLong(), kFalse);  // a:noFill

  Object solid = Shape(pres, 1, "Rounded Rectangle 5").Child("Fill");
  ExpectMembers(solid,
                {{"Type", 1}, {"ForeColor.RGB", Packed(0x2CB731)}, {"ForeColor.Type", 1}, {"Transparency", 0.0f}});

  // A tiled picture at 47% opacity is a texture.
  Object texture = Shape(pres, 1, "Rounded Rectangle 6").Child("Fill");
  ExpectMembers(texture, {{"Type", 4}, {"TextureTile", kTrue}, {"TextureHorizontalScale", 1.0f}});
  EXPECT_NEAR(texture.Get("Transparency").AsSingle(), 0.53f, 1e-6f);

  // Three stops, the last accent1 "lighter 40%".
  Object gradient = Shape(pres, 1, "Rounded Rectangle 7").Child("Fill");
  Object stops = gradient.Child("GradientStops");
  ASSERT_EQ(stops.Count(), 3);
  ExpectMembers(gradient, {{"GradientColorType", 4}, {"BackColor.RGB", Packed(0x95B3D7)}});
  ExpectMembers(stops.Item(1), {{"Position", 0.2f}});
  ExpectMembers(stops.Item(3), {{"Position", 0.8f}, {"Color.RGB", Packed(0x95B3D7)}});
  EXPECT_THROW(stops.Item(4), ComError);

  // Pattern 46: divot; its background the prstClr white.
  ExpectMembers(
      Shape(pres, 1, "Rounded Rectangle 9").Child("Fill"),
      {{"Type", 2}, {"Pattern", 46}, {"ForeColor.RGB", Packed(0x2CB731)}, {"BackColor.RGB", Packed(0xFFFFFF)}});
}

TEST_F(EngineFillLineTest, OutlinesTakeEachPropertyFromTheNearestLevel) {
  Object pres = Open("pptx__dml-line.pptx");
  Object styled = Shape(pres, 1, "Rounded Rectangle 1").Child("Line");
  ExpectMembers(styled, {{"Visible", kTrue}, {"Weight", 0.75f}, {"ForeColor.RGB", Packed(0x4A7EBB)}});
  ExpectMembers(styled, {{"ForeColor.ObjectThemeColor", 5}, {"DashStyle", 1}, {"BeginArrowheadStyle", 1}});
  ExpectMembers(styled, {{"EndArrowheadLength", 2}});

  EXPECT_EQ(Shape(pres, 1, "Rounded Rectangle 2").Child("Line").Get("Visible").AsLong(), kFalse);
  // Its own width and colour; the style still gives what it leaves out.
  Object red = Shape(pres, 1, "Rounded Rectangle 3").Child("Line");
  ExpectMembers(red, {{"Weight", 1.5f}, {"ForeColor.RGB", Packed(0xFF0000)}, {"ForeColor.Type", 1}});

  ExpectMembers(Shape(pres, 2, "Rounded Rectangle 2").Child("Line"), {{"Style", 4} /* thickThin */, {"Weight", 4.5f}});
  EXPECT_EQ(Shape(pres, 2, "Rounded Rectangle 3").Child("Line").Child("ForeColor").Get("ObjectThemeColor").AsLong(), 8);
}

TEST_F(EngineFillLineTest, HidingAndShowingPutsBackWhatWasThere) {
  Object pres = Open("pptx__dml-fill.pptx");
  // A fill of its own, and one the style gives.
  for (const char* name : {"Rounded Rectangle 7", "Rounded Rectangle 4"}) {
    SCOPED_TRACE(name);
    Object fill = Shape(pres, 1, name).Child("Fill"), line = Shape(pres, 1, name).Child("Line");
    int type = fill.Get("Type").AsLong(), back = fill.Child("BackColor").Get("RGB").AsLong();
    fill.Put("Visible", kFalse);
    ExpectMembers(fill, {{"Visible", kFalse}});
    fill.Put("Visible", kFalse);  // twice: the first hiding is what comes back
    fill.Put("Visible", kTrue);
    ExpectMembers(fill, {{"Type", type}, {"BackColor.RGB", back}});

    int color = line.Child("ForeColor").Get("RGB").AsLong();
    line.Put("Visible", kFalse);
    ExpectMembers(line, {{"Visible", kFalse}});
    line.Put("Visible", kTrue);
    ExpectMembers(line, {{"Visible", kTrue}, {"ForeColor.RGB", color}});
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
  ExpectMembers(own,
                {{"Visible", kTrue},
                 {"ForeColor.ObjectThemeColor", 6},
                 {"ForeColor.RGB",
                  pres.Child("Slides").Item(26).Child("ThemeColorScheme").Child("Colors", 6).Get("RGB").AsLong()}});
  ExpectMembers(shape.Child("Line"), {{"Visible", kTrue}, {"ForeColor.RGB", Packed(0xFF0000)}, {"Weight", 0.75f}});

  // Hiding the inherited fill hides it on the slide only; showing it brings the master's back.
  own.Put("Visible", kFalse);
  EXPECT_EQ(own.Get("Visible").AsLong(), kFalse);
  own.Put("Visible", kTrue);
  ExpectMembers(own, {{"Visible", kTrue}, {"ForeColor.ObjectThemeColor", 6}});
}

using engine::ColorContext;
using engine::PresentationDocument;
using engine::ResolveColor;

std::shared_ptr<PresentationDocument> OpenDoc(const char* deck) {
  return std::make_shared<PresentationDocument>(engine::Package::Open(Deck(deck)));
}

pugi::xml_node Select(PresentationDocument& doc, const std::string& part, const char* xpath) {
  return doc.PartRoot(part).select_node(xpath).node();
}

// LibreOffice rounds to 8 bits between transforms, a few steps off after a strong satMod.
void ExpectNear(std::uint32_t packed, std::uint32_t hex, const char* what, int steps = 1) {
  auto p = static_cast<std::uint32_t>(Packed(hex));
  for (int shift : {0, 8, 16})
    EXPECT_LE(std::abs(static_cast<int>((packed >> shift) & 0xFF) - static_cast<int>((p >> shift) & 0xFF)), steps)
        << what << std::hex << " got " << packed << " want " << p;
}

TEST(EngineColorTest, ResolvesThemeColoursWithTheirTransforms) {
  auto doc = OpenDoc("pptx__dml-fill.pptx");
  const std::string slide = "ppt/slides/slide1.xml";
  ColorContext ctx = engine::ColorContextOf(*doc, slide);
  auto stop = [&](int i) {
    std::string xpath = "//p:sp[.//p:cNvPr/@name='Rounded Rectangle 7']//a:gs[" + std::to_string(i) + "]/*";
    return ResolveColor(Select(*doc, slide, xpath.c_str()), ctx);
  };
  // Accent1 4F81BD's shade as PowerPoint's palette has it ("lighter 40%", stop 3, is ColorFormat's test below).
  ExpectNear(stop(2).rgb, 0x3C7AC7, "shade 93% satMod 130%");  // as LibreOffice shows the stop

  // The style matrix's third fill for fillRef idx 3: phClr is the reference's accent1.
  pugi::xml_node theme = engine::ThemeRootOf(*doc, slide);
  ctx.placeholderColor = Select(*doc, slide, "//p:sp[.//p:cNvPr/@name='Rounded Rectangle 4']/p:style/a:fillRef/*");
  pugi::xml_node gradient = theme.select_node("//a:fillStyleLst/a:gradFill[2]").node();
  engine::ResolvedColor first = ResolveColor(gradient.select_node("a:gsLst/a:gs[1]/*").node(), ctx);
  EXPECT_EQ(first.themeColor, 5);
  ExpectNear(first.rgb, 0x3E7FCC, "phClr satMod 130%", 3);
  ExpectNear(ResolveColor(gradient.select_node("a:gsLst/a:gs[2]/*").node(), ctx).rgb, 0xA4C1FF,
             "phClr tint 50% satMod 350%", 3);

  // Colour forms other than theme colours.
  pugi::xml_document snippets;
  snippets.load_string(
      "<r xmlns:a='a'>"
      "<a:srgbClr val='FF99FF'><a:shade val='25000'/></a:srgbClr>"  // PowerPoint shows 895089
      "<a:srgbClr val='4F81BD'><a:lumMod val='75000'/><a:alpha val='40000'/></a:srgbClr>"
      "<a:prstClr val='dkSlateBlue'/>"
      "<a:sysClr val='windowText' lastClr='1F1F1F'/>"
      "<a:hslClr hue='14400000' sat='100%' lum='50%'/>"
      "<a:scrgbClr r='100000' g='5000' b='0'/>"
      "<a:schemeClr val='phClr'/>"
      "</r>");
  ColorContext none;
  std::vector<engine::ResolvedColor> c;
  for (pugi::xml_node n : snippets.first_child().children()) c.push_back(ResolveColor(n, none));
  // Hue 240° is blue; linear 5% green is sRGB 63.
  const std::uint32_t hexes[] = {0x895089, 0x376092, 0x483D8B, 0x1F1F1F, 0x0000FF, 0xFF3F00};
  for (std::size_t i = 0; i < std::size(hexes); ++i)
    EXPECT_EQ(c[i].rgb, static_cast<std::uint32_t>(Packed(hexes[i]))) << i;
  EXPECT_NEAR(c[0].tintAndShade, -0.75, 1e-9);
  EXPECT_NEAR(c[1].alpha, 0.4, 1e-9);
  EXPECT_EQ(c[5].themeColor, 0);
  EXPECT_FALSE(c[6].present);  // phClr outside a style reference
}

TEST(EngineColorTest, SchemeColoursFollowTheColourMapOfTheirMaster) {
  // Slide 10 follows a master mapping bg2 to dk2 (7DAFC3); slide 7's master maps it to lt2.
  auto doc = OpenDoc("poi__themes.pptx");
  const std::string dark = "ppt/slides/slide10.xml";
  ColorContext ctx = engine::ColorContextOf(*doc, dark);
  engine::ResolvedColor tinted = ResolveColor(Select(*doc, dark, "//p:bg//a:gs[1]/*"), ctx);
  engine::ResolvedColor darker = ResolveColor(Select(*doc, dark, "//p:bg//a:gs[2]/*"), ctx);
  EXPECT_EQ(tinted.themeColor, 16);                  // Background2, as written, not the slot it maps to
  ExpectNear(tinted.rgb, 0xA2C2D0, "bg2 tint 80%");  // LibreOffice's background gradient
  ExpectNear(darker.rgb, 0x5193AE, "bg2 lumMod 80%");
  EXPECT_NEAR(tinted.tintAndShade, 0.2, 1e-9);
  EXPECT_NEAR(darker.brightness, -0.2, 1e-9);

  const std::string light = "ppt/slides/slide7.xml";
  engine::ResolvedColor plain =
      ResolveColor(Select(*doc, light, "//a:solidFill[a:schemeClr/@val='bg2']/*"), engine::ColorContextOf(*doc, light));
  EXPECT_NE(plain.rgb, tinted.rgb);
  for (auto [theme, legacy] : {std::pair{16, 3}, std::pair{13, 2}, std::pair{9, 0}})
    EXPECT_EQ(engine::LegacySchemeIndexOf(theme), legacy) << theme;
}

TEST(EngineColorTest, ColorFormatReadsTheElementAgainAfterEachEdit) {
  auto session = std::make_shared<engine::EngineSession>(engine::EngineOptions{14});
  auto doc = OpenDoc("pptx__dml-fill.pptx");
  const std::string slide = "ppt/slides/slide1.xml";
  pugi::xml_node holder = Select(*doc, slide, "//p:sp[.//p:cNvPr/@name='Rounded Rectangle 7']//a:gs[3]");
  int edits = 0;
  engine::ColorBinding binding{
      .locate =
          [holder] {
            return engine::ColorSource{.color = engine::ColorChildOf(holder), .placeholderColor = {}, .fallbackRgb = 0};
          },
      .edit = [holder, &edits](const std::function<void(pugi::xml_node)>& f) { f(holder), ++edits; }};
  Object color(std::make_shared<engine::ColorFormatObject>(session, doc, slide, binding));
  ExpectMembers(color, {{"RGB", Packed(0x95B3D7)}, {"Type", 2}, {"ObjectThemeColor", 5}, {"SchemeColor", 5}});
  EXPECT_NEAR(color.Get("Brightness").AsSingle(), 0.4f, 1e-6f);

  color.Put("RGB", Packed(0x2CB731));
  EXPECT_EQ(edits, 1);
  ExpectMembers(color, {{"Type", 1}, {"ObjectThemeColor", 0}});
  EXPECT_STREQ(holder.first_child().name(), "a:srgbClr");
  EXPECT_STREQ(holder.first_child().attribute("val").value(), "2CB731");
  EXPECT_EQ(holder.select_nodes("*").size(), 1u);

  color.Put("ObjectThemeColor", 6);  // accent2
  ExpectMembers(color, {{"RGB", Packed(0xC0504D)}, {"Type", 2}});
  EXPECT_THROW(color.Put("ObjectThemeColor", 17), ComError);

  // Without a colour element the owner's default shows, as an RGB colour.
  engine::ColorBinding empty{
      .locate = [] { return engine::ColorSource{.color = {}, .placeholderColor = {}, .fallbackRgb = 0xFFFFFF}; },
      .edit = {}};
  Object absent(std::make_shared<engine::ColorFormatObject>(session, doc, slide, empty));
  ExpectMembers(absent, {{"RGB", 0xFFFFFF}, {"Type", 1}});
  EXPECT_THROW(absent.Put("RGB", 0), ComError);
}

// PpBorderType.
constexpr int kTop = 1, kLeft = 2, kBottom = 3, kRight = 4, kDiagonalDown = 5, kDiagonalUp = 6;

class EngineTableStyleTest : public EngineDeckTest {
 protected:
  static Object Table(const Object& pres, const char* name) { return Shapes(pres, 1).Item(name).Child("Table"); }
  static Object Fill(const Object& table, int row, int column) {
    return Object(table.Call("Cell", row, column)).Child("Shape").Child("Fill");
  }
  static Object Border(const Object& table, int row, int column, int side) {
    return Object(table.Call("Cell", row, column)).Child("Borders").Item(side);
  }
  static Object Font(const Object& table, int row, int column) {
    Object text = Object(table.Call("Cell", row, column)).Child("Shape").Child("TextFrame2").Child("TextRange");
    return text.Child("Runs", 1).Child("Font");
  }
  static int Rgb(const Object& format) { return format.Child("ForeColor").Get("RGB").AsLong(); }
};

TEST_F(EngineTableStyleTest, HeaderAndBandedRowsTakeTheirStylesFill) {
  // Medium Style 2 - Accent 1, header row and row bands on (PowerPoint for Windows).
  Object table = Table(Open("poi__table_test2.pptx"), "Table 3");
  ExpectMembers(Fill(table, 1, 1),
                {{"Visible", kTrue}, {"ForeColor.ObjectThemeColor", 5}, {"ForeColor.RGB", Packed(0x5B9BD5)}});
  EXPECT_EQ(Rgb(Fill(table, 2, 1)), Packed(0xD2DEEF));  // first band: accent1 tinted 40%
  EXPECT_EQ(Rgb(Fill(table, 3, 1)), Packed(0xEAEFF7));  // the second band sets none: the whole table's 20%

  // Medium Style 4, on dark 1 (PowerPoint for Mac).
  Object mac = Table(Open("pptx__tbl-cell.pptx"), "Table 1");
  EXPECT_EQ(Rgb(Fill(mac, 1, 2)), Packed(0xE7E7E7));
  ExpectMembers(Fill(mac, 2, 2), {{"ForeColor.RGB", Packed(0xCBCBCB)}, {"ForeColor.ObjectThemeColor", 1}});
}

TEST_F(EngineTableStyleTest, BordersComeFromTheCellElseFromTheEdgesOfTheStyleParts) {
  Object table = Table(Open("poi__table_test2.pptx"), "Table 3");
  // The header row's bottom edge is 3 pt; its other sides are the whole table's 1 pt white lines.
  Object bottom = Border(table, 1, 1, kBottom);
  ExpectMembers(bottom, {{"Visible", kTrue}, {"Weight", 3.0f}, {"ForeColor.RGB", Packed(0xFFFFFF)}});
  ExpectMembers(bottom, {{"ForeColor.ObjectThemeColor", 2}});
  EXPECT_FLOAT_EQ(Border(table, 1, 1, kTop).Get("Weight").AsSingle(), 1.0f);
  EXPECT_FLOAT_EQ(Border(table, 2, 1, kTop).Get("Weight").AsSingle(), 1.0f);  // inside the table

  // A region merged across columns 2 and 3 has its own 6 pt right side in accent 2 at 75%.
  ExpectMembers(Border(table, 2, 2, kRight), {{"Weight", 6.0f}, {"ForeColor.RGB", Packed(0xC55A11)}, {"DashStyle", 1}});
  EXPECT_FLOAT_EQ(Border(table, 2, 2, kLeft).Get("Weight").AsSingle(), 1.0f);
  // A region down rows 3 to 5: its own 3 pt top, the style's inside line below it.
  EXPECT_FLOAT_EQ(Border(table, 3, 4, kTop).Get("Weight").AsSingle(), 3.0f);
  EXPECT_FLOAT_EQ(Border(table, 3, 4, kBottom).Get("Weight").AsSingle(), 1.0f);

  for (int side : {kDiagonalDown, kDiagonalUp}) ExpectMembers(Border(table, 1, 1, side), {{"Visible", kFalse}});
  EXPECT_THROW(Border(table, 1, 1, 7), ComError);
}

TEST_F(EngineTableStyleTest, StylesReferToTheThemeAndDrawInsideLinesApart) {
  // Light Style 2 - Accent 1: a header filled through fillRef, outer lines
  // through lnRef, no line between rows, and a band with its own top and bottom.
  Object table = Table(Open("poi__table-with-theme.pptx"), "Table 4");
  ExpectMembers(Fill(table, 1, 1), {{"ForeColor.RGB", Packed(0x4472C4)}, {"ForeColor.ObjectThemeColor", 5}});
  ExpectMembers(Border(table, 1, 1, kLeft), {{"Weight", 0.5f}, {"ForeColor.RGB", Packed(0x4472C4)}});
  ExpectMembers(Border(table, 1, 1, kBottom), {{"Visible", kFalse}});
  ExpectMembers(Fill(table, 2, 1), {{"Visible", kFalse}});
  ExpectMembers(Border(table, 2, 1, kTop), {{"Visible", kTrue}});

  // No Style, Table Grid: text-colour lines, through the colour map to dark 1.
  Object grid = Open("poi__shapes.pptx").Child("Slides").Item(4).Child("Shapes").Item("Table 1").Child("Table");
  ExpectMembers(Border(grid, 2, 2, kLeft), {{"ForeColor.ObjectThemeColor", 13}, {"ForeColor.RGB", 0x000000}});
}

TEST_F(EngineTableStyleTest, CellsOfADeckWithoutStylesAnswerTheirOwnLines) {
  // LibreOffice writes every side of every cell, and no table styles.
  Object table = Table(Open("poi__bug60993.pptx"), "Table 1");
  EXPECT_NEAR(Border(table, 1, 1, kBottom).Get("Weight").AsSingle(), 1.474016f, 1e-5f);
  EXPECT_NEAR(Border(table, 1, 1, kLeft).Get("Weight").AsSingle(), 0.4535433f, 1e-5f);
  EXPECT_NEAR(Border(table, 2, 1, kTop).Get("Weight").AsSingle(), 1.474016f, 1e-5f);
  ExpectMembers(Border(table, 2, 1, kTop), {{"ForeColor.RGB", Packed(0xFFFFFF)}, {"ForeColor.Type", 1}});
  ExpectMembers(Border(table, 2, 1, kDiagonalUp), {{"Visible", kFalse}});
  EXPECT_EQ(Rgb(Fill(table, 2, 1)), Packed(0xD2DEEF));
}

TEST_F(EngineTableStyleTest, CellTextTakesTheStylesBoldAndColourBelowItsOwn) {
  Object table = Table(Open("poi__table_test2.pptx"), "Table 3");
  ExpectMembers(Font(table, 1, 1),
                {{"Bold", kTrue}, {"Fill.ForeColor.ObjectThemeColor", 2}, {"Fill.ForeColor.RGB", Packed(0xFFFFFF)}});
  // The theme's minor font.
  ExpectMembers(Font(table, 2, 1), {{"Bold", kFalse}, {"Fill.ForeColor.ObjectThemeColor", 1}, {"Name", "Calibri"}});

  // The header's background colour reaches white through the colour map; the body's is the text colour.
  Object themed = Table(Open("poi__table-with-theme.pptx"), "Table 4");
  ExpectMembers(Font(themed, 1, 1),
                {{"Bold", kTrue}, {"Fill.ForeColor.ObjectThemeColor", 14}, {"Fill.ForeColor.RGB", Packed(0xFFFFFF)}});
  ExpectMembers(Font(themed, 2, 1), {{"Fill.ForeColor.ObjectThemeColor", 13}});
}

TEST_F(EngineTableStyleTest, HidingABorderWritesTheCellsOwnLineAndShowingTakesItBack) {
  Object pres = Open("poi__table_test2.pptx");
  Object table = Table(pres, "Table 3");
  // The header's last cell fills itself; its top line is the style's.
  Object top = Border(table, 1, 6, kTop);
  top.Put("Visible", kFalse);
  ExpectMembers(top, {{"Visible", kFalse}});
  ExpectMembers(Border(table, 1, 6, kLeft), {{"Visible", kTrue}});
  std::filesystem::path copy = std::filesystem::temp_directory_path() / "hidden-border.pptx";
  pres.Call("SaveCopyAs", copy.string());
  {
    std::unique_ptr<engine::Package> saved = engine::Package::Open(copy);
    pugi::xml_node cell = saved->FindXml("ppt/slides/slide1.xml")->select_node("(//a:tr)[1]/a:tc[6]/a:tcPr").node();
    // Lines come before the fill in a:tcPr.
    EXPECT_STREQ(cell.first_child().name(), "a:lnT");
    EXPECT_TRUE(cell.first_child().child("a:noFill"));
    EXPECT_STREQ(cell.first_child().next_sibling().name(), "a:solidFill");
  }
  top.Put("Visible", kTrue);
  ExpectMembers(top, {{"Visible", kTrue}, {"Weight", 1.0f}});
  EXPECT_EQ(Rgb(Fill(table, 1, 6)), Packed(0x5B9BD5));
}

}  // namespace
}  // namespace quillmere::testing
