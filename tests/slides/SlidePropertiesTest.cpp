// The Slide element against scripted PowerPoints of the older and newer kinds.

#include <gtest/gtest.h>

#include <fstream>

#include "objectmodel/ExportContext.h"
#include "objectmodel/trace/ExportLog.h"
#include "slides/SlideProperties.h"
#include "tests/fakes/FakePowerPointTest.h"
#include "tests/fakes/FakeProps.h"
#include "tests/helpers/TextPieces.h"
#include "tests/helpers/XmlTexts.h"

namespace quillmere::testing {
namespace {

class SlidePropertiesTest : public FakePowerPointTest {
 protected:
  void Use(int major) {
    StartPowerPoint(major);
    tags = TagsOf(tagValues);
    auto sound = Props(Make("SoundEffect"), "Type", 2);
    transition = Props(Make("SlideShowTransition"), "AdvanceOnClick", -1, "AdvanceOnTime", 0, "AdvanceTime", 1.25f,
                       "EntryEffect", 3849, "Hidden", -1, "SoundEffect", Dispatched(sound), "Speed", 1);
    transition->Prop("Duration", 1.5f, 14);
    auto range = Props(Make("TextRange"), "TrimText", "Quarterly results\vby region\rsecond paragraph");
    auto title =
        Props(Make("Shape"), "TextFrame", Dispatched(Props(Make("TextFrame"), "TextRange", Dispatched(range))));
    shapes = Props(Make("Shapes"), "HasTitle", -1, "Title", Dispatched(title), "Count", 0);
    auto design = Props(Make("Design"), "Index", 2);
    layout = Props(Make("CustomLayout"), "Index", 4, "ThemeColorScheme", Dispatched(Scheme(kOfficeColors)));
    slide =
        Props(WithoutAnimationsOrLinks(Make("Slide")), "SlideID", 300, "SlideIndex", 3, "Name", "Slide3", "Tags",
              Dispatched(tags), "Shapes", Dispatched(shapes), "Design", Dispatched(design), "FollowMasterBackground",
              -1, "DisplayMasterShapes", 0, "SlideShowTransition", Dispatched(transition), "Layout", 2);
    slide->Prop("CustomLayout", Dispatched(layout), 12)
        .Prop("BackgroundStyle", 7, 12)
        .Prop("ThemeColorScheme", Dispatched(Scheme(kOfficeColors)), 12)
        .On("Export", [this](Args a) {
          exports.push_back(a[0].AsString() + " " + std::to_string(a[2].AsLong()) + "x" +
                            std::to_string(a[3].AsLong()));
          return Value();
        });
  }
  std::string Write(bool exportImage = false) {
    pugi::xml_document doc;
    pugi::xml_node slides = doc.append_child("Slides");
    SlideProperties(context, Object(slide), slides, exportImage);
    return RawXml(doc);
  }
  std::shared_ptr<FakeObject> slide, tags, transition, shapes, layout;
  std::map<std::string, std::string> tagValues;
  std::vector<std::string> exports;
};

TEST_F(SlidePropertiesTest, PowerPoint2003SlideInDocumentOrder) {
  Use(11);
  tagValues = {{"ELAPSEDTIME", "2,5"},
               {"CORVANTA_HIDE_SLIDE", "1.0"},
               {"CORVANTA_NAV_LEVEL", "2.6"},
               {"CORVANTA_SLIDE_PAUSE", "1"}};
  EXPECT_EQ(Write(),
            "<Slides><Slide id=\"300\" index=\"3\" name=\"Slide3\" TocLevel=\"3\" TocVisible=\"false\">\r\n"
            "    <SlideTitle>Quarterly&amp;#160;results&amp;#11;</SlideTitle>\r\n"
            "    <CorvantaSlideTitle>Quarterly&amp;#160;results&amp;#11;</CorvantaSlideTitle>\r\n"
            "    <Thumbnail>/out/slide3.png</Thumbnail>\r\n"
            "    <FollowMasterBackground>True</FollowMasterBackground>\r\n"
            "    <DisplayMasterShapes>False</DisplayMasterShapes>\r\n"
            "    <DesignId>2</DesignId>\r\n"
            "    <HideNav>False</HideNav>\r\n"  // exact text, unlike TocVisible
            "    <WaitForUser>true</WaitForUser>\r\n"
            "  <LumideskNarration/>\r\n"  // no archive, no sound played first
            "<Transition>\r\n"
            "    <AdvanceOnClick>True</AdvanceOnClick>\r\n    <AdvanceOnTime>False</AdvanceOnTime>\r\n"
            "    <AdvanceTime>2.5</AdvanceTime>\r\n    <EntryEffect>3849</EntryEffect>\r\n"
            "    <Hidden>True</Hidden>\r\n    <SoundEffectType>2</SoundEffectType>\r\n    <Speed>1</Speed>\r\n"
            "    <Duration>2</Duration>\r\n"  // implied by the slow speed
            "</Transition>"
            "    <LayoutId>2</LayoutId>\r\n    <BackgroundStyle>0</BackgroundStyle>\r\n"
            "<Shapes/>          <AnimationTimeline/><ActionSettings/></Slide></Slides>");
  EXPECT_TRUE(exports.empty());
  EXPECT_EQ(Log(), "");
}

TEST_F(SlidePropertiesTest, PowerPoint2010SlideReadsTheNewerMembers) {
  Use(14);
  tagValues = {{"ELAPSEDTIME", "   "}, {"CORVANTA_NAV_LEVEL", "-4"}, {"CORVANTA_TITLE_TAG", "Slide 3"}};
  shapes->Prop("HasTitle", 0);
  std::string xml = Write(true);
  // A title tag equal to the default is ignored.
  ExpectHas(xml,
            {"<SlideTitle>Slide&amp;#160;3</SlideTitle>", "<AdvanceTime>1.25</AdvanceTime>", "<Duration>1.5</Duration>",
             "<LayoutId>4</LayoutId>", "<BackgroundStyle>7</BackgroundStyle>", "TocLevel=\"1\" TocVisible=\"true\""});
  // The slide's colours are its layout's.
  ExpectLacks(xml, {"ColorScheme"});
  EXPECT_EQ(exports, std::vector<std::string>{"/out/slide3.png 720x540"});

  // A slide of its own colours names the built-in theme they match, or none.
  std::vector<std::int32_t> changed = kOfficeColors;
  layout->Prop("ThemeColorScheme", Dispatched(Scheme(changed)));
  changed[4] = 0x123456;
  slide->Prop("ThemeColorScheme", Dispatched(Scheme(changed)));
  xml = Write();
  ExpectHas(xml, {"<Thumbnail>/out/slide3.png</Thumbnail>\r\n<ColorScheme>                "
                  "<Name/>\r\n                <Accent1>1193046</Accent1>\r\n                <Accent2>5066944</Accent2>",
                  "<Light2>14806254</Light2>\r\n</ColorScheme>    <FollowMasterBackground>"});
}

TEST_F(SlidePropertiesTest, BusyPowerPointIsWaitedForSixTimesPerSlide) {
  Use(12);
  slide->Fail("DisplayMasterShapes", hr::kCallRejected, "Call was rejected by callee.", 2);
  slide->Fail("FollowMasterBackground", hr::kCallRejected, "Call was rejected by callee.");
  slide->Fail("Layout", hr::kInvalidArgument, "Invalid argument.");
  slide->Fail("BackgroundStyle", hr::kUnspecified, "Slide.BackgroundStyle : failed.");
  std::string xml = Write();
  // The always-busy item used all six retries; the next busy item gets none.
  EXPECT_EQ(sleeper->waits, std::vector<long long>(6, 1500));
  ExpectLacks(xml, {"FollowMasterBackground", "DisplayMasterShapes", "BackgroundStyle"});
  // Layout is not read from 2007 on.
  ExpectHas(xml, {"<LayoutId>4</LayoutId>"});
  std::string log = Log();
  ExpectHas(log, {"Slide Properties: -2147418111: Call was rejected by callee. in "
                  "Quillmere.bXML.SlideProperties at line 8 - 6  -- Slide - 3",
                  "in Quillmere.bXML.SlideProperties at line 8Slide - 3",
                  "Slide.BackgroundStyle : failed. in Quillmere.bXML.SlideProperties at line 31 Slide name: "
                  "Slide3(3) Slide - 3"});
}

TEST_F(SlidePropertiesTest, QuizAndInteractionSlidesWriteTheirPackageInsteadOfContent) {
  Use(11);
  slide->Prop("FollowMasterBackground", 0);  // a background of its own, which a content slide would describe
  shapes->Prop("Count", 2);
  tagValues = {{"OVERRIDE", "EXAMORA_QUIZ_SLIDE"}, {"EXAMORA_QUIZ_SLIDE_ID", "q1"}};
  std::string xml = Write();
  ExpectHas(xml, {"<Slide id=\"300\" index=\"3\" name=\"Slide3\" TocLevel=\"1\" TocVisible=\"true\" "
                  "EncodedType=\"quizobject\" EncodedVersion=\"3\">",
                  "</Thumbnail>\r\n<QuizObject id=\"q1\">", "</QuizObject>    <FollowMasterBackground>False",
                  "<LayoutId>2</LayoutId>"});
  ExpectLacks(xml, {"<Transition", "<Background>", "<Background/", "<Shapes", "<AnimationTimeline", "<ActionSettings"});
  EXPECT_EQ(shapes->Calls("Item"), 0);  // the shapes are not walked, but count as done
  EXPECT_EQ(context.progressCurrent, 2);

  tagValues = {{"OVERRIDE", "KINDRA_INTERACTION_SLIDE"}};
  xml = Write();
  ExpectHas(xml, {"EncodedType=\"kindraobject\" EncodedVersion=\"2\"", "<KindraObject>"});
  ExpectLacks(xml, {"<QuizObject", "<Shapes"});

  tagValues = {{"OVERRIDE", "examora_quiz_slide"}};  // the tag is compared exactly
  shapes->Prop("Count", 0);
  xml = Write();
  ExpectLacks(xml, {"EncodedType"});
  ExpectHas(xml, {"<Shapes/>", "<Transition>"});
}

TEST_F(SlidePropertiesTest, ProjectVersionAndNotesPlaceholders) {
  Use(12);
  auto presentation = Make("Presentation");
  auto presentationTags = Make("Tags");
  std::string versionTag;
  presentationTags->On("Item", [&](Args) { return Value(versionTag); });
  auto property = Props(Make("DocumentProperty"), "Value", "7.2");
  auto properties = Make("DocumentProperties");
  properties->On("Item", [&](Args) { return Dispatched(property); });
  presentation->Prop("Tags", Dispatched(presentationTags)).Prop("CustomDocumentProperties", Dispatched(properties));
  EXPECT_EQ(GetProjectVersion(Object(presentation)), 7);
  versionTag = " 6 ";
  EXPECT_EQ(GetProjectVersion(Object(presentation)), 6);
  versionTag = "";
  properties->Fail("Item", hr::kInvalidArgument, "Invalid procedure call or argument");
  EXPECT_EQ(GetProjectVersion(Object(presentation)), 0);

  auto placeholder = [&](int type) {
    auto format = Props(Make("PlaceholderFormat"), "Type", type);
    return Props(Make("Shape"), "PlaceholderFormat", Dispatched(format));
  };
  auto body = placeholder(2);
  auto notesShapes = Props(Make("Shapes"), "Placeholders",
                           Dispatched(MakeCollection("Placeholders", version, {placeholder(101), body})));
  auto notesPage = Props(Make("SlideRange"), "Shapes", Dispatched(notesShapes));
  EXPECT_FALSE(FindNotesPlaceholder(Object(slide), 2));  // no notes page member: nothing, no error
  slide->Prop("NotesPage", Dispatched(notesPage));
  EXPECT_EQ(FindNotesPlaceholder(Object(slide), 2).Ptr(), body);
  EXPECT_FALSE(FindNotesPlaceholder(Object(slide), 1));
}

}  // namespace
}  // namespace quillmere::testing
