// Slide members (names, layouts, backgrounds, theme colours, titles, notes
// pages, transitions, hyperlinks and their action settings) answer from real
// decks what PowerPoint answers, and fail the way it fails. Small XML edits
// cover what no corpus deck carries: the 2010-2015 transitions, action verbs,
// links that lead nowhere.

#include <gtest/gtest-spi.h>
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
#include "tests/fakes/FakeObject.h"
#include "tests/helpers/ErrorNumber.h"
#include "tests/helpers/IsolatedUserFolders.h"
#include "tests/helpers/NearMembers.h"
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
  for (const Expected& e : {Expected{keyframes, 3, 3859, 1, 1.0f},   // wheel, 3 spokes
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
  ExpectMembers(byClickOnly,
                {{"AdvanceOnClick", kFalse}, {"AdvanceOnTime", kFalse}, {"EntryEffect", 0}, {"Duration", 2.0f}});

  Object timed = Slide(Open(app, Deck("poi__ca.ubc.cs.people_~emhill_presentations_HowWeRefactor.pptx")), 7)
                     .Child("SlideShowTransition");
  ExpectMembers(timed, {{"AdvanceOnClick", kFalse}, {"AdvanceOnTime", kTrue}, {"AdvanceTime", 1.0f}});

  Object none = Slide(Open(app, Deck("poi__2411-Performance_Up.pptx")), 1).Child("SlideShowTransition");
  ExpectMembers(none, {{"EntryEffect", 0}, {"AdvanceOnClick", kTrue}, {"AdvanceOnTime", kFalse}});
  ExpectMembers(none, {{"AdvanceTime", 0.0f}, {"Speed", 3}, {"SoundEffect.Type", 0}});
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
  for (auto [i, hidden] : std::initializer_list<std::pair<int, int>>{{12, kFalse}, {13, kTrue}, {48, kTrue}})
    EXPECT_EQ(Slide(perf, i).Child("SlideShowTransition").Get("Hidden").AsLong(), hidden) << "slide " << i;

  // The parent is held weakly: once the presentation is closed and let go, it is gone.
  Object orphan = Slide(perf, 3);
  perf.Call("Close");
  perf = Object();
  EXPECT_EQ(ErrorOf([&] { orphan.Get("Parent"); }), hr::kUnspecified);
  EXPECT_EQ(orphan.Get("Name").AsString(), "Slide3");

  std::string renumbered =
      Variant("poi__SampleShow.pptx",
              {{"ppt/presentation.xml", [](pugi::xml_node root) { root.append_attribute("firstSlideNum") = "5"; }}});
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
  Object untitled = Slide(perf, 2).Child("Shapes");  // a blank slide
  EXPECT_EQ(untitled.Get("HasTitle").AsLong(), kFalse);
  EXPECT_EQ(ErrorOf([&] { untitled.Get("Title"); }), hr::kUnspecified);

  // Line breaks are vertical tabs; TrimText drops them at the ends.
  Object keyText =
      Slide(Open(app, Deck("poi__KEY02.pptx")), 1).Child("Shapes").Child("Title").Child("TextFrame").Child("TextRange");
  ExpectMembers(keyText, {{"Text", "Welcome to Internet Explorer 9\v\vHTML5, Hardware Accelerated\v"},
                          {"TrimText", "Welcome to Internet Explorer 9\v\vHTML5, Hardware Accelerated"}});

  // Several paragraphs, a field and surrounding blanks in a title of a real deck.
  std::string edited = Variant(
      "poi__SampleShow.pptx",
      {{"ppt/slides/slide1.xml", [](pugi::xml_node root) {
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
    ExpectMembers(Slide(themes, b.slide), {{"FollowMasterBackground", b.follows}, {"BackgroundStyle", b.style}});
    ExpectMembers(Slide(themes, b.slide), {{"Background.Fill.Type", b.fillType}});
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
  for (int bad : {0, 13}) EXPECT_EQ(ErrorOf([&] { dark.Call("Colors", bad); }), hr::kInvalidArgument) << bad;

  // A light master whose Section Header layout overrides the map with a dark one.
  Object asset = Open(app, Deck("poi__aascu.org_workarea_downloadasset.aspx_id=5864.pptx"));
  Object master = asset.Child("Designs").Item(1).Child("SlideMaster").Child("CustomLayouts");
  Object plain = master.Item(1).Child("ThemeColorScheme");
  Object overridden = master.Item(3).Child("ThemeColorScheme");
  ExpectColors(plain, {{1, 0x000000}, {3, 0x464646}});
  ExpectColors(overridden, {{1, 0xFFFFFF}, {3, 0xFAF5DE} /* lt2 DEF5FA */, {5, 0xBFA22D} /* accents stay */});

  // A slide override of its own wins over the master's map.
  std::string edited = Variant(
      "poi__keyframes.pptx", {{"ppt/slides/slide1.xml", [](pugi::xml_node root) {
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
  ExpectReadsFail(slide, {"CustomLayout", "BackgroundStyle", "ThemeColorScheme", "SlideShowTransition.Duration"},
                  hr::kNotSupported);
  EXPECT_EQ(slide.Child("SlideShowTransition").Get("EntryEffect").AsLong(), 3849);

  Object slide2007 = Slide(Open(Start(12), deck), 3);
  EXPECT_NO_THROW(slide2007.Get("CustomLayout"));
  ExpectReadsFail(slide2007, {"SlideShowTransition.Duration"}, hr::kNotSupported);
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
  return "<mc:AlternateContent><mc:Choice Requires=\"" + prefixes + "\" " + declarations + "><p:transition>" + effect +
         "</p:transition></mc:Choice><mc:Fallback><p:transition><p:wipe dir=\"u\"/></p:transition>" +
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

class EngineObjectModelTest : public EngineSlideMembersTest {
 protected:
  static Object Open(const Object& app, const std::string& file, bool untitled = true) {
    return app.Child("Presentations").Call("Open2007", file, 0, untitled ? -1 : 0, 0, 0);
  }
  static std::string OpenError(const Object& app, const std::string& file) {
    try {
      Open(app, file);
    } catch (const ComError& e) {
      return e.Description();
    }
    return "opened";
  }
};

TEST_F(EngineObjectModelTest, AnswersPresentationFactsOfRealDecks) {
  Object app = Start();
  EXPECT_EQ(app.Get("Version").AsString(), "16.0");
  Object pres = Open(app, Deck("poi__themes.pptx") + "::pinlerk::dosharvet");
  EXPECT_EQ(pres.Get("FullName").AsString(), "Presentation1");  // untitled: no file behind it
  ExpectMembers(pres, {{"Path", ""}, {"PageSetup.SlideWidth", 720.0f}, {"PageSetup.SlideHeight", 540.0f}});
  ExpectMembers(pres, {{"PageSetup.FirstSlideNumber", 1}});
  EXPECT_EQ(pres.Child("Slides").Count(), 10);
  // Each slide's design is one of the presentation's designs; the same object each time.
  Object slide = pres.Child("Slides").Item(3);
  EXPECT_EQ(slide.Get("SlideIndex").AsLong(), 3);
  EXPECT_EQ(slide.Child("Design").Ptr(), pres.Child("Designs").Item(slide.Child("Design").Get("Index").AsLong()).Ptr());
  EXPECT_EQ(pres.Child("Slides").Item(3).Ptr(), slide.Ptr());
  EXPECT_GE(slide.Child("Shapes").Count(), 1);
  EXPECT_EQ(pres.Get("Saved").AsLong(), -1);

  // Collections are 1-based and check their bounds.
  EXPECT_THROW(pres.Child("Slides").Item(0), ComError);
  EXPECT_THROW(pres.Child("Slides").Item(11), ComError);
  // Member names are case-insensitive; unknown ones fail as missing.
  EXPECT_EQ(pres.Child("slides").Get("COUNT").AsLong(), 10);
  EXPECT_EQ(ErrorOf([&] { pres.Get("NoSuchMember"); }), hr::kNotSupported);

  EXPECT_EQ(app.Child("Presentations").Count(), 1);
  pres.Call("Close");
  EXPECT_EQ(app.Child("Presentations").Count(), 0);
  EXPECT_THROW(pres.Get("Slides"), ComError);
  app.Call("Quit");
  EXPECT_THROW(app.Get("Version"), ComError);
}

TEST_F(EngineObjectModelTest, OlderVersionsHideNewerMembers) {
  Object app = Start(11);
  EXPECT_EQ(app.Get("Version").AsString(), "11.0");
  EXPECT_THROW(Open(app, Deck("poi__SampleShow.pptx")), ComError);  // no Open2007 before 2007
  Object pres = app.Child("Presentations").Call("Open", Deck("poi__SampleShow.pptx"), 0, -1, 0);
  EXPECT_THROW(pres.Get("Final"), ComError);
}

TEST_F(EngineObjectModelTest, StandInsAnswerOnlyWhatTheEngineAnswers) {
  // The writers' stand-ins fail their test on a member, version or type the engine does not have.
  auto version = std::make_shared<int>(12);
  auto sequence = std::make_shared<FakeObject>("Sequence", version, true);
  sequence->Prop("FindFirstAnimationFor", 1).Prop("FindLastAnimationFor", 1);
  auto placeholder = std::make_shared<FakeObject>("PlaceholderFormat", version, true);
  placeholder->Prop("ContainedType", 1);
  auto text = std::make_shared<FakeObject>("TextRange", version, true);
  text->Prop("Characters", 1);
  Object(Value(std::shared_ptr<Dispatch>(sequence))).Get("FindFirstAnimationFor");
  Object(Value(std::shared_ptr<Dispatch>(placeholder))).Get("ContainedType");
  Object(Value(std::shared_ptr<Dispatch>(text))).Get("Characters");  // PowerPoint 2003's name for TextRange2
  EXPECT_NONFATAL_FAILURE(Object(Value(std::shared_ptr<Dispatch>(sequence))).Get("FindLastAnimationFor"),
                          "Sequence.FindLastAnimationFor");
  auto shadow = std::make_shared<FakeObject>("Shadow", version, true);
  shadow->Prop("Visible", 0);
  EXPECT_NONFATAL_FAILURE(Object(Value(std::shared_ptr<Dispatch>(shadow))).Get("Visible"), "no engine object");
  *version = 11;
  auto frame = std::make_shared<FakeObject>("Shape", version, true);
  frame->Prop("TextFrame2", 1);
  EXPECT_NONFATAL_FAILURE(Object(Value(std::shared_ptr<Dispatch>(frame))).Get("TextFrame2"), "PowerPoint 11");
}

TEST_F(EngineObjectModelTest, OpenFailuresCarryPowerPointsTexts) {
  Object app = Start();
  for (const char* encrypted : {"made__notes-encrypted.pptx", "poi__Password_Protected-hello.ppt"})
    EXPECT_NE(OpenError(app, Deck(encrypted) + "::pinlerk::dosharvet").find(": The password is incorrect"),
              std::string::npos)
        << encrypted;
  for (const char* bad :
       {"poi__clusterfuzz-testcase-minimized-POIXSLFFuzzer-6254434927378432.pptx", "no-such-file.pptx"})
    EXPECT_NE(OpenError(app, Deck(bad)).find(": PowerPoint could not open the file"), std::string::npos) << bad;
  EXPECT_NE(OpenError(app, QUILLMERE_CORPUS_DIR).find(": PowerPoint could not open the file"), std::string::npos);
  EXPECT_EQ(app.Child("Presentations").Count(), 0);  // a failed open changes nothing
}

TEST_F(EngineObjectModelTest, CopiesCarryEditsAndNeverTouchTheOriginal) {
  Object app = Start();
  std::string deck = Deck("poi__prProps.pptx");
  auto before = std::filesystem::last_write_time(deck);
  Object pres = Open(app, deck);
  Object props = pres.Child("CustomDocumentProperties");
  int count = props.Count();
  EXPECT_EQ(props.Item("language").Get("Value").AsString(), "English");
  props.Item("Language").Call("Delete");
  EXPECT_EQ(props.Count(), count - 1);
  EXPECT_THROW(props.Item("Language"), ComError);

  std::string copy = (Folder("tmp") / "copy.pptx").string();
  pres.Call("SaveCopyAs", copy, 24);
  EXPECT_EQ(std::filesystem::last_write_time(deck), before);
  Object again = Open(app, copy, false);
  ExpectMembers(again, {{"FullName", copy}, {"Name", "copy.pptx"}});
  EXPECT_EQ(again.Child("CustomDocumentProperties").Count(), count - 1);
  EXPECT_EQ(again.Child("Slides").Count(), pres.Child("Slides").Count());
}

TEST_F(EngineObjectModelTest, RunningInstanceIsFoundUntilItQuits) {
  engine::EngineRuntime runtime;
  EXPECT_THROW(runtime.GetObject("PowerPoint.Application"), ComError);
  Object app = runtime.CreateObject("PowerPoint.Application");
  EXPECT_EQ(runtime.GetObject("powerpoint.application").Ptr(), app.Ptr());
  EXPECT_THROW(runtime.CreateObject("Word.Application"), ComError);
  app.Call("Quit");
  EXPECT_THROW(runtime.GetObject("PowerPoint.Application"), ComError);
}

// A link's owner (Hyperlink.Parent.Parent) and what its click does.
struct Link {
  Object owner, setting, hyperlink;
};

class EngineActionSettingsTest : public EngineSlideMembersTest {
 protected:
  static Link LinkOf(const Object& page, int i) {
    Object hyperlink = page.Child("Hyperlinks").Item(i);
    Object setting = hyperlink.Child("Parent");
    return {setting.Child("Parent"), setting, hyperlink};
  }
  static std::string Address(const Link& l) { return l.hyperlink.Get("Address").AsString(); }
  static std::string SubAddress(const Link& l) { return l.hyperlink.Get("SubAddress").AsString(); }
  static int Action(const Link& l) { return l.setting.Get("Action").AsLong(); }
  // The shape a link sits on, through its text range where it is on text.
  static int ShapeId(const Link& l) {
    Object shape = l.owner.TypeName() == "TextRange" ? l.owner.Child("Parent").Child("Parent") : l.owner;
    return shape.Get("Id").AsLong();
  }

  // A copy of a corpus deck with XML appended under some parts' elements (by local name).
  std::string Edited(const char* deck, const std::map<std::string, std::pair<std::string, std::string>>& appends) {
    return EditedDeck(Deck(deck), Folder("tmp") / "edited.pptx", [&](engine::Package& package) {
      for (const auto& [part, append] : appends)
        EditPart(package, part, [&](pugi::xml_node root) {
          pugi::xml_node under = append.first.empty() ? root : root.find_node([&](const pugi::xml_node& n) {
            std::string_view name = n.name();
            return name.substr(name.find(':') + 1) == append.first;
          });
          EXPECT_TRUE(under.append_buffer(append.second.data(), append.second.size())) << part;
        });
    });
  }
};

TEST_F(EngineActionSettingsTest, HyperlinksOfRealDecksFollowTheirXml) {
  Object app = StartEngine();
  // 101 link elements, of which one (slide 1) is a bare ppaction://noaction: idle, not listed.
  Object stress = OpenDeck(app, Deck("poi__stress022.pptx"));
  int total = 0;
  for (int s = 1; s <= stress.Child("Slides").Count(); ++s) total += Slide(stress, s).Child("Hyperlinks").Count();
  EXPECT_EQ(total, 100);
  Link jump = LinkOf(Slide(stress, 1), 1);
  EXPECT_EQ(jump.owner.TypeName(), "Shape");
  EXPECT_EQ(ShapeId(jump), 3);
  EXPECT_EQ(Action(jump), 7);
  ExpectMembers(jump.hyperlink, {{"Address", ""},
                                 {"SubAddress",
                                  "288,2,Je peux m\xE2\x80\x99inscrire \vdans un \xC3\xA9tablissement de l\xE2\x80\x99"
                                  "enseignement sup\xC3\xA9rieur si :"},
                                 {"Type", 1}});
  // Two links on one text box around an unlinked empty run and a line break, then a picture's.
  Object slide12 = Slide(stress, 12);
  ASSERT_EQ(slide12.Child("Hyperlinks").Count(), 3);
  Link first = LinkOf(slide12, 1), second = LinkOf(slide12, 2);
  EXPECT_EQ(first.owner.TypeName(), "TextRange");
  EXPECT_EQ(ShapeId(first), 2);
  ExpectMembers(first.hyperlink, {{"Type", 0}, {"Address", "https://progres.mesrs.dz/webetrangers"}});
  ExpectMembers(first.owner, {{"Start", 1}, {"Length", 37}});
  ExpectMembers(second.owner, {{"Start", 39}, {"Length", 36}});
  ExpectMembers(LinkOf(slide12, 3).owner, {{"Name", "Image 8"}});

  // Three runs with one link are one range; pictures' links follow their text's.
  Object customGeo = Slide(OpenDeck(app, Deck("poi__customGeo.pptx")), 44);
  ASSERT_EQ(customGeo.Child("Hyperlinks").Count(), 4);
  ExpectMembers(LinkOf(customGeo, 2).owner,
                {{"Text", "http://www.parcconline.org/parcc-content-frameworks"}, {"Start", 49}, {"Length", 51}});

  // One paragraph per link in a placeholder; paragraph ends count one each.
  Object alterman = Slide(OpenDeck(app, Deck("poi__alterman_security.pptx")), 22);
  int starts[] = {1, 29, 48, 69};
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(LinkOf(alterman, i).owner.Get("Start").AsLong(), starts[i - 1]) << i;

  // Line breaks and a field before the link count one character each.
  Link yahoo = LinkOf(Slide(OpenDeck(app, Deck("pptx__txt-text.pptx")), 1), 1);
  ExpectMembers(yahoo.owner, {{"Start", 23}, {"Length", 9}});
  EXPECT_EQ(Address(yahoo), "http://yahoo.com");
  EXPECT_EQ(LinkOf(Slide(OpenDeck(app, Deck("pptx__ext-rels.pptx")), 1), 1).owner.Get("Start").AsLong(), 22);

  // Internal "#…" targets are places, not parts; adjacent runs with different ids stay apart.
  Object japanese = Slide(OpenDeck(app, Deck("poi__with_japanese.pptx")), 1);
  ASSERT_EQ(japanese.Child("Hyperlinks").Count(), 5);
  ExpectMembers(LinkOf(japanese, 1).hyperlink, {{"Address", ""}, {"SubAddress", "_ftn1"}});
  EXPECT_EQ(LinkOf(japanese, 2).owner.Get("Start").AsLong(), 24);
  EXPECT_EQ(Address(LinkOf(japanese, 3)), "http://tika.apache.org/");

  // Table cells: a web page, a slide jump, a mail address keeping its query.
  Object shapes5 = Slide(OpenDeck(app, Deck("poi__shapes.pptx")), 5);
  ASSERT_EQ(shapes5.Child("Hyperlinks").Count(), 3);
  EXPECT_EQ(SubAddress(LinkOf(shapes5, 2)), "258,2,PPTX Title");
  ExpectMembers(LinkOf(shapes5, 3).hyperlink,
                {{"Address", "mailto:dev@poi.apache.org?subject=Hi%20There"}, {"EmailSubject", "Hi There"}});

  // A picture jumping to its own slide, highlighted when clicked.
  Link self = LinkOf(Slide(OpenDeck(app, Deck("poi__51187.pptx")), 1), 1);
  EXPECT_EQ(SubAddress(self), "426,1,");
  EXPECT_EQ(self.setting.Get("AnimateAction").AsLong(), kTrue);

  // Macros on a shape and on a run; the hover setting of a click-only shape does nothing.
  Object keyframes = Slide(OpenDeck(app, Deck("poi__keyframes.pptx")), 20);
  ASSERT_EQ(keyframes.Child("Hyperlinks").Count(), 3);
  for (int i : {1, 2}) ExpectMembers(LinkOf(keyframes, i).setting, {{"Action", 8}, {"Run", "JawabanBenar"}});
  Object hover = LinkOf(keyframes, 1).owner.Child("ActionSettings", 2);
  EXPECT_EQ(hover.Get("Action").AsLong(), 0);
  EXPECT_EQ(LinkOf(keyframes, 2).owner.Child("ActionSettings", 1).Get("Run").AsString(), "JawabanBenar");
}

// Shapes appended to slide 2 of a two-slide deck, one per verb.
std::string Shape(int id, const std::string& links, const std::string& text = "") {
  std::string body = text.empty() ? "" : "<p:txBody><a:bodyPr/><a:p>" + text + "</a:p></p:txBody>";
  return "<p:sp><p:nvSpPr><p:cNvPr id=\"" + std::to_string(id) + "\" name=\"S" + std::to_string(id) + "\">" + links +
         "</p:cNvPr><p:cNvSpPr/><p:nvPr/></p:nvSpPr><p:spPr/>" + body + "</p:sp>";
}
std::string Click(const std::string& attributes, const std::string& inside = "") {
  return "<a:hlinkClick " + attributes + (inside.empty() ? "/>" : ">" + inside + "</a:hlinkClick>");
}
std::string Rel(const char* id, const char* type, const char* target, bool external) {
  return RelationshipXml(id, std::string("http://schemas.openxmlformats.org/officeDocument/2006/relationships/") + type,
                         target, external);
}

TEST_F(EngineActionSettingsTest, ActionVerbsAndBadLinksAnswerWhatCanBeRead) {
  std::string shapes =
      Shape(10, Click(R"(r:id="" action="ppaction://hlinkshowjump?jump=nextslide")") +
                    R"(<a:hlinkHover r:id="" action="ppaction://hlinkshowjump?jump=previousslide"/>)") +
      Shape(11, Click(R"(r:id="" action="ppaction://hlinkshowjump?jump=endshow" endSnd="1")")) +
      Shape(12, Click(R"(r:id="rP" action="ppaction://program")")) +
      Shape(13, Click(R"(r:id="" action="ppaction://macro?name=Module1.Show%20All")")) +
      Shape(14, Click(R"(r:id="" action="ppaction://customshow?id=1&amp;return=true")")) +
      Shape(15, Click(R"(r:id="" action="ppaction://ole?verb=0")")) +
      Shape(16, Click(R"(r:id="" action="ppaction://media")")) +
      Shape(17, Click(R"(r:id="rF" action="ppaction://hlinkfile")")) +
      Shape(18, Click(R"(r:id="rO" action="ppaction://hlinkpres?slideindex=3&amp;slidetitle=Intro")")) +
      Shape(19, Click(R"(r:id="" action="ppaction://noaction")", R"(<a:snd r:embed="" name="chimes.wav"/>)")) +
      Shape(20, Click(R"(r:id="" action="ppaction://noaction")")) +  // idle: not listed
      Shape(21, Click(R"(r:id="rU" tooltip="Go")")) +
      Shape(22, Click(R"(r:id="rS" action="ppaction://hlinksldjump")")) +
      // Leading nowhere: a missing relationship, the wrong type, a slide not in the
      // deck, a target above the package, an unknown verb, a bad jump, bad custom shows.
      Shape(30, Click(R"(r:id="rMissing")")) + Shape(31, Click(R"(r:id="rImage" action="ppaction://hlinksldjump")")) +
      Shape(32, Click(R"(r:id="rGone" action="ppaction://hlinksldjump")")) + Shape(33, Click(R"(r:id="rAbove")")) +
      Shape(34, Click(R"(r:id="rUp")")) + Shape(35, Click(R"(r:id="" action="ppaction://teleport?to=mars")")) +
      Shape(36, Click(R"(r:id="" action="ppaction://hlinkshowjump?jump")")) +
      Shape(37, Click(R"(r:id="" action="ppaction://customshow?id=abc")")) +
      Shape(38, Click(R"(r:id="" action="ppaction://customshow?id=7")")) +
      Shape(39, Click(R"(r:id="" action="ppaction://macro?&amp;&amp;=x&amp;name")")) +
      // Text: runs sharing a link are one range, a run's hover is a:hlinkMouseOver, paragraph ends do not count.
      Shape(40, "",
            "<a:r><a:rPr>" + Click(R"(r:id="rU")") + "</a:rPr><a:t>ab</a:t></a:r><a:r><a:rPr>" + Click(R"(r:id="rU")") +
                R"(<a:hlinkMouseOver r:id="rS" action="ppaction://hlinksldjump"/></a:rPr><a:t>cd</a:t></a:r>)"
                "<a:endParaRPr>" +
                Click(R"(r:id="rU")") + "</a:endParaRPr>") +
      // A branch not taken lists nothing; a member of deeply nested groups is found.
      R"(<mc:AlternateContent xmlns:mc="http://schemas.openxmlformats.org/markup-compatibility/2006"><mc:Choice Requires="zz">)" +
      Shape(50, Click(R"(r:id="rU")")) + "</mc:Choice><mc:Fallback>" + Shape(51, Click(R"(r:id="rF")")) +
      "</mc:Fallback></mc:AlternateContent>";
  std::string nested = Shape(60, Click(R"(r:id="rU")"));
  for (int depth = 0; depth < 300; ++depth)
    nested = "<p:grpSp><p:nvGrpSpPr><p:cNvPr id=\"" + std::to_string(1000 + depth) +
             "\" name=\"G\"/><p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr><p:grpSpPr/>" + nested + "</p:grpSp>";
  std::string rels =
      Rel("rP", "hyperlink", "../tools/run.exe", true) + Rel("rF", "hyperlink", "docs/report.pdf", true) +
      Rel("rO", "hyperlink", "other.pptx", true) + Rel("rU", "hyperlink", "http://example.com/page#part", true) +
      Rel("rS", "slide", "slide1.xml", false) + Rel("rImage", "image", "../media/none.png", false) +
      Rel("rGone", "slide", "slide9.xml", false) + Rel("rAbove", "hyperlink", "../../../../etc/passwd", false) +
      Rel("rUp", "hyperlink", "../../x.pptx", true);
  std::string deck =
      Edited("pptx__txt-text.pptx",
             {{"ppt/slides/slide2.xml", {"spTree", shapes + nested}},
              {"ppt/slides/_rels/slide2.xml.rels", {"", rels}},
              {"ppt/presentation.xml", {"", R"(<p:custShowLst><p:custShow name="Tour" id="1"/></p:custShowLst>)"}},
              {"ppt/slideMasters/slideMaster1.xml",
               {"spTree", Shape(90, Click(R"(r:id="" action="ppaction://hlinkshowjump?jump=firstslide")"))}}});

  Object app = StartEngine();
  Object slide = Slide(OpenDeck(app, deck), 2);
  std::map<int, std::vector<Link>> byShape;
  Object hyperlinks = slide.Child("Hyperlinks");
  ASSERT_EQ(hyperlinks.Count(), 27);
  for (int i = 1; i <= hyperlinks.Count(); ++i) byShape[ShapeId(LinkOf(slide, i))].push_back(LinkOf(slide, i));
  auto one = [&](int id) { return byShape.at(id).front(); };
  EXPECT_EQ(Action(byShape[10][0]), 1);
  EXPECT_EQ(Action(byShape[10][1]), 2);
  EXPECT_EQ(byShape[10][1].owner.Child("ActionSettings").Count(), 2);
  ExpectMembers(one(11).setting, {{"Action", 6}, {"SoundEffect.Type", 1}});
  ExpectMembers(one(12).setting, {{"Action", 9}, {"Run", "../tools/run.exe"}});
  ExpectMembers(one(13).setting, {{"Run", "Module1.Show All"}});
  ExpectMembers(one(14).setting, {{"Action", 10}, {"SlideShowName", "Tour"}, {"ShowandReturn", kTrue}});
  ExpectMembers(one(15).setting, {{"Action", 11}});
  ExpectMembers(one(16).setting, {{"Action", 12}});
  ExpectMembers(one(17).hyperlink, {{"Address", "docs/report.pdf"}});
  ExpectMembers(one(18).hyperlink, {{"Address", "other.pptx"}, {"SubAddress", "-1,3,Intro"}});
  ExpectMembers(one(19).setting, {{"Action", 0}, {"SoundEffect.Name", "chimes.wav"}});
  EXPECT_FALSE(byShape.contains(20));
  ExpectMembers(one(21).hyperlink,
                {{"Address", "http://example.com/page"}, {"SubAddress", "part"}, {"ScreenTip", "Go"}});
  EXPECT_EQ(SubAddress(one(22)), "256,1,");
  for (int id : {30, 31, 32, 33}) {
    EXPECT_EQ(Action(one(id)), 7) << id;
    EXPECT_EQ(Address(one(id)) + SubAddress(one(id)), "") << id;
  }
  EXPECT_EQ(Address(one(34)), "../../x.pptx");
  EXPECT_EQ(Action(one(35)), 0);  // an unknown verb does nothing
  EXPECT_EQ(Action(one(36)), 0);
  for (int id : {37, 38}) {
    EXPECT_EQ(Action(one(id)), 10);
    EXPECT_EQ(ErrorOf([&] { one(id).setting.Get("SlideShowName"); }), hr::kUnspecified) << id;
  }
  EXPECT_EQ(one(39).setting.Get("Run").AsString(), "");
  ASSERT_EQ(byShape[40].size(), 2u);  // the click over both runs, the hover over the second
  ExpectMembers(byShape[40][0].owner, {{"Text", "abcd"}});
  ExpectMembers(byShape[40][1].owner, {{"Start", 3}});
  EXPECT_EQ(Action(byShape[40][1]), 7);
  EXPECT_EQ(SubAddress(byShape[40][1]), "256,1,");
  EXPECT_FALSE(byShape.contains(50));
  EXPECT_EQ(Address(one(51)), "docs/report.pdf");
  EXPECT_EQ(one(60).owner.Get("Name").AsString(), "S60");

  // Indexes PowerPoint refuses.
  Object settings = one(10).owner.Child("ActionSettings");
  for (int bad : {0, 3}) EXPECT_EQ(ErrorOf([&] { settings.Item(bad); }), hr::kInvalidArgument) << bad;
  EXPECT_EQ(ErrorOf([&] { hyperlinks.Item(28); }), hr::kInvalidArgument);

  // Masters and layouts list their own; a deleted shape's link goes from the list.
  Object master = slide.Child("Design").Child("SlideMaster");
  ASSERT_EQ(master.Child("Hyperlinks").Count(), 1);
  EXPECT_EQ(Action(LinkOf(master, 1)), 3);
  EXPECT_EQ(slide.Child("CustomLayout").Child("Hyperlinks").Count(), 0);
  one(10).owner.Call("Delete");
  EXPECT_EQ(hyperlinks.Count(), 25);
  EXPECT_EQ(Action(one(10)), 1);  // read before, answers after
}

}  // namespace
}  // namespace quillmere::testing
