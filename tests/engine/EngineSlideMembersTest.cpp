// The slide members (names, layouts, backgrounds, theme colours, titles,
// notes pages, transitions) answer from real decks what PowerPoint answers,
// with the enumeration values of its object model. Small XML fragments cover
// what no corpus deck carries: the 2010-2015 transitions, sounds, fields.

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "engine/EngineRuntime.h"
#include "engine/model/format/BackgroundStyle.h"
#include "engine/model/shapes/PlaceholderTypes.h"
#include "engine/model/slides/SlideLayoutType.h"
#include "engine/model/slides/TransitionReader.h"
#include "engine/model/text/ShapeText.h"
#include "engine/package/Package.h"
#include "objectmodel/automation/ComError.h"
#include "tests/engine/EditedDecks.h"
#include "tests/engine/EngineDecks.h"
#include "tests/helpers/ErrorNumber.h"
#include "tests/helpers/IsolatedUserFolders.h"
#include "tests/helpers/ObjectMembers.h"
#include "tests/helpers/OfficeValues.h"

namespace quillmere::testing {
namespace {

class EngineSlideMembersTest : public IsolatedUserFolders {
 protected:
  static Object Start(int version = 16) { return StartEngine(version); }
  static Object Open(const Object& app, const std::string& file) { return OpenDeck(app, file); }
  static Object Slide(const Object& pres, int index) { return pres.Child("Slides").Item(index); }
  // Colours of a colour scheme by index, RGB packed red low.
  static void ExpectColors(const Object& scheme, std::initializer_list<std::pair<int, int>> colors) {
    for (auto [index, rgb] : colors)
      EXPECT_EQ(scheme.Child("Colors", index).Get("RGB").AsLong(), rgb) << "colour " << index;
  }

  // A copy of a corpus deck with some of its parts edited in place.
  using PartEdit = std::function<void(pugi::xml_node root)>;
  std::string Variant(const char* deck, const std::map<std::string, PartEdit>& edits) {
    return EditedDeck(Deck(deck), Folder("tmp") / "variant.pptx", [&](engine::Package& package) {
      for (const auto& [part, edit] : edits) EditPart(package, part, edit);
    });
  }
};

TEST_F(EngineSlideMembersTest, TransitionsOfRealDecksAnswerPowerPointsEffects) {
  Object app = Start();
  struct Expected {
    const Object& pres;
    int slide, effect, speed;
    float duration;
  };
  Object keyframes = Open(app, Deck("poi__keyframes.pptx")), stress = Open(app, Deck("poi__stress013.pptx"));
  for (const Expected& e : {Expected{keyframes, 1, 1537, 1, 1.0f},   // dissolve
                            Expected{keyframes, 3, 3859, 1, 1.0f},   // wheel, 3 spokes
                            Expected{keyframes, 6, 2306, 1, 1.0f},   // vertical random bars
                            Expected{keyframes, 7, 2305, 1, 1.0f},   // random bars, horizontal by default
                            Expected{keyframes, 11, 2565, 1, 1.0f},  // strips, left-up by default
                            Expected{keyframes, 16, 0, 1, 1.0f},     // a transition without an effect
                            // The 2010 and 2015 branches of mc:AlternateContent are taken, with their p14:dur.
                            Expected{stress, 3, 3849, 2, 0.7f},  // fade (smoothly), medium, 700 ms
                            Expected{stress, 4, 3954, 1, 2.0f},  // morph by object
                            Expected{stress, 6, 1281, 1, 1.0f}}) {
    SCOPED_TRACE("slide " + std::to_string(e.slide));
    ExpectMembers(Slide(e.pres, e.slide).Child("SlideShowTransition"),
                  {{"EntryEffect", e.effect}, {"Speed", e.speed}, {"Duration", e.duration}});
  }
  Object throughBlack = Slide(Open(app, Deck("poi__bug68703.pptx")), 1).Child("SlideShowTransition");
  ExpectMembers(throughBlack, {{"EntryEffect", 1793}, {"Duration", 0.1f}});
  EXPECT_EQ(Slide(Open(app, Deck("poi__KEY02.pptx")), 1).Child("SlideShowTransition").Get("Duration").AsSingle(), 0.5f);

  Object byClickOnly = Slide(Open(app, Deck("poi__missing-blip-fill.pptx")), 1).Child("SlideShowTransition");
  ExpectMembers(byClickOnly, {{"AdvanceOnClick", kFalse}, {"AdvanceOnTime", kFalse}, {"EntryEffect", 0},
                              {"Duration", 2.0f}});

  Object timed = Slide(Open(app, Deck("poi__ca.ubc.cs.people_~emhill_presentations_HowWeRefactor.pptx")), 7)
                     .Child("SlideShowTransition");
  ExpectMembers(timed, {{"AdvanceOnClick", kFalse}, {"AdvanceOnTime", kTrue}, {"AdvanceTime", 1.0f}});

  Object none = Slide(Open(app, Deck("poi__2411-Performance_Up.pptx")), 1).Child("SlideShowTransition");
  ExpectMembers(none, {{"EntryEffect", 0}, {"AdvanceOnClick", kTrue}, {"AdvanceOnTime", kFalse}, {"AdvanceTime", 0.0f},
                       {"Speed", 3}, {"SoundEffect.Type", 0}});
}

TEST_F(EngineSlideMembersTest, NamesHiddenSlidesNumbersAndParents) {
  Object app = Start();
  Object sample = Open(app, Deck("poi__SampleShow.pptx"));
  EXPECT_EQ(Slide(sample, 1).Get("Name").AsString(), "FirstSlide");
  EXPECT_EQ(Slide(sample, 2).Get("Name").AsString(), "Slide2");  // unnamed: named by its position on opening
  EXPECT_EQ(Slide(sample, 2).Child("Parent").Ptr(), sample.Ptr());
  EXPECT_EQ(sample.Child("Slides").Child("Parent").Ptr(), sample.Ptr());
  EXPECT_EQ(Slide(sample, 2).Child("Shapes").Child("Parent").Ptr(), Slide(sample, 2).Ptr());

  Object perf = Open(app, Deck("poi__2411-Performance_Up.pptx"));
  for (int i : {1, 12, 14, 47})
    EXPECT_EQ(Slide(perf, i).Child("SlideShowTransition").Get("Hidden").AsLong(), kFalse) << "slide " << i;
  for (int i : {13, 48})
    EXPECT_EQ(Slide(perf, i).Child("SlideShowTransition").Get("Hidden").AsLong(), kTrue) << "slide " << i;

  // The parent is held weakly: once the presentation is closed and let go, it is gone.
  Object orphan = Slide(perf, 3);
  perf.Call("Close");
  perf = Object();
  EXPECT_EQ(ErrorOf([&] { orphan.Get("Parent"); }), hr::kUnspecified);
  EXPECT_EQ(orphan.Get("Name").AsString(), "Slide3");

  std::string renumbered = Variant("poi__SampleShow.pptx", {{"ppt/presentation.xml", [](pugi::xml_node root) {
                                                               root.append_attribute("firstSlideNum") = "5";
                                                             }}});
  Object deck = Open(app, renumbered);
  ExpectMembers(Slide(deck, 1), {{"SlideNumber", 5}});
  ExpectMembers(Slide(deck, 2), {{"SlideNumber", 6}, {"SlideIndex", 2}});
}

TEST_F(EngineSlideMembersTest, TitlesAndTheirText) {
  Object app = Start();
  Object perf = Open(app, Deck("poi__2411-Performance_Up.pptx"));
  Object shapes = Slide(perf, 1).Child("Shapes");
  // A centred title.
  ExpectMembers(shapes, {{"HasTitle", kTrue}, {"Title.TextFrame.TextRange.Text", "Apache Performance Tuning"}});
  ExpectMembers(shapes, {{"Title.PlaceholderFormat.Type", 3}});
  Object untitled = Slide(perf, 2).Child("Shapes");                                      // a blank slide
  EXPECT_EQ(untitled.Get("HasTitle").AsLong(), kFalse);
  EXPECT_EQ(ErrorOf([&] { untitled.Get("Title"); }), hr::kUnspecified);

  // Line breaks are vertical tabs; TrimText drops them at the ends.
  Object key = Slide(Open(app, Deck("poi__KEY02.pptx")), 1).Child("Shapes").Child("Title");
  Object keyText = key.Child("TextFrame").Child("TextRange");
  ExpectMembers(keyText, {{"Text", "Welcome to Internet Explorer 9\v\vHTML5, Hardware Accelerated\v"},
                          {"TrimText", "Welcome to Internet Explorer 9\v\vHTML5, Hardware Accelerated"}});
  Object talent = Slide(Open(app, Deck("poi__60810.pptx")), 6).Child("Shapes").Child("Title");
  EXPECT_EQ(talent.Child("TextFrame").Child("TextRange").Get("TrimText").AsString(), "The benefits we are seeking");

  // Several paragraphs, a field and surrounding blanks in a title of a real deck.
  std::string edited = Variant("poi__SampleShow.pptx", {{"ppt/slides/slide1.xml", [](pugi::xml_node root) {
    pugi::xml_node body = root.select_node("//p:sp[p:nvSpPr/p:nvPr/p:ph/@type='ctrTitle']/p:txBody").node();
    while (pugi::xml_node p = body.child("a:p")) body.remove_child(p);
    const char paragraphs[] =
        "<a:p><a:r><a:t> \tFirst</a:t></a:r><a:br/><a:r><a:t>line</a:t></a:r></a:p>"
        "<a:p><a:fld id=\"{1}\" type=\"slidenum\"><a:t>7</a:t></a:fld><a:r><a:t> of 9 </a:t></a:r></a:p><a:p/>";
    body.append_buffer(paragraphs, sizeof(paragraphs) - 1);
  }}});
  Object text = Slide(Open(app, edited), 1).Child("Shapes").Child("Title").Child("TextFrame").Child("TextRange");
  ExpectMembers(text, {{"Text", " \tFirst\vline\r7 of 9 \r"}, {"TrimText", "First\vline\r7 of 9"}});
}

TEST_F(EngineSlideMembersTest, NotesPagesWithAndWithoutANotesSlide) {
  Object app = Start();
  Object perf = Open(app, Deck("poi__2411-Performance_Up.pptx"));
  Object notes = Slide(perf, 1).Child("NotesPage").Child("Shapes").Child("Placeholders");
  ASSERT_EQ(notes.Count(), 3);
  ExpectMembers(notes.Item(1), {{"PlaceholderFormat.Type", 13}});  // slide number
  ExpectMembers(notes.Item(2), {{"PlaceholderFormat.Type", 101}});
  ExpectMembers(notes.Item(3), {{"PlaceholderFormat.Type", 2}, {"Name", "Rectangle 3"}});
  EXPECT_THROW(notes.Item(4), ComError);

  // Slide 9 has no notes slide: its notes page is the one PowerPoint makes.
  Object made = Slide(perf, 9).Child("NotesPage").Child("Shapes");
  EXPECT_EQ(made.Count(), 2);
  Object placeholders = made.Child("Placeholders");
  ASSERT_EQ(placeholders.Count(), 2);
  ExpectMembers(placeholders.Item(1), {{"PlaceholderFormat.Type", 101}, {"Name", "Slide Image Placeholder 1"}});
  ExpectMembers(placeholders.Item(2), {{"PlaceholderFormat.Type", 2}, {"TextFrame.TextRange.Text", ""}});
  // Another slide without notes gets a page of its own, not slide 9's.
  EXPECT_EQ(Slide(perf, 14).Child("NotesPage").Child("Shapes").Count(), 2);

  // Slide placeholders: a p:ph without a type is an object placeholder.
  Object slide2 = Slide(Open(app, Deck("poi__SampleShow.pptx")), 2).Child("Shapes").Child("Placeholders");
  ASSERT_EQ(slide2.Count(), 2);
  ExpectMembers(slide2.Item(1), {{"PlaceholderFormat.Type", 1}});
  ExpectMembers(slide2.Item(2), {{"PlaceholderFormat.Type", 7}});
}

TEST_F(EngineSlideMembersTest, LayoutsCustomLayoutsAndBackgrounds) {
  Object app = Start();
  Object perf = Open(app, Deck("poi__2411-Performance_Up.pptx"));
  for (auto [slide, layout] : std::initializer_list<std::pair<int, int>>{{1, 1}, {5, 15}})  // title, objOnly
    EXPECT_EQ(Slide(perf, slide).Get("Layout").AsLong(), layout) << "slide " << slide;
  Object themes = Open(app, Deck("poi__themes.pptx"));
  EXPECT_EQ(Slide(themes, 9).Get("Layout").AsLong(), 33);                              // secHead
  EXPECT_EQ(Slide(Open(app, Deck("poi__60810.pptx")), 3).Get("Layout").AsLong(), 32);  // a layout without a type

  // The custom layout is the master's own object, at its place in the master's list.
  Object asset = Open(app, Deck("poi__aascu.org_workarea_downloadasset.aspx_id=5864.pptx"));
  Object layout = Slide(asset, 4).Child("CustomLayout");
  ExpectMembers(layout, {{"Index", 7}, {"Name", "Blank"}});
  EXPECT_EQ(layout.Ptr(), asset.Child("Designs").Item(1).Child("SlideMaster").Child("CustomLayouts").Item(7).Ptr());

  // The background in effect: the slide's own, else its layout's, else its
  // master's; a style's fill is the theme's background fill of that number.
  struct Background {
    int slide, follows, style, fillType;
  };
  for (Background b : {Background{1, kTrue, 1, 1},    // master: style 1001 (solid) with bg1
                       Background{2, kTrue, 0, 1},    // layout: its own fill
                       Background{3, kTrue, 11, 3},   // layout: style 1003 (gradient) with bg2
                       Background{4, kTrue, 7, 3},    // master: style 1002 (gradient) with bg2
                       Background{5, kFalse, 0, 4},   // slide: a tiled picture, a texture
                       Background{9, kTrue, 11, 6}})  // layout: style 1003, a picture in that master's theme
  {
    SCOPED_TRACE("slide " + std::to_string(b.slide));
    ExpectMembers(
        Slide(themes, b.slide),
        {{"FollowMasterBackground", b.follows}, {"BackgroundStyle", b.style}, {"Background.Fill.Type", b.fillType}});
  }
  // msoThemeColorBackground1
  ExpectMembers(Slide(themes, 1),
                {{"Background.Fill.Visible", kTrue}, {"Background.Fill.ForeColor.ObjectThemeColor", 14}});
  ExpectMembers(Slide(themes, 7), {{"DisplayMasterShapes", kFalse}});
  ExpectMembers(Slide(themes, 6), {{"DisplayMasterShapes", kTrue}});
}

TEST_F(EngineSlideMembersTest, ThemeColorsGoThroughTheColorMaps) {
  Object app = Start();
  // The keyframes master maps bg1 to dk1 and tx1 to lt1 (a dark deck).
  Object dark = Slide(Open(app, Deck("poi__keyframes.pptx")), 1).Child("ThemeColorScheme");
  // Dark1 shows lt1 (a system colour), Light1 dk1; then lt2 D6ECFF (red in the low byte), dk2 4E5B6F, accent1 7FD13B.
  ExpectColors(dark, {{1, 0xFFFFFF}, {2, 0x000000}, {3, 0xFFECD6}, {4, 0x6F5B4E}, {5, 0x3BD17F}});
  EXPECT_EQ(dark.Child("Colors", 12).Get("").AsLong(), 0x91775F);  // folHlink 5F7791, by the default member
  EXPECT_EQ(ErrorOf([&] { dark.Call("Colors", 0); }), hr::kInvalidArgument);
  EXPECT_EQ(ErrorOf([&] { dark.Call("Colors", 13); }), hr::kInvalidArgument);

  // A light master whose Section Header layout overrides the map with a dark one.
  Object master = Open(app, Deck("poi__aascu.org_workarea_downloadasset.aspx_id=5864.pptx"))
                      .Child("Designs").Item(1).Child("SlideMaster").Child("CustomLayouts");
  Object plain = master.Item(1).Child("ThemeColorScheme");
  Object overridden = master.Item(3).Child("ThemeColorScheme");
  ExpectColors(plain, {{1, 0x000000}, {3, 0x464646}});
  ExpectColors(overridden, {{1, 0xFFFFFF}, {3, 0xFAF5DE} /* lt2 DEF5FA */, {5, 0xBFA22D} /* accents stay */});

  // A slide override of its own wins over the master's map.
  std::string edited = Variant("poi__keyframes.pptx", {{"ppt/slides/slide1.xml", [](pugi::xml_node root) {
    pugi::xml_node override = root.insert_child_after("p:clrMapOvr", root.child("p:cSld"));
    override.append_child("a:overrideClrMapping").append_attribute("tx1") = "dk1";
  }}});
  // bg1 keeps the master's mapping to dk1.
  ExpectColors(Slide(Open(app, edited), 1).Child("ThemeColorScheme"), {{1, 0x000000}, {2, 0x000000}});
}

TEST_F(EngineSlideMembersTest, OlderVersionsLackTheNewerSlideMembers) {
  std::string deck = Deck("poi__stress013.pptx");
  Object app2003 = Start(11);
  Object slide = Slide(Open(app2003, deck), 3);
  EXPECT_EQ(slide.Get("Layout").AsLong(), Slide(Open(Start(), deck), 3).Get("Layout").AsLong());
  for (const char* member : {"CustomLayout", "BackgroundStyle", "ThemeColorScheme"})
    EXPECT_EQ(ErrorOf([&] { slide.Get(member); }), hr::kNotSupported) << member;
  EXPECT_EQ(slide.Child("SlideShowTransition").Get("EntryEffect").AsLong(), 3849);
  EXPECT_EQ(ErrorOf([&] { slide.Child("SlideShowTransition").Get("Duration"); }), hr::kNotSupported);

  Object slide2007 = Slide(Open(Start(12), deck), 3);
  EXPECT_NO_THROW(slide2007.Get("CustomLayout"));
  EXPECT_EQ(ErrorOf([&] { slide2007.Child("SlideShowTransition").Get("Duration"); }), hr::kNotSupported);
  EXPECT_FLOAT_EQ(Slide(Open(Start(14), deck), 3).Child("SlideShowTransition").Get("Duration").AsSingle(), 0.7f);
}

// The readers behind those members, on fragments no corpus deck carries.

engine::SlideTransition TransitionOf(const std::string& content, const std::string& slideAttributes = "") {
  pugi::xml_document doc;
  std::string xml = "<p:sld xmlns:p=\"p\" xmlns:mc=\"mc\" " + slideAttributes +
                    " xmlns:p14=\"http://schemas.microsoft.com/office/powerpoint/2010/main\">" + content + "</p:sld>";
  EXPECT_TRUE(doc.load_string(xml.c_str()));
  return engine::ReadSlideTransition(doc.document_element());
}

std::string Choice(const std::string& prefixes, const std::string& declarations, const std::string& effect) {
  return "<mc:AlternateContent><mc:Choice Requires=\"" + prefixes + "\" " + declarations + "><p:transition>" +
         effect + "</p:transition></mc:Choice><mc:Fallback><p:transition><p:wipe dir=\"u\"/></p:transition>" +
         "</mc:Fallback></mc:AlternateContent>";
}

TEST(EngineSlideReadersTest, TransitionEffectsAndTheBranchTaken) {
  const std::string p15 = "xmlns:p15=\"http://schemas.microsoft.com/office/powerpoint/2012/main\"";
  const std::string p159 = "xmlns:p159=\"http://schemas.microsoft.com/office/powerpoint/2015/09/main\"";
  struct Case {
    std::string content;
    int effect;
  };
  const Case cases[] = {
      {"<p:transition><p:cut/></p:transition>", 257},
      {"<p:transition><p:cut thruBlk=\"1\"/></p:transition>", 258},
      {"<p:transition><p:cover dir=\"rd\"/></p:transition>", 1288},
      {"<p:transition><p:split/></p:transition>", 3585},
      {"<p:transition><p:split orient=\"vert\" dir=\"in\"/></p:transition>", 3588},
      {"<p:transition><p:zoom dir=\"in\"/></p:transition>", 3074},
      {"<p:transition><p:wipe dir=\"d\"/></p:transition>", 2820},
      {"<p:transition><p:push dir=\"u\"/></p:transition>", 3855},
      {"<p:transition><p:wheel spokes=\"5\"/></p:transition>", 0},  // no such PowerPoint effect, no fallback
      {Choice("p14", "", "<p14:vortex dir=\"u\"/>"), 3864},
      {Choice("p14", "", "<p14:prism/>"), 3914},
      {Choice("p14", "", "<p14:prism isContent=\"1\" isInverted=\"1\" dir=\"r\"/>"), 3928},
      {Choice("p14", "", "<p14:glitter pattern=\"hexagon\" dir=\"d\"/>"), 3879},
      {Choice("p14", "", "<p14:shred pattern=\"rectangle\" dir=\"out\"/>"), 3913},
      {Choice("p14", "", "<p14:flythrough dir=\"out\" hasBounce=\"1\"/>"), 3893},
      {Choice("p14", "", "<p14:reveal thruBlk=\"1\" dir=\"r\"/>"), 3897},
      {Choice("p14", "", "<p14:ripple dir=\"ld\"/>"), 3870},
      {Choice("p14", "", "<p14:ferris dir=\"r\"/>"), 3900},
      {Choice("p15", p15, "<p15:prstTrans prst=\"pageCurlDouble\" invX=\"1\"/>"), 3949},
      {Choice("p15", p15, "<p15:prstTrans prst=\"curtains\"/>"), 3938},
      {Choice("p15", p15, "<p15:prstTrans prst=\"notYetInvented\"/>"), 2818},  // the fallback's wipe up
      {Choice("p159", p159, "<p159:morph option=\"byChar\"/>"), 3956},
      {Choice("x", "xmlns:x=\"urn:future\"", "<x:swirl/>"), 2818},  // a namespace unknown here
      {Choice("p16", "", "<p14:vortex/>"), 2818},                   // an undeclared prefix
      {Choice("q", "xmlns:q=\"http://schemas.microsoft.com/office/powerpoint/2010/main\"", "<q:vortex/>"), 3863},
      // A branch around the timing, not the transition, is passed over.
      {"<mc:AlternateContent><mc:Choice Requires=\"p14\"><p:timing/></mc:Choice></mc:AlternateContent>"
       "<p:transition><p:dissolve/></p:transition>",
       1537},
  };
  for (const Case& c : cases) EXPECT_EQ(TransitionOf(c.content).entryEffect, c.effect) << c.content;

  engine::SlideTransition full = TransitionOf(
      "<p:transition spd=\"med\" advClick=\"0\" advTm=\"2500\" p14:dur=\"1200\"><p:sndAc><p:stSnd>"
      "<p:snd r:embed=\"rId2\" name=\"chime.wav\"/></p:stSnd></p:sndAc><p:fade/></p:transition>",
      "show=\"0\"");
  EXPECT_EQ(full.entryEffect, 3849);  // the sound before it is not the effect
  EXPECT_EQ(full.speed, engine::kSpeedMedium);
  EXPECT_FALSE(full.advanceOnClick);
  EXPECT_EQ(full.advanceAfterMs, 2500);
  EXPECT_FLOAT_EQ(full.DurationSeconds(), 1.2f);
  EXPECT_EQ(full.soundEffect, engine::kSoundFile);
  EXPECT_TRUE(full.hidden);
  EXPECT_EQ(TransitionOf("<p:transition><p:sndAc><p:endSnd/></p:sndAc></p:transition>").soundEffect,
            engine::kSoundStopPrevious);
  engine::SlideTransition none = TransitionOf("", "show=\"1\"");
  EXPECT_EQ(none.entryEffect, 0);
  EXPECT_EQ(none.speed, engine::kSpeedFast);
  EXPECT_FLOAT_EQ(none.DurationSeconds(), 0.5f);
  EXPECT_TRUE(none.advanceOnClick);
  EXPECT_FALSE(none.hidden);
}

pugi::xml_node Parsed(pugi::xml_document& doc, const char* xml) {
  EXPECT_TRUE(doc.load_string(xml, pugi::parse_default | pugi::parse_ws_pcdata_single));
  return doc.document_element();
}

TEST(EngineSlideReadersTest, BackgroundPresetsPlaceholderKindsLayoutsAndText) {
  struct Bg {
    const char* xml;
    int preset;
  };
  for (Bg b : {Bg{"<p:bg><p:bgRef idx=\"1001\"><a:schemeClr val=\"bg1\"/></p:bgRef></p:bg>", 1},
               Bg{"<p:bg><p:bgRef idx=\"1001\"><a:schemeClr val=\"tx1\"/></p:bgRef></p:bg>", 2},
               Bg{"<p:bg><p:bgRef idx=\"1002\"><a:schemeClr val=\"bg2\"/></p:bgRef></p:bg>", 7},
               Bg{"<p:bg><p:bgRef idx=\"1003\"><a:schemeClr val=\"tx2\"/></p:bgRef></p:bg>", 12},
               Bg{"<p:bg><p:bgRef idx=\"1001\"><a:schemeClr val=\"bg1\"><a:lumMod val=\"95000\"/></a:schemeClr>"
                  "</p:bgRef></p:bg>",
                  0},
               Bg{"<p:bg><p:bgRef idx=\"1001\"><a:schemeClr val=\"accent1\"/></p:bgRef></p:bg>", 0},
               Bg{"<p:bg><p:bgRef idx=\"3\"><a:schemeClr val=\"bg1\"/></p:bgRef></p:bg>", 0},
               Bg{"<p:bg><p:bgRef idx=\"1004\"><a:schemeClr val=\"bg1\"/></p:bgRef></p:bg>", 0},
               Bg{"<p:bg><p:bgRef idx=\"1001\"><a:srgbClr val=\"FFFFFF\"/></p:bgRef></p:bg>", 0},
               Bg{"<p:bg><p:bgPr><a:noFill/></p:bgPr></p:bg>", 0}}) {
    pugi::xml_document doc;
    EXPECT_EQ(engine::BackgroundStyleIndex(Parsed(doc, b.xml)), b.preset) << b.xml;
  }
  EXPECT_EQ(engine::BackgroundStyleIndex(pugi::xml_node()), 0);

  struct Ph {
    const char* xml;
    int type;
  };
  for (Ph p : {Ph{"<p:ph type=\"title\"/>", 1}, Ph{"<p:ph type=\"title\" orient=\"vert\"/>", 5},
               Ph{"<p:ph type=\"body\" orient=\"vert\" idx=\"1\"/>", 6}, Ph{"<p:ph idx=\"1\"/>", 7},
               Ph{"<p:ph orient=\"vert\" idx=\"1\"/>", 17}, Ph{"<p:ph type=\"pic\"/>", 18},
               Ph{"<p:ph type=\"future\"/>", 7}}) {
    pugi::xml_document doc;
    EXPECT_EQ(engine::PlaceholderType(Parsed(doc, p.xml)), p.type) << p.xml;
  }

  for (auto [token, layout] :
       std::initializer_list<std::pair<const char*, int>>{{"twoColTx", 3}, {"cust", 32}, {"", 32}, {"bogus", 32}})
    EXPECT_EQ(engine::SlideLayoutOf(token), layout) << token;

  pugi::xml_document doc;
  pugi::xml_node body = Parsed(doc,
                               "<p:txBody><a:bodyPr/><a:p><a:pPr/><a:r><a:t>A </a:t></a:r><a:r><a:t> </a:t></a:r>"
                               "<a:fld type=\"datetime\"><a:t>1/2/25</a:t></a:fld><a:endParaRPr/></a:p>"
                               "<a:p><a:br/></a:p></p:txBody>");
  EXPECT_EQ(engine::TextOfBody(body), "A  1/2/25\r\v");
  EXPECT_EQ(engine::TextOfBody(pugi::xml_node()), "");
  EXPECT_EQ(engine::TrimmedText(" \t\r\v\n"), "");
  EXPECT_EQ(engine::TrimmedText("\v x\ty \r"), "x\ty");
}

}  // namespace
}  // namespace quillmere::testing
