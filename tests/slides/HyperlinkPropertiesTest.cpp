// The ActionSettings element against scripted shapes, text ranges and slides.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "slides/HyperlinkProperties.h"
#include "tests/fakes/FakePowerPointTest.h"
#include "tests/fakes/FakeProps.h"
#include "tests/helpers/TextPieces.h"
#include "tests/helpers/XmlTexts.h"

namespace quillmere::testing {
namespace {

class HyperlinkPropertiesTest : public FakePowerPointTest {
 protected:
  void SetUp() override {
    FakePowerPointTest::SetUp();
    ExportContext& state = StartPowerPoint(14);
    folder = std::filesystem::temp_directory_path() / ("quillmere-links-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    state.presentationName = (folder / "deck.pptx").string();
    tags = TagsOf(tagValues);
    auto target = Props(Make("Slide"), "SlideID", 260, "SlideIndex", 4);
    auto slides = Make("Slides");
    slides->On("FindBySlideID", [target](Args a) {
      if (a[0].AsLong() != 260) throw ComError(hr::kInvalidArgument, "Slides.FindBySlideID : Slide ID not found.");
      return Dispatched(target);
    });
    auto presentation = Props(Make("Presentation"), "Slides", Dispatched(slides));
    slide = Props(Make("Slide"), "Tags", Dispatched(tags), "Parent", Dispatched(presentation));
  }
  void TearDown() override {
    std::filesystem::remove_all(folder);
    FakePowerPointTest::TearDown();
  }

  // An action setting doing `action`, linking to address when it is a hyperlink.
  FakePtr Action(int action, const std::string& address = "", const std::string& sub = "") {
    auto link = Props(Make("Hyperlink"), "Address", address, "SubAddress", sub, "ScreenTip", "tip");
    return Props(Make("ActionSetting"), "Action", action, "Hyperlink", Dispatched(link), "Run", "notepad.exe");
  }
  // A shape or text range with a click and a mouse-over action.
  FakePtr Holder(const char* type, FakePtr click, FakePtr over) {
    auto holder = Make(type);
    holder->On("ActionSettings", [click, over](Args a) { return Dispatched(a[0].AsLong() == 1 ? click : over); });
    return holder;
  }
  FakePtr Shape(int id, FakePtr click, FakePtr over) {
    return Props(Holder("Shape", std::move(click), std::move(over)), "Id", id);
  }
  FakePtr Range(const FakePtr& shape, int start, int length, FakePtr click) {
    auto frame = Props(Make("TextFrame"), "Parent", Dispatched(shape));
    return Props(Holder("TextRange", std::move(click), Action(0)), "Start", start, "Length", length, "Parent",
                 Dispatched(frame));
  }
  // Hyperlinks whose Parent.Parent are these holders, in order.
  void UseLinks(const FakePtr& owner, const std::vector<FakePtr>& holders) {
    std::vector<FakePtr> links;
    for (const FakePtr& holder : holders)
      links.push_back(
          Props(Make("Hyperlink"), "Parent", Dispatched(Props(Make("ActionSetting"), "Parent", Dispatched(holder)))));
    owner->Prop("Hyperlinks", Dispatched(MakeCollection("Hyperlinks", version, links)));
  }
  std::string Write(const FakePtr& owner) {
    pugi::xml_document doc;
    HyperlinkProperties(context, Object(owner), doc.append_child("Slide"));
    return RawXml(doc);
  }
  static int Count(const std::string& xml, const std::string& what) {
    int n = 0;
    for (std::size_t at = xml.find(what); at != std::string::npos; at = xml.find(what, at + 1)) ++n;
    return n;
  }

  std::filesystem::path folder;
  FakePtr slide, tags;
  std::map<std::string, std::string> tagValues;
};

TEST_F(HyperlinkPropertiesTest, EachActionOfShapesAndRangesIsWrittenOnce) {
  auto linked = Shape(4, Action(7, "http://example.com/", "#top"), Action(1));
  auto body = Shape(5, Action(0), Action(0));
  auto first = Range(body, 1, 5, Action(7, "mailto:someone@example.com"));
  auto second = Range(body, 12, 3, Action(2));
  auto macro = Shape(6, Action(8), Action(0));
  // A shape with both actions is listed twice, as is a range listed again.
  UseLinks(slide, {linked, linked, first, second, first, macro});
  std::string xml = Write(slide);
  EXPECT_EQ(xml,
            "<Slide><ActionSettings>"
            "<ActionSetting>        <Type>mouseClick</Type>\r\n        <ShapeID>4</ShapeID>\r\n"
            "        <Container>shape</Container>\r\n                <Action>Hyperlink</Action>\r\n"
            "                <Address>http://example.com/</Address>\r\n"
            "                <SubAddress>#top</SubAddress>\r\n"
            "                <ScreenTip>tip</ScreenTip>\r\n</ActionSetting>"
            "<ActionSetting>        <Type>mouseOver</Type>\r\n        <ShapeID>4</ShapeID>\r\n"
            "        <Container>shape</Container>\r\n                <Action>NextSlide</Action>\r\n</ActionSetting>"
            "<ActionSetting>        <Type>mouseClick</Type>\r\n        <ShapeID>5</ShapeID>\r\n"
            "        <Container>textrange</Container>\r\n        <Start>1</Start>\r\n        <Length>5</Length>\r\n"
            "                <Action>Hyperlink</Action>\r\n"
            "                <Address>mailto:someone@example.com</Address>\r\n"
            "                <SubAddress/>\r\n                <ScreenTip>tip</ScreenTip>\r\n</ActionSetting>"
            "<ActionSetting>        <Type>mouseClick</Type>\r\n        <ShapeID>5</ShapeID>\r\n"
            "        <Container>textrange</Container>\r\n        <Start>12</Start>\r\n        <Length>3</Length>\r\n"
            "                <Action>PreviousSlide</Action>\r\n</ActionSetting>"
            "<ActionSetting>        <Type>mouseClick</Type>\r\n        <ShapeID>6</ShapeID>\r\n"
            "        <Container>shape</Container>\r\n                <Action>None</Action>\r\n</ActionSetting>"
            "</ActionSettings></Slide>");
  EXPECT_EQ(Log(), "");
}

TEST_F(HyperlinkPropertiesTest, AddressesOfFilesBesideTheDeckBecomeFullPaths) {
  std::ofstream(folder / "notes.pdf") << "x";
  auto action = [&](const std::string& address) -> std::string {
    pugi::xml_document doc;
    pugi::xml_node element = doc.append_child("ActionSetting");
    GetActionSetting(context, Object(Holder("Shape", Action(7, address), Action(0))), 1, element);
    return element.child_value("Address");
  };
  EXPECT_EQ(action("notes.pdf"), (folder / "notes.pdf").string());
  // A drive path is never looked for; " x " is too short to be anywhere.
  for (auto [in, want] : {std::pair{"missing.pdf", "missing.pdf"},
                          std::pair{"http://example.com/notes.pdf", "http://example.com/notes.pdf"},
                          std::pair{"C:notes.pdf", "C:notes.pdf"}, std::pair{"\\\\server\\share", "\\\\server\\share"},
                          std::pair{" x ", ""}})
    EXPECT_EQ(action(in), want) << in;

  // A program names what it runs; an unreadable action is none.
  pugi::xml_document doc;
  pugi::xml_node element = doc.append_child("ActionSetting");
  GetActionSetting(context, Object(Holder("Shape", Action(9), Action(0))), 1, element);
  EXPECT_STREQ(element.child_value("Program"), "notepad.exe");
  auto broken = Make("Shape");
  broken->Fail("ActionSettings", hr::kUnspecified, "failed");
  GetActionSetting(context, Object(broken), 2, element);
  EXPECT_STREQ(element.last_child().previous_sibling().child_value(), "None");
}

TEST_F(HyperlinkPropertiesTest, PlayerButtonsBranchFromSlideTagsOnly) {
  UseLinks(slide, {});
  tagValues = {{"CORVANTA_PREV_BUTTON_ID", " 260 "}, {"CORVANTA_NEXT_BUTTON_ID", "261"}};
  std::string xml = Write(slide);
  EXPECT_EQ(xml,
            "<Slide><ActionSettings><ActionSetting>        <Type>branchPrev</Type>\r\n"
            "        <Container>player</Container>\r\n        <Action>PrevButton</Action>\r\n"
            "        <Address/>\r\n        <SubAddress>260,4, </SubAddress>\r\n        <ScreenTip/>\r\n"
            "</ActionSetting></ActionSettings></Slide>");
  // The next button names a slide that is gone: nothing, and the reason in the log.
  ExpectHas(Log(), {"-2147024809: Slides.FindBySlideID : Slide ID not found. in "
                    "Quillmere.bXML.HyperlinkProperties at line 20"});

  tagValues = {{"CORVANTA_NEXT_BUTTON_ID", "260a"}};
  EXPECT_EQ(Count(Write(slide), "<ActionSetting>"), 0);

  // A master tagged the same way has no player buttons.
  auto master = Props(Make("Master"), "Tags", Dispatched(tags));
  UseLinks(master, {});
  tagValues = {{"CORVANTA_PREV_BUTTON_ID", "260"}};
  EXPECT_EQ(Write(master), "<Slide><ActionSettings/></Slide>");
}

TEST_F(HyperlinkPropertiesTest, BusyPowerPointIsWaitedForSixTimesPerCall) {
  auto shape = Shape(4, Action(7, "http://example.com/"), Action(0));
  UseLinks(slide, {shape});
  shape->Fail("Id", hr::kCallRejected, "Call was rejected by callee.", 3);
  std::string xml = Write(slide);
  EXPECT_EQ(sleeper->waits, std::vector<long long>(3, 1500));
  EXPECT_NE(xml.find("<ShapeID>4</ShapeID>"), std::string::npos);
  EXPECT_EQ(Count(Log(), "-2147418111: Call was rejected by callee. in Quillmere.bXML.HyperlinkProperties at line 4"),
            3);
}

}  // namespace
}  // namespace quillmere::testing
