// The two font writers against scripted fonts: what each does with a busy
// PowerPoint, a member it lacks and names it leaves empty.

#include "shapes/FontAttributes.h"
#include "tests/helpers/XmlTexts.h"
#include "tests/shapes/ShapeFakes.h"

namespace quillmere::testing {
namespace {

class FontAttributesTest : public ShapeWriterTest {
 protected:
  // A font of either generation with every member both writers read.
  FakePtr Font() {
    auto fill = Make("FillFormat");
    fill->Prop("Type", 1).Prop("ForeColor", Dispatched(Color(0x0000FF)));
    auto shadow = Make("ShadowFormat");
    shadow->Prop("Visible", 0);
    auto highlight = Color(0);
    auto font = Make(*version >= 12 ? "Font2" : "Font");
    font->Prop("Name", "Calibri")
        .Prop("NameComplexScript", "")
        .Prop("NameFarEast", "")
        .Prop("Bold", -1)
        .Prop("Italic", 0)
        .Prop("Underline", -1)
        .Prop("UnderlineStyle", 3)
        .Prop("Subscript", 0)
        .Prop("Superscript", 0)
        .Prop("Size", 18.0f)
        .Prop("Shadow", 0)
        .Prop("Color", Dispatched(Color(0x0000FF)))
        .Prop("Fill", Dispatched(fill))
        .Prop("Highlight", Dispatched(highlight))
        .Prop("Kerning", 0.0f)
        .Prop("Spacing", 1.5f);
    for (const char* flag : {"Allcaps", "Caps", "DoubleStrikeThrough", "Smallcaps", "Strike", "Strikethrough"})
      font->Prop(flag, 0);
    return font;
  }
  pugi::xml_document doc;
};

TEST_F(FontAttributesTest, TheNewerWriterRetriesABusyFontAndGoesOnPastAMissingMember) {
  Use(14);
  auto font = Font();
  font->Fail("Bold", hr::kCallRejected, "Call was rejected by callee.", 2);
  font->Fail("NameFarEast", hr::kMemberNotFound, "Member not found.");
  auto run = Make("TextRange2");
  run->Prop("Font", Dispatched(font));
  pugi::xml_node text = doc.append_child("Text");
  FontAttributes2007(context, Object(run), text, "", Object(slide));
  EXPECT_STREQ(text.attribute("FontBold").value(), "True");
  EXPECT_EQ(sleeper->waits, (std::vector<long long>{1500, 1500}));
  EXPECT_FALSE(text.attribute("FontNameFarEast"));
  EXPECT_STREQ(text.attribute("FontNameComplexScript").value(), "");  // written as it is
  ExpectTexts(text, {{"@FontUnderline", "3"}, {"@FontColorValue", "255"}});
  EXPECT_FALSE(text.attribute("Kerning"));  // only a kerning above 0 is written
  EXPECT_STREQ(text.attribute("Spacing").value(), "1.5");
  std::string log = Log();
  EXPECT_NE(log.find("FontAttributes2007: -2147352573: Member not found. in FontAttributes2007 at line 4"),
            std::string::npos)
      << log;
}

TEST_F(FontAttributesTest, TheOlderWriterFillsEmptyScriptNamesAndNeverRetries) {
  Use(11);
  auto font = Font();
  font->Fail("Size", hr::kCallRejected, "Call was rejected by callee.", 1);
  pugi::xml_node text = doc.append_child("Text");
  FontAttributes(context, Object(font), text, "Bullet");
  ExpectTexts(text, {{"@BulletFontNameComplexScript", "+mn-cs"}, {"@BulletFontNameFarEast", "+mn-ea"},
                     {"@BulletFontUnderline", "2"}});
  EXPECT_FALSE(text.attribute("BulletFontSize"));
  EXPECT_TRUE(sleeper->waits.empty());
  EXPECT_STREQ(text.attribute("BulletStrikethrough").value(), "false");
  EXPECT_NE(Log().find("FontAttributes:  -2147418111: Call was rejected by callee. in FontAttributes at line 11"),
            std::string::npos)
      << Log();
}

}  // namespace
}  // namespace quillmere::testing
