// Colour groups, lines, borders and shadows against scripted colour and line formats.

#include "shapes/CellBorders.h"
#include "shapes/ColorValues.h"
#include "shapes/LineProperties.h"
#include "shapes/ShadowProperties.h"
#include "tests/shapes/ShapeFakes.h"

namespace quillmere::testing {
namespace {

class ColorAndOutlineTest : public ShapeWriterTest {
 protected:
  // A visible line of the given fore colour on a plain shape.
  pugi::xml_node WriteLine(const FakePtr& foreColor) {
    auto line = Props(Make("LineFormat"), "Visible", -1, "Style", 1, "Transparency", -2.0f, "Weight", 2.25f,
                      "BackColor", Dispatched(Color(0xFFFFFF)), "ForeColor", Dispatched(foreColor), "DashStyle", 1,
                      "BeginArrowheadStyle", 1, "BeginArrowheadLength", 2, "BeginArrowheadWidth", 2,
                      "EndArrowheadStyle", 2, "EndArrowheadLength", 3, "EndArrowheadWidth", 1);
    return WithLine(Props(Shape(1), "Line", Dispatched(line))).last_child();
  }
  // The element LineProperties writes the shape's outline into.
  pugi::xml_node WithLine(const FakePtr& shape) {
    pugi::xml_node parent = doc.append_child("Shape");
    LineProperties(context, Object(shape), parent, Object());
    return parent;
  }
  static std::string Names(pugi::xml_node node) {
    std::string names;
    for (pugi::xml_node child : node.children())
      if (child.type() == pugi::node_element) names += std::string(child.name()) + " ";
    return names;
  }
};

TEST_F(ColorAndOutlineTest, ColourGroupsFollowTheThemeOrTheSchemeOfTheVersion) {
  Use(14);
  // Pure red: an explicit colour, value before scale in a line.
  pugi::xml_node red = WriteLine(Color(255));
  EXPECT_EQ(Names(red),
            "Visible Style Transparency Weight BackcolorType Backcolor ForecolorType Forecolor "
            "ForecolorValue ForecolorDarkLightScale DashStyle EndArrowHeadLength EndArrowHeadStyle "
            "EndArrowHeadWidth ");
  EXPECT_EQ(Texts(red, {"ForecolorType", "Forecolor", "ForecolorValue", "ForecolorDarkLightScale"}, ""), "12552550");
  EXPECT_EQ(Text(red, "Transparency"), "0");  // mixed
  EXPECT_EQ(Text(red, "Weight"), "2.25");

  // Exactly the Accent1 slot, scale before value.
  pugi::xml_node line = WriteLine(Color(0xBD814F, 2, 5));
  EXPECT_EQ(line.child("ForecolorDarkLightScale").next_sibling("ForecolorValue").text().get(), std::string("12419407"));

  // Text1 tinted to 0x404040: base looked up as slot 1 (black), name kept as Text1.
  ColorGroup text = ResolveColor(Object(Color(0x404040, 2, 13)), Object(slide), 14);
  EXPECT_EQ(text.name + " " + text.scale, "Text1 25");
  std::int32_t index = 14;
  EXPECT_EQ(ThemeColorRGB(Object(slide), index), 0xFFFFFF);
  EXPECT_EQ(index, 2);

  // Lightness ratios against a grey base: 1.0, 2.0 and 2.5.
  EXPECT_EQ(EstimateDarkLightScale(0x404040, 0x404040), -25.0f);
  EXPECT_EQ(EstimateDarkLightScale(0x404040, 0x808080), 80.0f);
  EXPECT_EQ(EstimateDarkLightScale(0x404040, 0xA0A0A0), 0.0f);
  EXPECT_EQ(EstimateDarkLightScale(0xFFFFFF, 0xD9D9D9), -15.0f);
  EXPECT_EQ(EstimateDarkLightScale(0xE1ECEE, 0x000001), -90.0f);
  EXPECT_EQ(ThemeColorName(16), "Background2");
  EXPECT_EQ(ThemeColorName(17), "");

  // Before version 12, scheme colours 3 and 4 have no name.
  Use(11);
  EXPECT_EQ(Texts(WriteLine(Color(0x00FF00, 2, 0, 3)), {"ForecolorType", "Forecolor"}), "1 65280");
  EXPECT_EQ(Texts(WriteLine(Color(0x00FF00, 2, 0, 6)), {"ForecolorType", "Forecolor"}), "2 Accent2");
}

TEST_F(ColorAndOutlineTest, LinesBordersAndShadows) {
  Use(14);
  // An invisible outline says so and nothing else.
  pugi::xml_node invisible = WithLine(Shape(1)).child("Line");
  EXPECT_EQ(Names(invisible), "Visible ");
  EXPECT_EQ(Text(invisible, "Visible"), "False");

  // A freeform without a line format is written without an outline, visible or not.
  auto visibleLine = Props(Make("LineFormat"), "Visible", -1);
  EXPECT_EQ(Names(WithLine(Props(Shape(5), "Line", Dispatched(visibleLine))).child("Line")), "Visible ");

  // A cell border: a full Line per side, then its weight, colour and dash style.
  auto cell = Make("Cell");
  std::vector<FakePtr> sides;
  for (int i = 1; i <= 4; ++i)
    sides.push_back(Props(Make("LineFormat"), "Visible", 0, "Weight", static_cast<float>(i), "ForeColor",
                          Dispatched(Color(i)), "DashStyle", 1));
  cell->Prop("Borders", Dispatched(MakeCollection("Borders", version, sides)));
  pugi::xml_node cellElement = doc.append_child("Cell");
  CellBorders(context, Object(cell), cellElement, Object(Shape(1)));
  pugi::xml_node borders = cellElement.child("Borders");
  EXPECT_EQ(Names(borders), "BorderLeft BorderTop BorderRight BorderBottom ");
  EXPECT_EQ(Names(borders.child("BorderLeft")), "Line Weight Forecolor DashStyle ");
  EXPECT_EQ(Text(borders.child("BorderLeft"), "Weight"), "2");  // left is PowerPoint's border 2
  EXPECT_EQ(Text(borders.child("BorderBottom"), "Forecolor"), "3");

  // A 2003 shadow writes the fixed values the version cannot report.
  Use(11);
  auto shadow = Props(Make("ShadowFormat"), "Visible", -1, "ForeColor", Dispatched(Color(0x808080)), "OffsetX", 2.0f,
                      "OffsetY", 3.0f, "Transparency", 0.5f, "Type", 6);
  pugi::xml_node shadowParent = doc.append_child("Shape");
  ShadowProperties(context, Object(Props(Shape(1), "Shadow", Dispatched(shadow))), shadowParent, Object(slide));
  pugi::xml_node written = shadowParent.child("Shadow");
  EXPECT_EQ(Names(written),
            "Visible ForecolorType Forecolor ForecolorDarkLightScale ForecolorValue Blur OffsetX "
            "OffsetY RotateWithShape Size Style Transparency Type ");
  EXPECT_EQ(Texts(written, {"Blur", "RotateWithShape", "Size", "Style", "OffsetX", "OffsetY"}), "0 False 100 2 3 6");
}

}  // namespace
}  // namespace quillmere::testing
