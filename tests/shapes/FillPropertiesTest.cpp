// Fills of shapes against scripted fill formats of PowerPoint 2003 and 2007.

#include "shapes/FillProperties.h"
#include "shapes/GradientStops.h"
#include "tests/shapes/ShapeFakes.h"

namespace quillmere::testing {
namespace {

class FillPropertiesTest : public ShapeWriterTest {
 protected:
  FakePtr Fill(int type) {
    auto fill = Make("FillFormat");
    fill->Prop("Visible", -1)
        .Prop("Type", type)
        .Prop("Transparency", 0.25f)
        .Prop("BackColor", Dispatched(Color(0xFFFFFF)))
        .Prop("ForeColor", Dispatched(Color(0x0000FF)));
    return fill;
  }
  pugi::xml_node WriteFill(const FakePtr& fill) {
    auto shape = Shape(1);
    shape->Prop("Fill", Dispatched(fill));
    pugi::xml_node parent = doc.append_child("Shape");
    FillProperties(context, Object(shape), parent, "Fill", Object());
    return parent.child("Fill");
  }
  FakePtr Stop(float position, std::int32_t rgb, float transparency) {
    auto stop = Make("GradientStop");
    stop->Prop("Position", position).Prop("Transparency", transparency).Prop("Color", Dispatched(Color(rgb)));
    return stop;
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
  auto hidden = Fill(1);
  hidden->Prop("Visible", 0);
  pugi::xml_node invisible = WriteFill(hidden);
  EXPECT_EQ(Text(invisible, "Visible"), "False");
  EXPECT_EQ(Text(invisible, "Type"), "<absent>");

  // A caller asking for a hidden fill gets one whatever the fill says.
  pugi::xml_node parent = doc.append_child("Background");
  FillProperties(context, Object(Shape(1)), parent, "BackgroundFill", Object(slide), true);
  EXPECT_EQ(Text(parent.child("BackgroundFill"), "Visible"), "False");
  EXPECT_EQ(Text(parent.child("BackgroundFill"), "Type"), "<absent>");

  auto solid = Fill(1);
  solid->Prop("Transparency", -2.0f);
  pugi::xml_node written = WriteFill(solid);
  EXPECT_EQ(Text(written, "Type"), "1");
  EXPECT_EQ(Text(written, "Transparency"), "0");  // mixed
  EXPECT_EQ(Text(written, "BackcolorType") + " " + Text(written, "Backcolor") + " " + Text(written, "BackcolorValue"),
            "1 16777215 16777215");
  EXPECT_EQ(Text(written, "ForecolorType") + " " + Text(written, "Forecolor"), "1 255");
  EXPECT_EQ(Text(written, "ForecolorValue"), "<absent>");
  EXPECT_EQ(Text(written, "ForecolorDarkLightScale"), "<absent>");

  auto pattern = Fill(2);
  pattern->Prop("Pattern", 14).Prop("ForeColor", Dispatched(Color(0xBD814F, 2, 5)));
  pugi::xml_node patterned = WriteFill(pattern);
  EXPECT_EQ(Text(patterned, "Pattern"), "14");
  EXPECT_EQ(Text(patterned, "Forecolor") + " " + Text(patterned, "ForecolorDarkLightScale") + " " +
                Text(patterned, "ForecolorValue"),
            "Accent1 0 12419407");
}

TEST_F(FillPropertiesTest, GradientStopsInPositionOrderOrMadeFromTwoColours) {
  Use(12);
  auto gradient = Fill(3);
  gradient->Prop("GradientColorType", 4)
      .Prop("GradientStyle", 1)
      .Prop("GradientVariant", 1)
      .Prop("PresetGradientType", 0)
      .Prop("RotateWithObject", 0)
      .Prop("GradientStops",
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
  auto preset = Fill(3);
  preset->Prop("GradientColorType", 3)
      .Prop("GradientStyle", 1)
      .Prop("GradientVariant", 1)
      .Prop("PresetGradientType", 2);
  pugi::xml_node presetWritten = WriteFill(preset);
  EXPECT_FALSE(presetWritten.child("GradientStops"));
  EXPECT_EQ(Text(presetWritten, "Transparency"), "0");
  EXPECT_EQ(Text(presetWritten, "RotateWithShape"), "True");

  auto twoColors = Fill(3);
  twoColors->Prop("GradientColorType", 2)
      .Prop("GradientStyle", 1)
      .Prop("GradientVariant", 4)
      .Prop("PresetGradientType", 0)
      .Prop("ForeColor", Dispatched(Color(0x0000FF, 2, 0, 5)));
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
  auto copy = Make("Slide");
  copy->Prop("Shapes", Dispatched(MakeCollection("Shapes", version, {})))
      .Prop("DisplayMasterShapes", -1)
      .On("Export",
          [&](Args a) {
            events.push_back("export copy " + a[1].AsString());
            return Value();
          })
      .On("Delete", noted("delete copy"));
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
  auto presentation = Make("Presentation");
  presentation->Prop("Slides", Dispatched(slides));
  context.presentation = Object(Dispatched(presentation));
  auto layouts = Make("CustomLayouts");
  layouts->Prop("Count", 3).On("Add", [&](Args a) {
    events.push_back("add layout " + std::to_string(a[0].AsLong()));
    return Dispatched(layout);
  });
  auto master = Make("Master");
  master->Prop("CustomLayouts", Dispatched(layouts));

  auto background = Make("ShapeRange");
  auto fill = Fill(6);
  background->Prop("Fill", Dispatched(fill));
  pugi::xml_node parent = doc.append_child("Master");
  FillProperties(context, Object(background), parent, "Background", Object(master));
  std::string image = Text(parent.child("Background"), "Image");
  EXPECT_TRUE(image.starts_with("/out/") && image.ends_with(".png")) << image;
  EXPECT_EQ(events, (std::vector<std::string>{"add layout 4", "add slide 8", "export copy PNG", "delete copy",
                                              "delete slide", "delete layout"}));

  // A slide's own background: a duplicate of the slide, bared once more by the export.
  events.clear();
  auto page = Make("Slide");
  page->Prop("Duplicate", Dispatched(MakeCollection("SlideRange", version, {temporarySlide})));
  pugi::xml_node slideParent = doc.append_child("Slide");
  fill->Prop("Type", 4).Prop("TextureName", "").Prop("TextureType", 1).Prop("TextureTile", -1);
  FillProperties(context, Object(background), slideParent, "Background", Object(page));
  EXPECT_NE(Text(slideParent.child("Background"), "Image"), "");
  EXPECT_EQ(events, (std::vector<std::string>{"export copy PNG", "delete copy", "delete slide"}));

  // No temporary slide to be had: the image is empty.
  layouts->Fail("Add", 0x80004005, "Add failed");
  pugi::xml_node failed = doc.append_child("Master");
  FillProperties(context, Object(background), failed, "Background", Object(master));
  EXPECT_EQ(Text(failed.child("Background"), "Image"), "");
}

}  // namespace
}  // namespace quillmere::testing
