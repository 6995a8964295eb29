// The layout and value text of the XML helpers, byte for byte.

#include <gtest/gtest.h>

#include <filesystem>

#include "objectmodel/ExportContext.h"
#include "objectmodel/xml/FinishedElements.h"
#include "objectmodel/xml/NumberText.h"
#include "objectmodel/xml/XmlHelpers.h"
#include "tests/helpers/TestFiles.h"
#include "tests/helpers/XmlTexts.h"

namespace quillmere {
namespace {

using testing::RawXml;

TEST(XmlConventionsTest, HelpersWriteTheirOwnWhitespaceNodes) {
  pugi::xml_document doc;
  pugi::xml_node root = AppendContainer(doc, "Presentation");
  AppendLineBreak(root);
  pugi::xml_node width = AddElement(4, root, "Width", "960");
  // Three children per element: indentation, the element, the line break.
  EXPECT_EQ(std::distance(root.children().begin(), root.children().end()), 4);
  pugi::xml_node slide = AppendContainer(root, "Slide");
  AddAttribute(1, slide, "Index", "3");
  AddAttribute(2, slide, "Index", "4");  // replaces the value; both indentations stay
  AddElement(4, slide, "Empty", "");
  AddElement(4, slide, "SlideTitle", "Q&amp;A&#160;<b>");
  EXPECT_EQ(width.text().get(), std::string("960"));
  EXPECT_EQ(
      RawXml(doc),
      "<Presentation>\r\n    <Width>960</Width>\r\n"
      "<Slide Index=\"4\">       <Empty/>\r\n    <SlideTitle>Q&amp;amp;A&amp;#160;&lt;b&gt;</SlideTitle>\r\n</Slide>"
      "</Presentation>");
}

// Slides and designs kept as text while the rest is written come back in
// their places, byte for byte, even when their text looks like a marker.
TEST(XmlConventionsTest, FinishedElementsAreSavedWhereTheyWere) {
  pugi::xml_document whole, kept;
  FinishedElements finished;
  for (pugi::xml_document* doc : {&whole, &kept}) {
    pugi::xml_node root = AppendContainer(*doc, "Presentation");
    AddElement(4, root, "SlideCount", "3");
    pugi::xml_node slides = AppendContainer(root, "Slides");
    for (const char* title : {"<?quillmere-finished 0?>", "\xc3\xa9t\xc3\xa9 & co", ""}) {
      pugi::xml_node slide = AppendContainer(slides, "Slide");
      AddAttribute(1, slide, "name", "?>");
      AddElement(4, slide, "SlideTitle", title);
      AppendLineBreak(slides);
      if (doc == &kept) finished.KeepLastElementOf(slides);
    }
    if (doc == &kept) finished.KeepLastElementOf(slides);  // nothing new: the markers stay as they are
    AddElement(4, AppendContainer(root, "Designs"), "Design", "d");
  }
  EXPECT_FALSE(kept.child("Presentation").child("Slides").child("Slide")) << "each kept slide leaves only its marker";
  const std::filesystem::path file = std::filesystem::temp_directory_path() / "quillmere-finished-elements.xml";
  ASSERT_TRUE(finished.Save(kept, file.string()));
  EXPECT_EQ(testing::ReadFile(file), RawXml(whole));
  std::filesystem::remove(file);
  EXPECT_FALSE(finished.Save(kept, (file / "no-such-folder" / "x.xml").string()));
}

TEST(XmlConventionsTest, NumbersAsThePlatformWritesThem) {
  // 0.1f comes out as 0.1, not 0.100000001.
  for (auto [in, want] : {std::pair{12.5f, "12.5"}, std::pair{960.0f, "960"}, std::pair{1.0f / 3.0f, "0.3333333"},
                          std::pair{123456789.0f, "1.234568E+08"}, std::pair{0.00001f, "1E-05"}, std::pair{-0.0f, "0"},
                          std::pair{-2.0f, "-2"}, std::pair{0.1f, "0.1"}})
    EXPECT_EQ(FormatSingle(in), want) << in;
  for (auto [in, want] : {std::pair{0.5, "0"}, std::pair{1.5, "2"}, std::pair{2.5, "2"}, std::pair{-2.5, "-2"},
                          std::pair{719.5001, "720"}})
    EXPECT_EQ(RoundedText(in), want) << in;
  for (auto [in, want] : {std::pair{"  12.0abc", 12.0}, std::pair{"abc", 0.0}, std::pair{"-3", -3.0}})
    EXPECT_EQ(LeadingNumber(in), want) << in;
}

TEST(XmlConventionsTest, DecimalTextUsesAPointUnderACommaLocale) {
  ExportContext context;
  context.decimalSeparator = ",";
  EXPECT_EQ(context.DecimalText(12.5f, 1.0f), "12.5");
  EXPECT_EQ(context.DecimalText(100.25f, 4.0f / 3.0f), "133.6667");
  // Other single values keep the locale's separator.
  EXPECT_EQ(context.PlatformText(0.75f), "0,75");
}

}  // namespace
}  // namespace quillmere
