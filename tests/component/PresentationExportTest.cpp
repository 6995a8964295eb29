// Whole, listed and single-slide exports of real decks through the engine:
// the Slide elements, their order and values, progress and cancelling.

#include <gtest/gtest.h>

#include <pugixml.hpp>

#include <algorithm>
#include <fstream>

#include "tests/component/TaggedDeckExport.h"
#include "tests/helpers/TextPieces.h"
#include "tests/helpers/XmlTexts.h"

namespace quillmere::testing {
namespace {

// The element children of a Slide, in document order.
std::vector<std::string> ChildNames(pugi::xml_node slide) {
  std::vector<std::string> names;
  for (pugi::xml_node child : slide.children())
    if (child.type() == pugi::node_element) names.emplace_back(child.name());
  return names;
}

// Width and height from a PNG's header; zeros when the file is not a PNG.
std::pair<unsigned, unsigned> PngSize(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  unsigned char header[24] = {};
  in.read(reinterpret_cast<char*>(header), sizeof header);
  if (!in || header[1] != 'P' || header[2] != 'N' || header[3] != 'G') return {0, 0};
  auto number = [&](int at) {
    return unsigned(header[at]) << 24 | unsigned(header[at + 1]) << 16 | unsigned(header[at + 2]) << 8 | header[at + 3];
  };
  return {number(16), number(20)};
}

using PresentationExportTest = EngineExportTest;

TEST_F(PresentationExportTest, WholeDeckHasEverySlideWithItsTransition) {
  Use(16, true);
  std::string name = Deck("poi__keyframes.pptx"), xml, out = Out("keyframes");
  ASSERT_EQ(info->PPTPresentation(name, xml, out), ERR_SUCCESS);
  pugi::xml_node presentation = Load(xml);
  std::vector<pugi::xml_node> slides = Slides(presentation);
  ASSERT_EQ(std::to_string(slides.size()), presentation.child_value("SlideCount"));
  const std::vector<std::string> order = Words(
      "SlideTitle CorvantaSlideTitle Thumbnail FollowMasterBackground DisplayMasterShapes DesignId HideNav WaitForUser "
      "LumideskNarration Transition Notes LayoutId BackgroundStyle Shapes AnimationTimeline ActionSettings");
  for (std::size_t i = 0; i < slides.size(); ++i) {
    pugi::xml_node slide = slides[i];
    std::vector<std::string> names = ChildNames(slide);
    if (!names.empty() && names[3] == "ColorScheme") names.erase(names.begin() + 3);
    EXPECT_EQ(names, order) << "slide " << i + 1;
    EXPECT_EQ(slide.attribute("index").as_uint(), i + 1);
    std::string thumbnail = slide.child_value("Thumbnail");
    EXPECT_EQ(thumbnail, out + "/slide" + std::to_string(i + 1) + ".png");
    EXPECT_EQ(PngSize(thumbnail), std::make_pair(180u, 135u)) << thumbnail;  // a quarter of 720 x 540 points
  }
  EXPECT_FALSE(overran);
  EXPECT_EQ(lastCurrent, lastMax);
  EXPECT_GT(lastMax, static_cast<std::int32_t>(slides.size()));

  // An older PowerPoint implies the duration by the speed and has no layouts or styles of its own.
  Use(11, true);
  ASSERT_EQ(info->PPTPresentation(name, xml, out), ERR_SUCCESS);
  pugi::xml_node first = Load(xml).child("Slides").child("Slide");
  ExpectTexts(first, {{"Transition/Duration", "2"}, {"BackgroundStyle", "0"}});
  EXPECT_STREQ(Load(xml).child_value("PPTXCopy"), "");
}

TEST_F(PresentationExportTest, ImagesTurnedOffAreLoggedOncePerExport) {
  // Four shapes of KEY02 would each be drawn; the other lines are of other calls.
  Use(16, false);
  std::string name = Deck("poi__KEY02.pptx"), xml;
  auto lines = [] {
    std::ifstream in(ExportLogPath());
    std::vector<std::string> all;
    for (std::string line; std::getline(in, line);) all.push_back(line);
    return all;
  };
  auto turnedOff = [&] {
    int count = 0;
    for (const std::string& line : lines()) count += line.find("Drawing images is turned off") != std::string::npos;
    return count;
  };
  ASSERT_EQ(info->PPTPresentation(name, xml, Out("first")), ERR_SUCCESS);
  EXPECT_EQ(turnedOff(), 1);
  std::size_t others = lines().size() - 1;
  EXPECT_GT(others, 0u);
  ASSERT_EQ(info->PPTPresentation(name, xml, Out("second")), ERR_SUCCESS);
  EXPECT_EQ(turnedOff(), 2);
  EXPECT_EQ(lines().size(), 2 * (others + 1));
}

TEST_F(PresentationExportTest, ListsAndSingleSlides) {
  Use(16, false);  // what is listed is all this looks at
  std::string name = Deck("poi__2411-Performance_Up.pptx"), xml, list = "2|2|5", out = Out("list");
  ASSERT_EQ(info->PPTSlideSelection(name, list, xml, out), ERR_SUCCESS);
  pugi::xml_node presentation = Load(xml);
  std::vector<std::string> indexes;
  for (pugi::xml_node s : Slides(presentation)) indexes.push_back(s.attribute("index").value());
  EXPECT_EQ(indexes, Words("2 2 5"));
  EXPECT_STREQ(presentation.child_value("SlideCount"), "48");
  EXPECT_FALSE(presentation.child("ImporterVersion"));
  EXPECT_EQ(lastCurrent, lastMax);  // 3 slides with their shapes, 1 design, 3

  // Hidden slides are exported like any other, marked in their transition.
  std::int32_t index = 13;
  ASSERT_EQ(info->PPTSlide(name, index, xml, out = Out("one")), ERR_SUCCESS);
  presentation = Load(xml);
  pugi::xml_node slide = presentation.child("Slides").child("Slide");
  EXPECT_FALSE(slide.next_sibling("Slide"));
  EXPECT_STREQ(slide.child("Transition").child_value("Hidden"), "True");
  EXPECT_TRUE(presentation.child("Designs").children().empty());
  EXPECT_EQ(lastMax, 0);

  // Cancelling during the slide loop writes no description.
  int asked = 0;
  info->Events().AbortConversion = [&](bool& cancel) { cancel = ++asked == 3; };
  ASSERT_EQ(info->PPTPresentation(name, xml, out = Out("cancelled")), ERR_USER_CANCEL);
  EXPECT_FALSE(std::filesystem::exists(out + "/presentationinfo.xml"));
}

}  // namespace
}  // namespace quillmere::testing
