// The text and table writers on real shapes read through the engine, and the
// run text escaping the host depends on.

#include "engine/EngineRuntime.h"
#include "shapes/RunText.h"
#include "shapes/ShapeProperties.h"
#include "shapes/SymbolFonts.h"
#include "shapes/TableProperties.h"
#include "shapes/TextProperties.h"
#include "support/platform/Clipboard.h"
#include "tests/shapes/ShapeFakes.h"
#include "tests/helpers/XmlTexts.h"

namespace quillmere::testing {
namespace {

class EngineShapeWritersTest : public FakePowerPointTest {
 protected:
  // The shape of a corpus deck, with the export context of PowerPoint 2010 at scale 1.5 x 2.
  Object ShapeOf(const char* deck, int slide, const char* name, int version = 14) {
    ExportContext& state = StartPowerPoint(version);
    state.scaleX = 1.5f;
    state.scaleY = 2.0f;
    engineApp_ = engine::EngineRuntime(engine::EngineOptions{version}).CreateObject("PowerPoint.Application");
    Object pres =
        engineApp_.Child("Presentations").Call("Open", std::string(QUILLMERE_CORPUS_DIR) + "/" + deck, 0, -1, 0);
    return pres.Child("Slides").Item(slide).Child("Shapes").Item(name);
  }
  pugi::xml_node Frame(const Object& shape) {
    TextFrameProperties(context, shape, doc_.append_child("Shape"));
    return doc_.child("Shape").child("TextFrame");
  }
  Object engineApp_;
  pugi::xml_document doc_;
};

TEST_F(EngineShapeWritersTest, RunTextIsCutAtTheParagraphEndWithBreaksSpacesAndTabsAsReferences) {
  EXPECT_EQ(EscapedRunText("a b"), "a&#160;b");
  EXPECT_EQ(EscapedRunText("one\vtwo\tthree\rnext"), "one&#11;two&#9;three");
  EXPECT_EQ(EscapedRunText("end\r\nmore\rstill"), "end");
}

TEST_F(EngineShapeWritersTest, BodyParagraphsCarryTheirSpacingBulletsAndRuns) {
  // Four paragraphs with spacing in points and a Wingdings star for a bullet;
  // the third is on the second level, whose indents come from the master.
  pugi::xml_node frame = Frame(ShapeOf("poi__pptx2svg.pptx", 1, "Content Placeholder 4"));
  ExpectTexts(frame, {{"MarginLeft", "10.8"} /* 7.2 pt at 1.5 */, {"AutoSize", "2"}});
  std::vector<pugi::xml_node> paragraphs;
  for (pugi::xml_node p : frame.child("TextRange").children("Paragraph")) paragraphs.push_back(p);
  ASSERT_EQ(paragraphs.size(), 4u);
  pugi::xml_node first = paragraphs[0];
  // Spacing within of 20 pt at 2, a hanging indent of -27 pt at 1.5.
  ExpectTexts(first, {{"@Alignment", "4"}, {"@BulletType", "1"}, {"@Character", "10029"}});
  ExpectTexts(first, {{"@BulletUseTextFont", "False"}, {"@LineRuleWithin", "4"}, {"@SpaceWithin", "40"}});
  ExpectTexts(first, {{"@SpaceBefore", "36"}, {"@SpaceAfter", "12"}, {"@BulletIndent", "-40.5"}});
  pugi::xml_node run = first.child("Text");
  EXPECT_EQ(std::string(run.child_value("String")).substr(0, 20), "The&#160;Paragraphs&");
  ExpectTexts(run, {{"@FontSize", "20"}, {"@FontName", "Calibri"}, {"LanguageID", "1033"}});
  // A left indent of 58.5 pt at 1.5.
  ExpectTexts(paragraphs[2], {{"@IndentLevel", "2"}, {"@LeftIndent", "87.75"}, {"@FirstLineIndent", "-33.75"}});
}

TEST_F(EngineShapeWritersTest, PowerPoint2003ReadsTheSameParagraphsAndRunsThroughItsOlderObjects) {
  auto paragraphs = [&](int version) {
    doc_.reset();
    std::vector<std::string> described;
    pugi::xml_node frame = Frame(ShapeOf("poi__pptx2svg.pptx", 1, "Content Placeholder 4", version));
    for (pugi::xml_node p : frame.child("TextRange").children("Paragraph")) {
      std::string line;
      for (const char* a :
           {"Alignment", "BulletType", "Character", "BulletFontName", "BulletFontSize", "LineRuleWithin", "SpaceWithin",
            "SpaceBefore", "IndentLevel", "LeftIndent", "BulletIndent"})
        line += std::string(a) + "=" + p.attribute(a).value() + " ";
      line += "tabs=" + std::to_string(Count(p.child("Tabs"), "Tab"));
      for (pugi::xml_node t : p.children("Text"))
        for (const char* a : {"FontName", "FontSize", "FontBold", "FontItalic", "FontUnderline", "FontColorValue"})
          line += std::string(" ") + a + "=" + t.attribute(a).value();
      described.push_back(line);
    }
    return described;
  };
  std::vector<std::string> modern = paragraphs(14), classic = paragraphs(11);
  ASSERT_EQ(modern.size(), 4u);
  EXPECT_EQ(classic, modern);
  // Only the first line's indent differs: the 2003 ruler tells where the line
  // starts, its successor how far that is from the left indent.
  pugi::xml_node third =
      *std::next(doc_.child("Shape").child("TextFrame").child("TextRange").children("Paragraph").begin(), 2);
  EXPECT_STREQ(third.attribute("FirstLineIndent").value(), "54");  // 58.5 - 22.5 pt at 1.5
  EXPECT_EQ(Log().find("Text Properties:"), std::string::npos) << Log();
}

TEST_F(EngineShapeWritersTest, SymbolCharactersTakeTheirSymbolFontAndOtherTextKeepsItsRuns) {
  // "x=y \uF0DE x+z": the arrow is drawn in the Symbol font its run's a:sym
  // names, while the run's letters are Lucida Sans Unicode. The same text has
  // a curly apostrophe and an en dash, which copy without a symbol font.
  Object shape = ShapeOf("poi__ae.ac.uaeu.faculty_nafaachbili_GeomLec1.pptx", 7, "Content Placeholder 2");
  Object range = shape.Child("TextFrame2").Child("TextRange");
  const std::string text = range.Get("Text").AsString();
  const int runs = range.Child("Runs").Count();
  std::size_t arrow = text.find("\uF0DE");
  ASSERT_NE(arrow, std::string::npos);
  range.Child("Characters", 1, 1).Call("Copy");
  EXPECT_EQ(SymbolFontFromClipboard(), "");

  pugi::xml_node frame = Frame(shape);
  EXPECT_EQ(range.Get("Text").AsString(), text);
  EXPECT_EQ(shape.Child("TextFrame2").Child("TextRange").Child("Runs").Count(), runs + 1);  // "\uF0DE " became two
  std::vector<std::string> fonts;
  for (pugi::xml_node p : frame.child("TextRange").children("Paragraph"))
    for (pugi::xml_node t : p.children("Text"))
      if (std::string(t.child_value("String")).starts_with("\uF0DE") || !fonts.empty())
        fonts.push_back(std::string(t.child_value("String")) + " " + t.attribute("FontName").value());
  ASSERT_GE(fonts.size(), 2u);
  EXPECT_EQ(fonts[0], "\uF0DE Symbol");
  EXPECT_EQ(fonts[1], "&#160; Lucida Sans Unicode");
}

// Copies of a run's characters name its fonts as they are at the time of the
// copy: the engine keeps them per run only until the deck is edited.
TEST_F(EngineShapeWritersTest, CopiedCharactersNameTheRunsFontsAsTheyAreNow) {
  Object range = ShapeOf("poi__ae.ac.uaeu.faculty_nafaachbili_GeomLec1.pptx", 7, "Content Placeholder 2")
                     .Child("TextFrame2")
                     .Child("TextRange");
  auto copied = [&](int position) {
    range.Child("Characters", position, 1).Call("Copy");
    CustomClipboard clipboard;
    EXPECT_TRUE(clipboard.ClipboardOpen());
    return clipboard.GetTextData(clipboard.AddFormat(kRichTextFormat)).value_or("");
  };
  // The first letter stays in its run's element when the run is cut for it.
  const std::string before = copied(1);
  EXPECT_EQ(copied(1), before);
  EXPECT_EQ(before.find("Wingdings"), std::string::npos) << before;
  range.Child("Characters", 1, 1).Child("Font").Put("Name", "Wingdings");
  EXPECT_NE(copied(1).find("Wingdings"), std::string::npos);
  EXPECT_EQ(copied(2).find("Wingdings"), std::string::npos);
}

TEST_F(EngineShapeWritersTest, ConnectorsAreWrittenAsSegmentsAfterTheirFlips) {
  // An elbow connector flipped vertically, 216 x 108 pt (324 x 216 at 1.5 x 2), turning half-way.
  Object elbow = ShapeOf("poi__shapes.pptx", 1, "Elbow Connector 9");
  // A connector is also drawn, for hosts that show it as a picture.
  context.outputFolder = Folder("tmp").string() + "/";
  ShapeProperties(context, elbow, doc_.append_child("Shapes"), false);
  // Shape images are drawn together, at the latest when the application quits.
  engineApp_.Call("Quit");
  EXPECT_TRUE(std::filesystem::exists(doc_.child("Shapes").child("Shape").child_value("Image")));
  EXPECT_EQ(Segments(doc_.child("Shapes").child("Shape")), "-162 108 0 108 | 0 108 0 -108 | 0 -108 162 -108");
}

TEST_F(EngineShapeWritersTest, GradientTextWritesTheStopsOfItsRuns) {
  // The master's title style fills the characters with tx1 at 0 and 86 %.
  pugi::xml_node frame = Frame(ShapeOf("poi__KEY02.pptx", 1, "Title 1"));
  std::vector<std::string> positions;
  for (pugi::xpath_node stop : frame.select_nodes(".//GradientStops/GradientStop"))
    positions.emplace_back(stop.node().child_value("Position"));
  ASSERT_FALSE(positions.empty());
  for (std::size_t i = 0; i < positions.size(); i += 2)
    EXPECT_EQ(std::vector<std::string>(positions.begin() + i, positions.begin() + i + 2),
              (std::vector<std::string>{"0", "0.86"}));
  EXPECT_EQ(Log().find("GradientStops"), std::string::npos) << Log();
}

TEST_F(EngineShapeWritersTest, ShapesWithoutTextWriteOnlyTheirFrame) {
  pugi::xml_node frame = Frame(ShapeOf("poi__pptx2svg.pptx", 1, "Right Arrow 2"));
  EXPECT_EQ(std::string(frame.child_value("VerticalAnchor")), "3");
  EXPECT_FALSE(frame.child("TextRange"));
}

TEST_F(EngineShapeWritersTest, TablesWriteMergedCellsOnceWithTheirSpan) {
  // Six rows of three columns; in rows 3 to 5 the second cell spans the third.
  Object table = ShapeOf("poi__shapes.pptx", 4, "Table 1");
  TableProperties(context, table, doc_.append_child("Shape"));
  pugi::xml_node written = doc_.child("Shape").child("Table");
  ExpectTexts(written, {{"@Columns", "3"}, {"@Rows", "6"}, {"@FirstRow", "True"}});
  ExpectTexts(written, {{"@HorizontalBanding", "True"}, {"@LastCol", "False"}});
  EXPECT_STREQ(written.child("ColGroup").first_child().attribute("Width").value(), "135");  // 90 pt at 1.5
  EXPECT_STREQ(written.child("RowGroup").first_child().attribute("Height").value(), "58.4");
  std::vector<std::vector<std::string>> spans;
  for (pugi::xml_node row : written.children("Row")) {
    auto& cells = spans.emplace_back();
    for (pugi::xml_node cell : row.children("Cell"))
      cells.push_back(cell.attribute("row")
                          ? std::string(cell.attribute("rowspan").value()) + "x" + cell.attribute("colspan").value()
                          : "-");
  }
  ASSERT_EQ(spans.size(), 6u);
  EXPECT_EQ(spans[0], (std::vector<std::string>{"1x1", "1x1", "1x1"}));
  EXPECT_EQ(spans[3], (std::vector<std::string>{"1x1", "1x2", "-"}));
  // The header row's cells fill themselves with a tinted theme colour.
  pugi::xml_node headerFill = written.child("Row").child("Cell").child("Fill");
  ExpectTexts(headerFill, {{"Visible", "True"}, {"ForecolorType", "2"}});
  // Each side of a cell is the table style's 1 pt grid line in the text colour, written without errors.
  pugi::xml_node left = written.child("Row").child("Cell").child("Borders").child("BorderLeft");
  ExpectTexts(left, {{"Line/Visible", "True"}, {"Line/Forecolor", "Dark1"}, {"Weight", "1"}, {"Forecolor", "0"}});
  EXPECT_EQ(Log().find("BorderProperties"), std::string::npos);
  pugi::xml_node fourth = *std::next(written.children("Row").begin(), 3);
  pugi::xml_node text = fourth.child("Cell").next_sibling("Cell").child("TextFrame").child("TextRange");
  EXPECT_EQ(std::string(text.child("Paragraph").child("Text").child_value("String")).substr(0, 9), "B3&#160;a");
}

}  // namespace
}  // namespace quillmere::testing
