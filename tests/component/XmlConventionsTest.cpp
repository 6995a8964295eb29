// The layout and value text of the XML helpers, byte for byte.

#include <gtest/gtest.h>

#include <sstream>

#include "component/ExportState.h"
#include "component/xml/NumberText.h"
#include "component/xml/XmlHelpers.h"

namespace quillmere {
namespace {

std::string Serialise(const pugi::xml_document& doc) {
  std::ostringstream out;
  doc.save(out, "", pugi::format_raw | pugi::format_no_declaration);
  return out.str();
}

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
  EXPECT_EQ(Serialise(doc),
            "<Presentation>\r\n    <Width>960</Width>\r\n"
            "<Slide Index=\"4\">       <Empty/>\r\n    <SlideTitle>Q&amp;amp;A&amp;#160;&lt;b&gt;</SlideTitle>\r\n</Slide>"
            "</Presentation>");
}

TEST(XmlConventionsTest, NumbersAsThePlatformWritesThem) {
  EXPECT_EQ(FormatSingle(12.5f), "12.5");
  EXPECT_EQ(FormatSingle(960.0f), "960");
  EXPECT_EQ(FormatSingle(1.0f / 3.0f), "0.3333333");
  EXPECT_EQ(FormatSingle(123456789.0f), "1.234568E+08");
  EXPECT_EQ(FormatSingle(0.00001f), "1E-05");
  EXPECT_EQ(FormatSingle(-0.0f), "0");
  EXPECT_EQ(FormatSingle(-2.0f), "-2");
  EXPECT_EQ(FormatSingle(0.1f), "0.1");  // not 0.100000001
  EXPECT_EQ(RoundedText(0.5), "0");
  EXPECT_EQ(RoundedText(1.5), "2");
  EXPECT_EQ(RoundedText(2.5), "2");
  EXPECT_EQ(RoundedText(-2.5), "-2");
  EXPECT_EQ(RoundedText(719.5001), "720");
  EXPECT_EQ(LeadingNumber("  12.0abc"), 12.0);
  EXPECT_EQ(LeadingNumber("abc"), 0.0);
  EXPECT_EQ(LeadingNumber("-3"), -3.0);
}

TEST(XmlConventionsTest, DecimalTextUsesAPointUnderACommaLocale) {
  ExportState& state = CurrentExportState();
  std::string saved = state.decimalSeparator;
  state.decimalSeparator = ",";
  EXPECT_EQ(DecimalText(12.5f, 1.0f), "12.5");
  EXPECT_EQ(DecimalText(100.25f, 4.0f / 3.0f), "133.6667");
  // Other single values keep the locale's separator.
  EXPECT_EQ(PlatformText(0.75f), "0,75");
  state.decimalSeparator = saved;
}

}  // namespace
}  // namespace quillmere
