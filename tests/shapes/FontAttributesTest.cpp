// The two font writers against scripted fonts: what each does with a busy
// PowerPoint, a member it lacks and names it leaves empty.

#include "shapes/FontAttributes.h"
#include "tests/helpers/TextPieces.h"
#include "tests/helpers/XmlTexts.h"
#include "tests/shapes/ShapeFakes.h"

namespace quillmere::testing {
namespace {

class FontAttributesTest : public ShapeWriterTest {
 protected:
  // A font of either generation with every member both writers read.
  FakePtr Font() {
    auto fill = Props(Make("FillFormat"), "Type", 1, "ForeColor", Dispatched(Color(0x0000FF)));
    auto shadow = Props(Make("ShadowFormat"), "Visible", 0);
    auto highlight = Color(0);
    auto font = Props(Make(*version >= 12 ? "Font2" : "Font"), "Name", "Calibri", "NameComplexScript", "",
                      "NameFarEast", "", "Bold", -1, "Italic", 0, "Underline", -1, "UnderlineStyle", 3, "Subscript", 0,
                      "Superscript", 0, "Size", 18.0f, "Shadow", 0, "Color", Dispatched(Color(0x0000FF)), "Fill",
                      Dispatched(fill), "Highlight", Dispatched(highlight), "Kerning", 0.0f, "Spacing", 1.5f);
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
  auto run = Props(Make("TextRange2"), "Font", Dispatched(font));
  pugi::xml_node text = doc.append_child("Text");
  FontAttributes2007(context, Object(run), text, "", Object(slide));
  EXPECT_STREQ(text.attribute("FontBold").value(), "True");
  EXPECT_EQ(sleeper->waits, (std::vector<long long>{1500, 1500}));
  EXPECT_FALSE(text.attribute("FontNameFarEast"));
  EXPECT_STREQ(text.attribute("FontNameComplexScript").value(), "");  // written as it is
  ExpectTexts(text, {{"@FontUnderline", "3"}, {"@FontColorValue", "255"}});
  EXPECT_FALSE(text.attribute("Kerning"));  // only a kerning above 0 is written
  EXPECT_STREQ(text.attribute("Spacing").value(), "1.5");
  ExpectHas(Log(), {"FontAttributes2007: -2147352573: Member not found. in FontAttributes2007 at line 4"});
}

TEST_F(FontAttributesTest, TheOlderWriterFillsEmptyScriptNamesAndNeverRetries) {
  Use(11);
  auto font = Font();
  font->Fail("Size", hr::kCallRejected, "Call was rejected by callee.", 1);
  pugi::xml_node text = doc.append_child("Text");
  FontAttributes(context, Object(font), text, "Bullet");
  ExpectTexts(text, {{"@BulletFontNameComplexScript", "+mn-cs"},
                     {"@BulletFontNameFarEast", "+mn-ea"},
                     {"@BulletFontUnderline", "2"}});
  EXPECT_FALSE(text.attribute("BulletFontSize"));
  EXPECT_TRUE(sleeper->waits.empty());
  EXPECT_STREQ(text.attribute("BulletStrikethrough").value(), "false");
  ExpectHas(Log(), {"FontAttributes:  -2147418111: Call was rejected by callee. in FontAttributes at line 11"});
}

}  // namespace
}  // namespace quillmere::testing
