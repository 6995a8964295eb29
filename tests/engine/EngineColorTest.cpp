// Colours of real decks resolve as PowerPoint shows them: theme slots through
// the colour map in effect (a dark master maps bg2 to dk2), luminance
// transforms on HSL, tint and shade in linear light, phClr from the style
// reference; and ColorFormat reports and edits the element it reads.

#include <gtest/gtest.h>

#include <cstdlib>

#include "engine/model/format/ColorResolution.h"
#include "engine/model/format/PartColors.h"
#include "engine/model/format/ThemeStyles.h"
#include "engine/objects/format/ColorFormatObjects.h"
#include "engine/package/Package.h"
#include "objectmodel/automation/ComError.h"
#include "objectmodel/automation/Object.h"
#include "tests/engine/EngineDecks.h"
#include "tests/helpers/ObjectMembers.h"
#include "tests/helpers/OfficeValues.h"

namespace quillmere::testing {
namespace {

using engine::ColorContext;
using engine::PresentationDocument;
using engine::ResolveColor;

std::shared_ptr<PresentationDocument> OpenDoc(const char* deck) {
  return std::make_shared<PresentationDocument>(engine::Package::Open(Deck(deck)));
}

pugi::xml_node Select(PresentationDocument& doc, const std::string& part, const char* xpath) {
  return doc.PartRoot(part).select_node(xpath).node();
}

// 0xRRGGBB as RGB packs it.

// LibreOffice rounds to 8 bits between transforms, a few steps off after a strong satMod.
void ExpectNear(std::uint32_t packed, std::uint32_t hex, const char* what, int steps = 1) {
  auto p = static_cast<std::uint32_t>(Packed(hex));
  for (int shift : {0, 8, 16})
    EXPECT_LE(std::abs(static_cast<int>((packed >> shift) & 0xFF) - static_cast<int>((p >> shift) & 0xFF)), steps)
        << what << std::hex << " got " << packed << " want " << p;
}

TEST(EngineColorTest, ResolvesThemeColoursWithTheirTransforms) {
  auto doc = OpenDoc("pptx__dml-fill.pptx");
  const std::string slide = "ppt/slides/slide1.xml";
  ColorContext ctx = engine::ColorContextOf(*doc, slide);
  auto stop = [&](int i) {
    std::string xpath = "//p:sp[.//p:cNvPr/@name='Rounded Rectangle 7']//a:gs[" + std::to_string(i) + "]/*";
    return ResolveColor(Select(*doc, slide, xpath.c_str()), ctx);
  };
  // Accent1 4F81BD "lighter 40%" and its shades, as PowerPoint's palette has them.
  engine::ResolvedColor lighter = stop(3);
  EXPECT_EQ(lighter.rgb, static_cast<std::uint32_t>(Packed(0x95B3D7)));
  EXPECT_EQ(lighter.themeColor, 5);
  EXPECT_NEAR(lighter.brightness, 0.4, 1e-6);
  EXPECT_DOUBLE_EQ(lighter.alpha, 1.0);
  ExpectNear(stop(2).rgb, 0x3C7AC7, "shade 93% satMod 130%");  // as LibreOffice shows the stop

  // The style matrix's third fill for fillRef idx 3: phClr is the reference's accent1.
  pugi::xml_node theme = engine::ThemeRootOf(*doc, slide);
  ctx.placeholderColor = Select(*doc, slide, "//p:sp[.//p:cNvPr/@name='Rounded Rectangle 4']/p:style/a:fillRef/*");
  pugi::xml_node gradient = theme.select_node("//a:fillStyleLst/a:gradFill[2]").node();
  engine::ResolvedColor first = ResolveColor(gradient.select_node("a:gsLst/a:gs[1]/*").node(), ctx);
  EXPECT_EQ(first.themeColor, 5);
  ExpectNear(first.rgb, 0x3E7FCC, "phClr satMod 130%", 3);
  ExpectNear(ResolveColor(gradient.select_node("a:gsLst/a:gs[2]/*").node(), ctx).rgb, 0xA4C1FF,
             "phClr tint 50% satMod 350%", 3);

  // Colour forms other than theme colours.
  pugi::xml_document snippets;
  snippets.load_string(
      "<r xmlns:a='a'>"
      "<a:srgbClr val='FF99FF'><a:shade val='25000'/></a:srgbClr>"  // PowerPoint shows 895089
      "<a:srgbClr val='4F81BD'><a:lumMod val='75000'/><a:alpha val='40000'/></a:srgbClr>"
      "<a:prstClr val='dkSlateBlue'/>"
      "<a:sysClr val='windowText' lastClr='1F1F1F'/>"
      "<a:hslClr hue='14400000' sat='100%' lum='50%'/>"
      "<a:scrgbClr r='100000' g='5000' b='0'/>"
      "<a:schemeClr val='phClr'/>"
      "</r>");
  ColorContext none;
  std::vector<engine::ResolvedColor> c;
  for (pugi::xml_node n : snippets.first_child().children()) c.push_back(ResolveColor(n, none));
  // Hue 240° is blue; linear 5% green is sRGB 63.
  const std::uint32_t hexes[] = {0x895089, 0x376092, 0x483D8B, 0x1F1F1F, 0x0000FF, 0xFF3F00};
  for (std::size_t i = 0; i < std::size(hexes); ++i)
    EXPECT_EQ(c[i].rgb, static_cast<std::uint32_t>(Packed(hexes[i]))) << i;
  EXPECT_NEAR(c[0].tintAndShade, -0.75, 1e-9);
  EXPECT_NEAR(c[1].alpha, 0.4, 1e-9);
  EXPECT_EQ(c[5].themeColor, 0);
  EXPECT_FALSE(c[6].present);  // phClr outside a style reference
}

TEST(EngineColorTest, SchemeColoursFollowTheColourMapOfTheirMaster) {
  // Slide 10 follows a master mapping bg2 to dk2 (7DAFC3); slide 7's master maps it to lt2.
  auto doc = OpenDoc("poi__themes.pptx");
  const std::string dark = "ppt/slides/slide10.xml";
  ColorContext ctx = engine::ColorContextOf(*doc, dark);
  engine::ResolvedColor tinted = ResolveColor(Select(*doc, dark, "//p:bg//a:gs[1]/*"), ctx);
  engine::ResolvedColor darker = ResolveColor(Select(*doc, dark, "//p:bg//a:gs[2]/*"), ctx);
  EXPECT_EQ(tinted.themeColor, 16);  // Background2, as written, not the slot it maps to
  ExpectNear(tinted.rgb, 0xA2C2D0, "bg2 tint 80%");  // LibreOffice's background gradient
  ExpectNear(darker.rgb, 0x5193AE, "bg2 lumMod 80%");
  EXPECT_NEAR(tinted.tintAndShade, 0.2, 1e-9);
  EXPECT_NEAR(darker.brightness, -0.2, 1e-9);

  const std::string light = "ppt/slides/slide7.xml";
  engine::ResolvedColor plain = ResolveColor(Select(*doc, light, "//a:solidFill[a:schemeClr/@val='bg2']/*"),
                                             engine::ColorContextOf(*doc, light));
  EXPECT_EQ(plain.themeColor, 16);
  EXPECT_NE(plain.rgb, tinted.rgb);
  for (auto [theme, legacy] : {std::pair{16, 3}, std::pair{13, 2}, std::pair{9, 0}})
    EXPECT_EQ(engine::LegacySchemeIndexOf(theme), legacy) << theme;
}

TEST(EngineColorTest, ColorFormatReadsTheElementAgainAfterEachEdit) {
  auto session = std::make_shared<engine::EngineSession>(engine::EngineOptions{14});
  auto doc = OpenDoc("pptx__dml-fill.pptx");
  const std::string slide = "ppt/slides/slide1.xml";
  pugi::xml_node holder =
      Select(*doc, slide, "//p:sp[.//p:cNvPr/@name='Rounded Rectangle 7']//a:gs[3]");
  int edits = 0;
  engine::ColorBinding binding{
      .locate = [holder] { return engine::ColorSource{.color = engine::ColorChildOf(holder), .placeholderColor = {}, .fallbackRgb = 0}; },
      .edit = [holder, &edits](const std::function<void(pugi::xml_node)>& f) { f(holder), ++edits; }};
  Object color(std::make_shared<engine::ColorFormatObject>(session, doc, slide, binding));
  ExpectMembers(color, {{"RGB", Packed(0x95B3D7)}, {"Type", 2}, {"ObjectThemeColor", 5}, {"SchemeColor", 5}});
  EXPECT_NEAR(color.Get("Brightness").AsSingle(), 0.4f, 1e-6f);

  color.Put("RGB", Packed(0x2CB731));
  EXPECT_EQ(edits, 1);
  ExpectMembers(color, {{"Type", 1}, {"ObjectThemeColor", 0}});
  EXPECT_STREQ(holder.first_child().name(), "a:srgbClr");
  EXPECT_STREQ(holder.first_child().attribute("val").value(), "2CB731");
  EXPECT_EQ(holder.select_nodes("*").size(), 1u);

  color.Put("ObjectThemeColor", 6);  // accent2
  ExpectMembers(color, {{"RGB", Packed(0xC0504D)}, {"Type", 2}});
  EXPECT_THROW(color.Put("ObjectThemeColor", 17), ComError);

  // Without a colour element the owner's default shows, as an RGB colour.
  engine::ColorBinding empty{
      .locate = [] { return engine::ColorSource{.color = {}, .placeholderColor = {}, .fallbackRgb = 0xFFFFFF}; },
      .edit = {}};
  Object absent(std::make_shared<engine::ColorFormatObject>(session, doc, slide, empty));
  ExpectMembers(absent, {{"RGB", 0xFFFFFF}, {"Type", 1}});
  EXPECT_THROW(absent.Put("RGB", 0), ComError);
}

}  // namespace
}  // namespace quillmere::testing
