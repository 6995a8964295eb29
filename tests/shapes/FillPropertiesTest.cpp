// Fills of shapes against scripted fill formats of PowerPoint 2003 and 2007.

#include "shapes/FillProperties.h"
#include "shapes/GradientStops.h"
#include "tests/shapes/ShapeFakes.h"

namespace quillmere::testing {
namespace {

class FillPropertiesTest : public ShapeWriterTest {
 protected:
  FakePtr Fill(int type) {
    return Props(Make("FillFormat"), "Visible", -1, "Type", type, "Transparency", 0.25f, "BackColor",
                 Dispatched(Color(0xFFFFFF)), "ForeColor", Dispatched(Color(0x0000FF)));
  }
  pugi::xml_node WriteFill(const FakePtr& fill) {
    pugi::xml_node parent = doc.append_child("Shape");
    FillProperties(context, Object(Props(Shape(1), "Fill", Dispatched(fill))), parent, "Fill", Object());
    return parent.child("Fill");
  }
  FakePtr Stop(float position, std::int32_t rgb, float transparency) {
    return Props(Make("GradientStop"), "Position", position, "Transparency", transparency, "Color",
                 Dispatched(Color(rgb)));
  }
  static std::string StopsText(pugi::xml_node fill) {
    std::string text;
    for (pugi::xml_node stop : fill.child("GradientStops").children("GradientStop"))
      text += Text(stop, "Position") + ":" + Text(stop, "Color") + ":" + Text(stop, "Transparency") + " ";
    return text;
  }
};

TEST_F(FillPropertiesTest, VisibilityColoursAndTransparency) {
  Use(12);
  pugi::xml_node invisible = WriteFill(Props(Fill(1), "Visible", 0));
  EXPECT_EQ(Text(invisible, "Visible"), "False");
  EXPECT_EQ(Text(invisible, "Type"), "<absent>");

  // A caller asking for a hidden fill gets one whatever the fill says.
  pugi::xml_node parent = doc.append_child("Background");
  FillProperties(context, Object(Shape(1)), parent, "BackgroundFill", Object(slide), true);
  EXPECT_EQ(Text(parent.child("BackgroundFill"), "Visible"), "False");
  EXPECT_EQ(Text(parent.child("BackgroundFill"), "Type"), "<absent>");

  pugi::xml_node written = WriteFill(Props(Fill(1), "Transparency", -2.0f));
  EXPECT_EQ(Text(written, "Type"), "1");
  EXPECT_EQ(Text(written, "Transparency"), "0");  // mixed
  EXPECT_EQ(Texts(written, {"BackcolorType", "Backcolor", "BackcolorValue"}), "1 16777215 16777215");
  EXPECT_EQ(Texts(written, {"ForecolorType", "Forecolor"}), "1 255");
  EXPECT_EQ(Text(written, "ForecolorValue"), "<absent>");
  EXPECT_EQ(Text(written, "ForecolorDarkLightScale"), "<absent>");

  pugi::xml_node patterned = WriteFill(Props(Fill(2), "Pattern", 14, "ForeColor", Dispatched(Color(0xBD814F, 2, 5))));
  EXPECT_EQ(Text(patterned, "Pattern"), "14");
  EXPECT_EQ(Texts(patterned, {"Forecolor", "ForecolorDarkLightScale", "ForecolorValue"}), "Accent1 0 12419407");
}

TEST_F(FillPropertiesTest, GradientStopsInPositionOrderOrMadeFromTwoColours) {
  Use(12);
  auto gradient = Props(Fill(3), "GradientColorType", 4, "GradientStyle", 1, "GradientVariant", 1, "PresetGradientType",
                        0, "RotateWithObject", 0, "GradientStops",
                        Dispatched(MakeCollection("GradientStops", version,
                                                  {Stop(1.0f, 3, 0.3f), Stop(0.0f, 1, 0.1f), Stop(0.5f, 2, 0.2f)})));
  pugi::xml_node written = WriteFill(gradient);
  EXPECT_EQ(StopsText(written), "0:1:0.1 0.5:2:0.2 1:3:0.3 ");
  EXPECT_EQ(Text(written, "RotateWithShape"), "False");
  EXPECT_EQ(Text(written, "Transparency"), "0.25");

  SortTable rows{{2, 1}, {1, 2}, {2, 3}, {0, 4}, {1, 5}};
  SortRows(rows, 0);
  // A Shell sort: equal keys are never exchanged with each other, but may pass each other across a gap.
  SortTable sorted{{0, 4}, {1, 5}, {1, 2}, {2, 1}, {2, 3}};
  EXPECT_EQ(rows, sorted);

  Use(11);
  auto preset =
      Props(Fill(3), "GradientColorType", 3, "GradientStyle", 1, "GradientVariant", 1, "PresetGradientType", 2);
  pugi::xml_node presetWritten = WriteFill(preset);
  EXPECT_FALSE(presetWritten.child("GradientStops"));
  EXPECT_EQ(Text(presetWritten, "Transparency"), "0");
  EXPECT_EQ(Text(presetWritten, "RotateWithShape"), "True");

  auto twoColors = Props(Fill(3), "GradientColorType", 2, "GradientStyle", 1, "GradientVariant", 4,
                         "PresetGradientType", 0, "ForeColor", Dispatched(Color(0x0000FF, 2, 0, 5)));
  EXPECT_EQ(StopsText(WriteFill(twoColors)), "0:16777215:0.25 0.5:Accent1:0.25 1:16777215:0.25 ");
}

// Backgrounds are drawn from a temporary slide that shows them: a master's on
// a slide of a temporary layout, everything temporary deleted again.
TEST_F(FillPropertiesTest, BackgroundImagesFromTemporarySlides) {
  Use(14);
  std::vector<std::string> events;
  auto noted = [&events](const std::string& event) {
    return [&events, event](Args) {
      events.push_back(event);
      return Value();
    };
  };
  auto copy =
      Props(Make("Slide"), "Shapes", Dispatched(MakeCollection("Shapes", version, {})), "DisplayMasterShapes", -1);
  copy->On("Delete", noted("delete copy")).On("Export", [&](Args a) {
    events.push_back("export copy " + a[1].AsString());
    return Value();
  });
  auto temporarySlide = Make("Slide");
  temporarySlide->Prop("Duplicate", Dispatched(MakeCollection("SlideRange", version, {copy})))
      .On("Delete", noted("delete slide"));
  auto layout = Make("CustomLayout");
  layout->On("Delete", noted("delete layout"));
  auto slides = Make("Slides");
  slides->Prop("Count", 7).On("AddSlide", [&](Args a) {
    events.push_back("add slide " + std::to_string(a[0].AsLong()));
    return Dispatched(temporarySlide);
  });
  auto presentation = Props(Make("Presentation"), "Slides", Dispatched(slides));
  context.presentation = Object(Dispatched(presentation));
  auto layouts = Make("CustomLayouts");
  layouts->Prop("Count", 3).On("Add", [&](Args a) {
    events.push_back("add layout " + std::to_string(a[0].AsLong()));
    return Dispatched(layout);
  });
  auto master = Props(Make("Master"), "CustomLayouts", Dispatched(layouts));

  auto fill = Fill(6);
  auto background = Props(Make("ShapeRange"), "Fill", Dispatched(fill));
  // The Image of the Background written into a new element of that name for the page.
  auto image = [&](const char* element, const FakePtr& page) {
    pugi::xml_node parent = doc.append_child(element);
    FillProperties(context, Object(background), parent, "Background", Object(page));
    return Text(parent.child("Background"), "Image");
  };
  std::string written = image("Master", master);
  EXPECT_TRUE(written.starts_with("/out/") && written.ends_with(".png")) << written;
  EXPECT_EQ(events, (std::vector<std::string>{"add layout 4", "add slide 8", "export copy PNG", "delete copy",
                                              "delete slide", "delete layout"}));

  // A slide's own background: a duplicate of the slide, bared once more by the export.
  events.clear();
  auto page = Props(Make("Slide"), "Duplicate", Dispatched(MakeCollection("SlideRange", version, {temporarySlide})));
  Props(fill, "Type", 4, "TextureName", "", "TextureType", 1, "TextureTile", -1);
  EXPECT_NE(image("Slide", page), "");
  EXPECT_EQ(events, (std::vector<std::string>{"export copy PNG", "delete copy", "delete slide"}));

  // No temporary slide to be had: the image is empty.
  layouts->Fail("Add", 0x80004005, "Add failed");
  EXPECT_EQ(image("Master", master), "");
}

}  // namespace
}  // namespace quillmere::testing
