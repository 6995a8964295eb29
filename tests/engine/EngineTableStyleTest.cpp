// Table cells on real decks: fills, border lines and text formatting from
// the cell's own properties, else from the parts of the table's style that
// apply to its place (header row, row bands, the whole table), with theme
// references, inside lines and merged regions; and a hidden border that is
// put back exactly.

#include <gtest/gtest.h>

#include <filesystem>

#include "engine/EngineRuntime.h"
#include "engine/package/Package.h"
#include "objectmodel/automation/ComError.h"
#include "objectmodel/automation/Object.h"
#include "tests/helpers/IsolatedUserFolders.h"
#include "tests/helpers/ObjectMembers.h"
#include "tests/helpers/OfficeValues.h"

namespace quillmere::testing {
namespace {

// PpBorderType.
constexpr int kTop = 1, kLeft = 2, kBottom = 3, kRight = 4, kDiagonalDown = 5, kDiagonalUp = 6;

class EngineTableStyleTest : public IsolatedUserFolders {
 protected:
  Object Open(const char* deck) {
    app_ = engine::EngineRuntime(engine::EngineOptions{14}).CreateObject("PowerPoint.Application");
    return app_.Child("Presentations").Call("Open", std::string(QUILLMERE_CORPUS_DIR) + "/" + deck, 0, -1, 0);
  }
  static Object Table(const Object& pres, const char* name) {
    return pres.Child("Slides").Item(1).Child("Shapes").Item(name).Child("Table");
  }
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
  Object app_;
};

TEST_F(EngineTableStyleTest, HeaderAndBandedRowsTakeTheirStylesFill) {
  // Medium Style 2 - Accent 1, header row and row bands on (PowerPoint for Windows).
  Object table = Table(Open("poi__table_test2.pptx"), "Table 3");
  ExpectMembers(Fill(table, 1, 1), {{"Visible", kTrue}, {"ForeColor.ObjectThemeColor", 5}});
  EXPECT_EQ(Rgb(Fill(table, 1, 1)), Packed(0x5B9BD5));
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

  EXPECT_EQ(Border(table, 1, 1, kDiagonalDown).Get("Visible").AsLong(), kFalse);
  EXPECT_EQ(Border(table, 1, 1, kDiagonalUp).Get("Visible").AsLong(), kFalse);
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
