// The Design element against scripted PowerPoints: themes and custom layouts
// from 2007 on, legacy colour schemes, fonts and used layouts on temporary
// slides before, and what a busy or failing PowerPoint costs.

#include <gtest/gtest.h>

#include "slides/DesignProperties.h"
#include "slides/LayoutNames.h"
#include "slides/ThemeTables.h"
#include "tests/fakes/FakePowerPointTest.h"
#include "tests/fakes/FakeProps.h"
#include "tests/helpers/TextPieces.h"
#include "tests/helpers/XmlTexts.h"

namespace quillmere::testing {
namespace {

class DesignPropertiesTest : public FakePowerPointTest {
 protected:
  void Use(int major) {
    StartPowerPoint(major);
    master = Props(WithoutAnimationsOrLinks(Make("Master")), "Background", Dispatched(Background()), "Shapes",
                   Dispatched(MakeCollection("Shapes", version, {})));
    auto theme = Props(Make("OfficeTheme"), "ThemeColorScheme", Dispatched(Scheme(kOfficeColors)), "ThemeFontScheme",
                       Dispatched(Fonts("Calibri", "Calibri")));
    master->Prop("BackgroundStyle", 3, 12).Prop("Theme", Dispatched(theme), 12);
    design = Props(Make("Design"), "Index", 2, "Name", "Office Theme", "SlideMaster", Dispatched(master),
                   "HasTitleMaster", 0);
    slides = Props(Make("Slides"), "Count", 5);
    presentation = Props(Make("Presentation"), "Slides", Dispatched(slides));
  }

  FakePtr Background() {
    return Props(Make("ShapeRange"), "Fill", Dispatched(Props(Make("FillFormat"), "Visible", 0)));
  }
  FakePtr Fonts(const char* major, const char* minor) {
    auto font = [this](const char* name) {
      auto fonts = Props(Make("ThemeFonts"), "", Value());
      auto latin = Props(Make("ThemeFont"), "Name", name);
      fonts->On("Item", [this, latin, name](Args a) {
        if (a[0].AsLong() == 1) return Dispatched(latin);
        // East Asian and complex scripts
        return Dispatched(Props(Make("ThemeFont"), "Name", std::string("other ") + name));
      });
      return fonts;
    };
    auto scheme = Make("ThemeFontScheme");
    auto majorFonts = font(major), minorFonts = font(minor);
    // MajorFont(1) is the collection's default member.
    scheme->On("MajorFont", [majorFonts](Args a) { return majorFonts->Invoke(InvokeKind::Get, "Item", a); });
    scheme->On("MinorFont", [minorFonts](Args a) { return minorFonts->Invoke(InvokeKind::Get, "Item", a); });
    return scheme;
  }
  FakePtr Layout(const char* name, int followMaster) {
    return Props(WithoutAnimationsOrLinks(Make("CustomLayout")), "Name", name, "FollowMasterBackground", followMaster,
                 "DisplayMasterShapes", followMaster, "Background", Dispatched(Background()), "Shapes",
                 Dispatched(MakeCollection("Shapes", version, {})));
  }
  // A slide the writer makes and must delete again; it shows background style 9.
  FakePtr TemporarySlide() {
    auto slide = Props(Make("Slide"), "BackgroundStyle", 9, "Shapes", Dispatched(MakeCollection("Shapes", version, {})),
                       "Design", Value());
    slide->On("Delete", [this](Args) {
      ++deleted;
      return Value();
    });
    temporary.push_back(slide);
    return slide;
  }

  std::string Write(const UsedLayouts& used = {}) {
    pugi::xml_document doc;
    pugi::xml_node designs = doc.append_child("Designs");
    DesignProperties(context, Object(design), designs, Object(presentation), used);
    return RawXml(doc);
  }

  FakePtr master, design, slides, presentation;
  std::vector<FakePtr> temporary;
  int deleted = 0;
};

constexpr const char* kOfficeScheme =
    "<ColorScheme>                <Name>Office</Name>\r\n"
    "                <Accent1>12419407</Accent1>\r\n                <Accent2>5066944</Accent2>\r\n"
    "                <Accent3>5880731</Accent3>\r\n                <Accent4>10642560</Accent4>\r\n"
    "                <Accent5>13020235</Accent5>\r\n                <Accent6>4626167</Accent6>\r\n"
    "                <Dark1>0</Dark1>\r\n                <Dark2>8210719</Dark2>\r\n"
    "                <FollowedHyperlink>8388736</FollowedHyperlink>\r\n                "
    "<Hyperlink>16711680</Hyperlink>\r\n"
    "                <Light1>16777215</Light1>\r\n                <Light2>14806254</Light2>\r\n</ColorScheme>";

TEST_F(DesignPropertiesTest, PowerPoint2007DesignWithItsThemeAndCustomLayouts) {
  Use(12);
  auto follows = Layout("Title Slide", -1), own = Layout("Picture with Caption", 0);
  master->Prop("CustomLayouts", Dispatched(MakeCollection("CustomLayouts", version, {follows, own})), 12);
  slides->On("AddSlide", [this, own](Args a) {
    EXPECT_EQ(a[0].AsLong(), 6);  // after the last slide
    EXPECT_EQ(a[1].AsDispatch(), own);
    return Dispatched(TemporarySlide());
  });
  EXPECT_EQ(Write(),
            std::string("<Designs><Design id=\"2\">") + kOfficeScheme +
                "<FontTheme>                <Name>Office</Name>\r\n"
                "                <MajorFont>Calibri</MajorFont>\r\n                <MinorFont>Calibri</MinorFont>\r\n"
                "</FontTheme>  <SlideMaster name=\"Office Theme\">\r\n<Shapes/>  <Background>                "
                "<Visible>False</Visible>\r\n"
                "</Background>    <BackgroundStyle>3</BackgroundStyle>\r\n<AnimationTimeline/><ActionSettings/>"
                // A layout that follows the master takes its style; one that does not shows its own on a slide.
                "<CustomLayout id=\"1\" name=\"Title Slide\"><Shapes/>        <BackgroundStyle>3</BackgroundStyle>\r\n"
                "    <FollowMasterBackground>True</FollowMasterBackground>\r\n"
                "    <DisplayMasterShapes>True</DisplayMasterShapes>\r\n"
                "<Background>                <Visible>False</Visible>\r\n</Background>"
                "<AnimationTimeline/><ActionSettings/></CustomLayout>"
                "<CustomLayout id=\"2\" name=\"Picture with Caption\"><Shapes/>        "
                "<BackgroundStyle>9</BackgroundStyle>\r\n"
                "    <FollowMasterBackground>False</FollowMasterBackground>\r\n"
                "    <DisplayMasterShapes>False</DisplayMasterShapes>\r\n"
                "<Background>                <Visible>False</Visible>\r\n</Background>"
                "<AnimationTimeline/><ActionSettings/></CustomLayout>"
                "</SlideMaster></Design></Designs>");
  EXPECT_EQ(temporary.size(), 1u);
  EXPECT_EQ(deleted, 1);
  EXPECT_EQ(Log(), "");
}

TEST_F(DesignPropertiesTest, BuiltInThemeNames) {
  Use(12);
  auto names = [&](const char* designName, const char* major, const char* minor) {
    FakePtr fonts = Fonts(major, minor);
    std::string own = DesignThemeFontName(designName, Object(fonts));
    return own + "|" + ThemeFontSchemeName(Object(fonts));
  };
  EXPECT_EQ(names("Office Theme", "Calibri", "Calibri"), "Office|Office");
  EXPECT_EQ(names("Composite", "Calibri", "Calibri"), "Composite|Office");
  EXPECT_EQ(names("Trek", "Calibri", "Calibri"), "|Office");
  EXPECT_EQ(names("My own design", "Cambria", "Calibri"), "|Adjacency");
  EXPECT_EQ(names("Office", "Verdana", "Tahoma"), "|");
  // Unreadable schemes have no name.
  EXPECT_EQ(ThemeFontSchemeName(Object(Make("ThemeFontScheme"))), "");
  EXPECT_EQ(DesignThemeFontName("Office", Object(Make("ThemeFontScheme"))), "");

  for (auto [in, want] :
       {std::pair{1, "Title"}, std::pair{31, "Two Objects And Object"}, std::pair{0, ""}, std::pair{32, ""}})
    EXPECT_EQ(LayoutName(in), want) << in;
}

TEST_F(DesignPropertiesTest, PowerPoint2003RecreatesTheUsedLayoutsOnTemporarySlides) {
  Use(11);
  auto scheme = Make("ColorScheme");
  scheme->On("Colors", [this](Args a) {
    return Dispatched(Props(Make("RGBColor"), "RGB", 100 + a[0].AsLong()));  // the legacy index, to see which is read
  });
  master->Prop("ColorScheme", Dispatched(scheme));
  auto font = Props(Make("Font"), "Name", "Tahoma");
  presentation->Prop("Fonts", Dispatched(MakeCollection("Fonts", version, {font})));
  auto titleMaster = Props(WithoutAnimationsOrLinks(Make("Master")), "Background", Dispatched(Background()), "Shapes",
                           Dispatched(MakeCollection("Shapes", version, {})));
  design->Prop("HasTitleMaster", -1).Prop("TitleMaster", Dispatched(titleMaster));
  std::vector<std::int32_t> added;
  slides->On("Add", [&](Args a) {
    EXPECT_EQ(a[0].AsLong(), 6);
    added.push_back(a[1].AsLong());
    return Dispatched(TemporarySlide());
  });
  UsedLayouts used;
  used.Add(2, 1);  // stands for the title master
  used.Add(1, 3);  // another design's
  used.Add(2, 11);
  used.Add(2, 11);  // listed once
  used.Add(2, 40);  // no such layout: no name
  ASSERT_EQ(used.Entries(), (std::vector<std::string>{"2-1", "1-3", "2-11", "2-40"}));
  std::string xml = Write(used);

  ExpectHas(xml, {"<ColorScheme>                <Name/>\r\n                <Accent1>105</Accent1>\r\n"
                  "                <Accent2>106</Accent2>\r\n                <Accent3>107</Accent3>\r\n"
                  "                <Accent4>108</Accent4>\r\n                <Accent5>105</Accent5>\r\n"
                  "                <Accent6>105</Accent6>\r\n                <Dark1>102</Dark1>\r\n"
                  "                <Dark2>102</Dark2>\r\n                <FollowedHyperlink>108</FollowedHyperlink>\r\n"
                  "                <Hyperlink>107</Hyperlink>\r\n                <Light1>101</Light1>\r\n"
                  "                <Light2>101</Light2>\r\n</ColorScheme>",
                  // With one font the body font is the heading font.
                  "<FontTheme>                <Name/>\r\n                <MajorFont>Tahoma</MajorFont>\r\n"
                  "                <MinorFont>Tahoma</MinorFont>\r\n</FontTheme>",
                  "<BackgroundStyle>0</BackgroundStyle>",
                  "<CustomLayout id=\"1\" name=\"Office Theme\"><Shapes/>    <Background>",
                  "<CustomLayout id=\"11\" name=\"Title Only\"><Shapes/>    "
                  "    <FollowMasterBackground>True</FollowMasterBackground>\r\n"
                  "    <DisplayMasterShapes>True</DisplayMasterShapes>\r\n<Background>",
                  "<CustomLayout id=\"40\" name=\"\"><Shapes/>"});
  EXPECT_EQ(added, (std::vector<std::int32_t>{11, 40}));
  ASSERT_EQ(temporary.size(), 2u);
  EXPECT_EQ(deleted, 2);
  for (const FakePtr& slide : temporary) EXPECT_EQ(slide->Puts("Design").at(0).AsDispatch(), design);
  EXPECT_EQ(Log(), "");
}

TEST_F(DesignPropertiesTest, BusyAndFailingReadsLoseOnlyTheirItem) {
  Use(14);
  master->Fail("Theme", hr::kCallRejected, "Call was rejected by callee.");
  master->Fail("BackgroundStyle", hr::kUnspecified, "Master.BackgroundStyle : failed.");
  master->Prop("CustomLayouts", Dispatched(MakeCollection("CustomLayouts", version, {Layout("Blank", 0)})), 12);
  slides->Fail("AddSlide", hr::kInvalidArgument, "Slides.AddSlide : Invalid request.");
  std::string xml = Write();
  // Six waits for the whole design; the always-busy theme is given up on and not logged.
  EXPECT_EQ(sleeper->waits, std::vector<long long>(6, 1500));
  ExpectHas(xml, {"<ColorScheme>                <Name/>\r\n</ColorScheme><FontTheme>                <Name/>\r\n"
                  "</FontTheme>  <SlideMaster name=\"Office Theme\">",
                  "</Background><AnimationTimeline/><ActionSettings/>"
                  "<CustomLayout id=\"1\" name=\"Blank\"><Shapes/>        <BackgroundStyle/>"});
  std::string log = Log();
  ExpectLacks(log, {"rejected"});
  // Line 23: no scheme to read.
  ExpectHas(log, {"in Quillmere.bXML.DesignProperties at line 23",
                  "-2147467259: Master.BackgroundStyle : failed.in Quillmere.bXML.DesignProperties at line 52",
                  "Slides.AddSlide : Invalid request.in Quillmere.bXML.DesignProperties at line 91"});
  EXPECT_EQ(deleted, 0);  // no slide was made
}

}  // namespace
}  // namespace quillmere::testing
