// Hyperlinks of slides, masters and layouts and the action settings they lead
// to answer from real decks what their XML says; a deck edited here covers the
// action verbs the corpus lacks and links that lead nowhere.

#include <gtest/gtest.h>

#include <map>

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

// A link's owner (Hyperlink.Parent.Parent) and what its click does.
struct Link {
  Object owner, setting, hyperlink;
};

class EngineActionSettingsTest : public IsolatedUserFolders {
 protected:
  static Object Slide(const Object& pres, int index) { return pres.Child("Slides").Item(index); }
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
  return std::string("<Relationship Id=\"") + id + "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/" +
         type + "\" Target=\"" + target + "\"" + (external ? " TargetMode=\"External\"/>" : "/>");
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
      Shape(30, Click(R"(r:id="rMissing")")) +
      Shape(31, Click(R"(r:id="rImage" action="ppaction://hlinksldjump")")) +
      Shape(32, Click(R"(r:id="rGone" action="ppaction://hlinksldjump")")) +
      Shape(33, Click(R"(r:id="rAbove")")) + Shape(34, Click(R"(r:id="rUp")")) +
      Shape(35, Click(R"(r:id="" action="ppaction://teleport?to=mars")")) +
      Shape(36, Click(R"(r:id="" action="ppaction://hlinkshowjump?jump")")) +
      Shape(37, Click(R"(r:id="" action="ppaction://customshow?id=abc")")) +
      Shape(38, Click(R"(r:id="" action="ppaction://customshow?id=7")")) +
      Shape(39, Click(R"(r:id="" action="ppaction://macro?&amp;&amp;=x&amp;name")")) +
      // Text: runs sharing a link are one range, a run's hover is a:hlinkMouseOver, paragraph ends do not count.
      Shape(40, "",
            "<a:r><a:rPr>" + Click(R"(r:id="rU")") + "</a:rPr><a:t>ab</a:t></a:r><a:r><a:rPr>" + Click(R"(r:id="rU")") +
                R"(<a:hlinkMouseOver r:id="rS" action="ppaction://hlinksldjump"/></a:rPr><a:t>cd</a:t></a:r>)"
                "<a:endParaRPr>" + Click(R"(r:id="rU")") + "</a:endParaRPr>") +
      // A branch not taken lists nothing; a member of deeply nested groups is found.
      R"(<mc:AlternateContent xmlns:mc="http://schemas.openxmlformats.org/markup-compatibility/2006"><mc:Choice Requires="zz">)" +
      Shape(50, Click(R"(r:id="rU")")) + "</mc:Choice><mc:Fallback>" + Shape(51, Click(R"(r:id="rF")")) +
      "</mc:Fallback></mc:AlternateContent>";
  std::string nested = Shape(60, Click(R"(r:id="rU")"));
  for (int depth = 0; depth < 300; ++depth)
    nested = "<p:grpSp><p:nvGrpSpPr><p:cNvPr id=\"" + std::to_string(1000 + depth) +
             "\" name=\"G\"/><p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr><p:grpSpPr/>" + nested + "</p:grpSp>";
  std::string rels = Rel("rP", "hyperlink", "../tools/run.exe", true) + Rel("rF", "hyperlink", "docs/report.pdf", true) +
                     Rel("rO", "hyperlink", "other.pptx", true) + Rel("rU", "hyperlink", "http://example.com/page#part", true) +
                     Rel("rS", "slide", "slide1.xml", false) + Rel("rImage", "image", "../media/none.png", false) +
                     Rel("rGone", "slide", "slide9.xml", false) + Rel("rAbove", "hyperlink", "../../../../etc/passwd", false) +
                     Rel("rUp", "hyperlink", "../../x.pptx", true);
  std::string deck = Edited(
      "pptx__txt-text.pptx",
      {{"ppt/slides/slide2.xml", {"spTree", shapes + nested}},
       {"ppt/slides/_rels/slide2.xml.rels", {"", rels}},
       {"ppt/presentation.xml", {"", R"(<p:custShowLst><p:custShow name="Tour" id="1"/></p:custShowLst>)"}},
       {"ppt/slideMasters/slideMaster1.xml", {"spTree", Shape(90, Click(R"(r:id="" action="ppaction://hlinkshowjump?jump=firstslide")"))}}});

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
