// Designs, masters, custom layouts and themes answer from real decks what
// their parts hold, the PowerPoint 2003 view shows title masters, damaged
// parts answer or fail with a ComError, and the temporary slides and layouts
// the writers make (AddSlide, Add, Duplicate, CustomLayouts.Add) leave every
// part to save byte for byte as it was once deleted.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>

#include "engine/EngineRuntime.h"
#include "engine/model/format/BackgroundStyle.h"
#include "engine/package/Package.h"
#include "objectmodel/automation/ComError.h"
#include "tests/engine/EditedDecks.h"
#include "tests/engine/EngineDeckTest.h"
#include "tests/helpers/ErrorNumber.h"
#include "tests/helpers/IsolatedUserFolders.h"
#include "tests/helpers/NearMembers.h"
#include "tests/helpers/ObjectMembers.h"
#include "tests/helpers/OfficeValues.h"
#include "tests/helpers/ZipFiles.h"

namespace quillmere::testing {
namespace {

// What the test reads from the parts itself, to hold the engine's answers against.
struct PackageFacts {
  explicit PackageFacts(const std::string& deck) : package(engine::Package::Open(deck)) {}

  pugi::xml_node Root(const std::string& part) { return package->FindXml(part)->document_element(); }
  // The slide masters in p:sldMasterIdLst order.
  std::vector<std::string> Masters() {
    std::vector<std::string> masters;
    for (pugi::xml_node n : Root("ppt/presentation.xml").child("p:sldMasterIdLst").children("p:sldMasterId"))
      masters.push_back(package->FindRelationship("ppt/presentation.xml", n.attribute("r:id").value())->target);
    return masters;
  }
  std::vector<std::string> Layouts(const std::string& master) {
    std::vector<std::string> layouts;
    for (pugi::xml_node n : Root(master).child("p:sldLayoutIdLst").children("p:sldLayoutId"))
      layouts.push_back(package->FindRelationship(master, n.attribute("r:id").value())->target);
    return layouts;
  }
  pugi::xml_node Theme(const std::string& master) {
    return Root(package->FindRelationshipOfType(master, "theme")->target);
  }
  // The twelve colours of a:clrScheme in MsoThemeColorSchemeIndex order, red in the low byte.
  std::vector<int> ThemeColors(const std::string& master) {
    std::vector<int> colors;
    pugi::xml_node scheme = Theme(master).child("a:themeElements").child("a:clrScheme");
    for (const char* slot : {"a:dk1", "a:lt1", "a:dk2", "a:lt2", "a:accent1", "a:accent2", "a:accent3", "a:accent4",
                             "a:accent5", "a:accent6", "a:hlink", "a:folHlink"}) {
      pugi::xml_node c = scheme.child(slot).first_child();
      std::string hex =
          std::string(c.name()) == "a:sysClr" ? c.attribute("lastClr").value() : c.attribute("val").value();
      colors.push_back(Packed(static_cast<std::uint32_t>(std::stoul(hex, nullptr, 16))));
    }
    return colors;
  }
  std::string Typeface(const std::string& master, const char* set, const char* script) {
    pugi::xml_node fonts = Theme(master).child("a:themeElements").child("a:fontScheme");
    return fonts.child(set).child(script).attribute("typeface").value();
  }

  std::unique_ptr<engine::Package> package;
};

// Every part of two saved copies, by name.
std::map<std::string, std::string> PartsOf(const std::string& file) {
  std::unique_ptr<engine::Package> package = engine::Package::Open(file);
  std::map<std::string, std::string> parts;
  for (const std::string& part : package->PartNames()) parts[part] = package->ReadBytes(part);
  return parts;
}

std::vector<int> SlideIds(const Object& pres) {
  std::vector<int> ids;
  Object slides = pres.Child("Slides");
  for (int i = 1; i <= slides.Count(); ++i) ids.push_back(slides.Item(i).Get("SlideID").AsLong());
  return ids;
}

// Reads members of designs, masters, layouts and themes of one deck, counting answers and ComErrors.
class DesignWalk : public WalkCount {
 public:
  explicit DesignWalk(std::string deck) : deck_(std::move(deck)) {}

  void Read(const std::string& where, const std::function<void()>& read) { WalkCount::Read(deck_ + " " + where, read); }

  void Background(const Object& owner, const std::string& where) {
    Read(where + ".Background", [&] {
      Object fill = owner.Child("Background").Child("Fill");
      fill.Get("Type");
      fill.Child("ForeColor").Get("RGB");
    });
  }

  void Master(const Object& master, const std::string& where) {
    Read(where + ".Name", [&] { master.Get("Name"); });
    Read(where + ".Shapes", [&] { master.Child("Shapes").Count(); });
    Background(master, where);
    Read(where + ".BackgroundStyle", [&] { master.Get("BackgroundStyle"); });
    for (auto [scheme, colors] :
         {std::pair{"ColorScheme", 8}, std::pair{"ThemeColorScheme", 12}, std::pair{"Theme.ThemeColorScheme", 12}})
      Read(where + "." + scheme, [&] {
        for (int i = 1; i <= colors; ++i) Object(MemberAt(master, scheme)).Child("Colors", i).Get("RGB");
      });
    Read(where + ".Theme.ThemeFontScheme", [&] {
      Object fonts = master.Child("Theme").Child("ThemeFontScheme");
      for (const char* set : {"MajorFont", "MinorFont"})
        for (int i = 1; i <= fonts.Child(set).Count(); ++i) fonts.Child(set).Item(i).Get("Name");
    });
    Read(where + ".CustomLayouts", [&] {
      Object layouts = master.Child("CustomLayouts");
      for (int i = 1; i <= layouts.Count(); ++i) {
        Object layout = layouts.Item(i);
        std::string at = where + ".CustomLayouts(" + std::to_string(i) + ")";
        for (const char* member : {"Name", "Index", "FollowMasterBackground", "DisplayMasterShapes"})
          Read(at + "." + member, [&] { layout.Get(member); });
        Read(at + ".Parent", [&] { layout.Child("Parent").Get("Name"); });
        Read(at + ".Shapes", [&] { layout.Child("Shapes").Count(); });
        Read(at + ".ThemeColorScheme", [&] { layout.Child("ThemeColorScheme").Child("Colors", 1).Get("RGB"); });
        Background(layout, at);
      }
    });
  }

  void Presentation(const Object& pres) {
    Object designs = pres.Child("Designs");
    for (int d = 1; d <= designs.Count(); ++d) {
      Object design = designs.Item(d);
      std::string where = "design " + std::to_string(d);
      for (const char* member : {"Name", "Index", "HasTitleMaster"})
        Read(where + "." + member, [&] { design.Get(member); });
      Read(where + ".SlideMaster", [&] { Master(design.Child("SlideMaster"), where + ".SlideMaster"); });
      Read(where + ".TitleMaster", [&] { Master(design.Child("TitleMaster"), where + ".TitleMaster"); });
    }
    Read("Fonts", [&] {
      Object fonts = pres.Child("Fonts");
      for (int i = 1; i <= fonts.Count(); ++i) fonts.Item(i).Get("Name");
    });
  }

 private:
  std::string deck_;
};

class EngineDesignMembersTest : public IsolatedUserFolders {
 protected:
  static Object Start(int version = 16) { return StartEngine(version); }
  static Object Open(const Object& app, const std::string& file) { return OpenDeck(app, file); }
  static Object Design(const Object& pres, int index) { return pres.Child("Designs").Item(index); }
  static Object Layout(const Object& pres, int design, int layout) {
    return Design(pres, design).Child("SlideMaster").Child("CustomLayouts").Item(layout);
  }

  std::string Variant(const char* deck, const std::function<void(engine::Package&)>& edit,
                      const char* name = "variant") {
    return EditedDeck(Deck(deck), Folder("tmp") / (std::string(name) + ".pptx"), edit);
  }
  // The first accent of an owner's theme colours as its colour map shows them.
  static int Accent1(const Object& owner) {
    return owner.Child("ThemeColorScheme").Child("Colors", 5).Get("RGB").AsLong();
  }
  // Points the first relationship of that type from a part somewhere else.
  static void Retarget(engine::Package& package, const std::string& part, const char* type, const std::string& target) {
    std::string id = package.FindRelationshipOfType(part, type)->id;
    ASSERT_TRUE(package.RetargetRelationship(part, id, target));
  }

  std::string SavedCopy(const Object& pres, const char* name) {
    std::string file = (Folder("tmp") / (std::string(name) + ".pptx")).string();
    pres.Call("SaveCopyAs", file);
    return file;
  }
};

TEST_F(EngineDesignMembersTest, OneDesignPerMasterWithItsLayoutsInListOrder) {
  Object app = Start();
  PackageFacts facts(Deck("poi__themes.pptx"));
  Object pres = Open(app, Deck("poi__themes.pptx"));
  std::vector<std::string> masters = facts.Masters();
  Object designs = pres.Child("Designs");
  ASSERT_EQ(designs.Count(), static_cast<int>(masters.size()));
  // Its masters have no names of their own: PowerPoint shows their themes'.
  const char* names[] = {"Office Theme", "Custom Design",   "Austin",   "1_Custom Design",
                         "Trek",         "2_Custom Design", "Tradeshow"};
  ASSERT_EQ(masters.size(), std::size(names));
  for (int d = 1; d <= designs.Count(); ++d) {
    Object design = designs.Item(d);
    Object master = design.Child("SlideMaster");
    ExpectMembers(design, {{"Index", d}, {"Name", names[d - 1]}, {"HasTitleMaster", kFalse}});
    ExpectMembers(master, {{"Name", names[d - 1]}, {"Width", 720.0f}, {"Height", 540.0f}});
    EXPECT_EQ(designs.Get("", d).AsDispatch(), design.Ptr());  // the default member, the same object
    EXPECT_EQ(ErrorOf([&] { design.Get("TitleMaster"); }), hr::kUnspecified);

    std::vector<std::string> layouts = facts.Layouts(masters[d - 1]);
    Object list = master.Child("CustomLayouts");
    ASSERT_EQ(list.Count(), static_cast<int>(layouts.size())) << "design " << d;
    for (int i = 1; i <= list.Count(); ++i) {
      Object layout = list.Item(i);
      pugi::xml_node root = facts.Root(layouts[i - 1]);
      ExpectMembers(layout, {{"Index", i}, {"Name", root.child("p:cSld").attribute("name").value()}});
      ExpectMembers(layout, {{"DisplayMasterShapes", root.attribute("showMasterSp").as_bool(true) ? kTrue : kFalse}});
      EXPECT_EQ(layout.Child("Parent").Ptr(), master.Ptr());
    }
  }
  // A master whose own name is set keeps it.
  std::string named = Variant("poi__SampleShow.pptx", [](engine::Package& p) {
    EditPart(p, "ppt/slideMasters/slideMaster1.xml",
             [](pugi::xml_node r) { r.child("p:cSld").append_attribute("name") = "Mine"; });
  });
  EXPECT_EQ(Design(Open(app, named), 1).Get("Name").AsString(), "Mine");
}

TEST_F(EngineDesignMembersTest, ThemeColorsAndFontsAreTheThemePartsOwn) {
  Object app = Start();
  int checked = 0;
  for (const char* deck : {"poi__themes.pptx", "poi__keyframes.pptx", "poi__2411-Performance_Up.pptx",
                           "poi__aascu.org_workarea_downloadasset.aspx_id=5864.pptx"}) {
    PackageFacts facts(Deck(deck));
    Object pres = Open(app, Deck(deck));
    std::vector<std::string> masters = facts.Masters();
    for (int d = 1; d <= static_cast<int>(masters.size()); ++d) {
      Object theme = Design(pres, d).Child("SlideMaster").Child("Theme");
      std::vector<int> colors = facts.ThemeColors(masters[d - 1]);
      Object scheme = theme.Child("ThemeColorScheme");
      for (int i = 1; i <= 12; ++i)
        EXPECT_EQ(scheme.Child("Colors", i).Get("RGB").AsLong(), colors[i - 1])
            << deck << " design " << d << " colour " << i;
      Object fonts = theme.Child("ThemeFontScheme");
      for (const char* set : {"MajorFont", "MinorFont"}) {
        Object list = fonts.Child(set);
        ASSERT_EQ(list.Count(), 3);
        const char* scripts[] = {"a:latin", "a:cs", "a:ea"};  // MsoFontLanguageIndex 1, 2, 3
        std::string element = std::string("a:") + (std::string(set) == "MajorFont" ? "majorFont" : "minorFont");
        for (int i = 1; i <= 3; ++i)
          EXPECT_EQ(list.Item(i).Get("Name").AsString(),
                    facts.Typeface(masters[d - 1], element.c_str(), scripts[i - 1]))
              << deck << " design " << d << " " << set << " " << i;
        EXPECT_EQ(Object(list.Get("", 1)).Get("").AsString(), list.Item(1).Get("Name").AsString());
        for (int bad : {0, 4}) EXPECT_EQ(ErrorOf([&] { list.Item(bad); }), hr::kInvalidArgument) << bad;
      }
      ++checked;
    }
  }
  EXPECT_GE(checked, 14);

  // The theme's own colours are not mapped; the master's are, and so is the
  // legacy scheme derived from them. The keyframes master maps bg1 to dk1 and tx1 to lt1.
  Object master = Design(Open(app, Deck("poi__keyframes.pptx")), 1).Child("SlideMaster");
  EXPECT_EQ(master.Child("Theme").Child("ThemeColorScheme").Child("Colors", 1).Get("RGB").AsLong(), 0x000000);
  EXPECT_EQ(master.Child("ThemeColorScheme").Child("Colors", 1).Get("RGB").AsLong(), 0xFFFFFF);
  EXPECT_EQ(Object(master.Child("ThemeColorScheme").Call("", 1)).Get("").AsLong(), 0xFFFFFF);  // the default member
  Object legacy = master.Child("ColorScheme");
  const int expected[] = {0x000000,   // ppBackground: bg1, mapped to dk1
                          0xFFFFFF,   // ppForeground: tx1, mapped to lt1
                          0x6F5B4E,   // ppShadow: bg2, mapped to dk2
                          0xFFECD6,   // ppTitle: tx2, mapped to lt2
                          0x3BD17F,   // ppFill: accent1
                          0x7A15EA,   // ppAccent1: accent2
                          0x0388EB,   // ppAccent2: hlink
                          0x91775F};  // ppAccent3: folHlink
  for (int i = 1; i <= 8; ++i) EXPECT_EQ(legacy.Child("Colors", i).Get("RGB").AsLong(), expected[i - 1]) << i;
  for (int bad : {0, 9}) EXPECT_EQ(ErrorOf([&] { legacy.Call("Colors", bad); }), hr::kInvalidArgument) << bad;
}

TEST_F(EngineDesignMembersTest, MastersAndLayoutsAnswerTheirBackgrounds) {
  Object app = Start();
  Object pres = Open(app, Deck("poi__themes.pptx"));
  Object master = Design(pres, 1).Child("SlideMaster");
  ExpectMembers(master, {{"BackgroundStyle", 1}, {"Background.Fill.Type", 1}});  // bgRef 1001 with bg1
  Object follows = Layout(pres, 1, 1), own = Layout(pres, 1, 2), styled = Layout(pres, 1, 6);
  ExpectMembers(follows, {{"FollowMasterBackground", kTrue}, {"Background.Fill.ForeColor.ObjectThemeColor", 14}});
  // Its own solid bg2 fill; bgRef 1003, the gradient fill.
  ExpectMembers(own, {{"FollowMasterBackground", kFalse}, {"Background.Fill.Type", 1}});
  ExpectMembers(own, {{"Background.Fill.ForeColor.ObjectThemeColor", 16}});
  ExpectMembers(styled, {{"FollowMasterBackground", kFalse}, {"Background.Fill.Type", 3}});
  ExpectMembers(Layout(pres, 3, 1), {{"DisplayMasterShapes", kFalse}});
  ExpectMembers(Layout(pres, 3, 2), {{"DisplayMasterShapes", kTrue}});

  // Older versions have no custom layouts, styles or themes, but backgrounds and the legacy scheme.
  Object old = Design(Open(Start(11), Deck("poi__themes.pptx")), 1).Child("SlideMaster");
  ExpectReadsFail(old, {"CustomLayouts", "BackgroundStyle", "ThemeColorScheme", "Theme"}, hr::kNotSupported);
  ExpectMembers(old, {{"Background.Fill.Type", 1}});
  EXPECT_EQ(old.Child("ColorScheme").Child("Colors", 2).Get("RGB").AsLong(), 0x000000);
}

TEST_F(EngineDesignMembersTest, ThePowerPoint2003ViewShowsTheTitleLayoutAsTitleMaster) {
  std::string deck = Deck("poi__SampleShow.pptx");
  Object layout = Layout(Open(Start(), deck), 1, 1);  // "Title Slide", type title
  Object pres = Open(Start(11), deck);
  Object design = Design(pres, 1);
  ExpectMembers(design, {{"HasTitleMaster", kTrue}, {"Name", "Office Theme"}});
  Object title = design.Child("TitleMaster");
  EXPECT_EQ(title.Ptr(), design.Child("TitleMaster").Ptr());
  // The master's, which the layout follows.
  ExpectMembers(title, {{"Name", "Office Theme"}, {"Background.Fill.Type", 1}});
  Object shapes = title.Child("Shapes"), layoutShapes = layout.Child("Shapes");
  ASSERT_EQ(shapes.Count(), layoutShapes.Count());
  for (int i = 1; i <= shapes.Count(); ++i)
    EXPECT_EQ(shapes.Item(i).Get("Name").AsString(), layoutShapes.Item(i).Get("Name").AsString());
  EXPECT_EQ(title.Child("ColorScheme").Child("Colors", 1).Get("RGB").AsLong(), 0xFFFFFF);
  EXPECT_EQ(ErrorOf([&] { title.Get("Theme"); }), hr::kNotSupported);

  // Layouts without a type (keyframes) give no title master.
  Object untyped = Design(Open(Start(11), Deck("poi__keyframes.pptx")), 1);
  ExpectMembers(untyped, {{"HasTitleMaster", kFalse}});
  ExpectReadsFail(untyped, {"TitleMaster"}, hr::kUnspecified);
}

TEST_F(EngineDesignMembersTest, PresentationFontsAreEveryThemesPairThenTheTextsFonts) {
  Object app = Start();
  Object metro = Open(app, Deck("poi__keyframes.pptx")).Child("Fonts");
  ASSERT_GE(metro.Count(), 2);
  ExpectMembers(metro.Item(1), {{"Name", "Consolas"}});
  for (const Object& corbel : {metro.Item(2), Object(metro.Get("", 2)), metro.Item("corbel")})
    ExpectMembers(corbel, {{"Name", "Corbel"}, {"", "Corbel"}});
  EXPECT_EQ(ErrorOf([&] { metro.Item(metro.Count() + 1); }), hr::kInvalidArgument);
  EXPECT_EQ(ErrorOf([&] { metro.Item("No Such Font"); }), hr::kInvalidArgument);

  // Arial heads and bodies the theme: it comes once; the runs' other typefaces follow, each once.
  auto namesOf = [](const Object& fonts) {
    std::vector<std::string> names;
    for (int i = 1; i <= fonts.Count(); ++i) names.push_back(fonts.Item(i).Get("Name").AsString());
    return names;
  };
  std::vector<std::string> names = namesOf(Open(Start(11), Deck("poi__2411-Performance_Up.pptx")).Child("Fonts"));
  ASSERT_GE(names.size(), 1u);
  EXPECT_EQ(names[0], "Arial");
  std::vector<std::string> sorted = names;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end());
  EXPECT_EQ(std::find(names.begin(), names.end(), ""), names.end());

  // Seven masters: every theme's pair in master order, then Arial, the bullets' font on slide 7.
  EXPECT_EQ(namesOf(Open(Start(11), Deck("poi__themes.pptx")).Child("Fonts")),
            (std::vector<std::string>{"Calibri", "Century Gothic", "Franklin Gothic Medium", "Franklin Gothic Book",
                                      "Arial Black", "Candara", "Arial"}));
}

TEST_F(EngineDesignMembersTest, TemporarySlidesHaveTheLayoutsPlaceholders) {
  Object app = Start();
  Object pres = Open(app, Deck("poi__themes.pptx"));
  Object slides = pres.Child("Slides");
  std::vector<int> ids = SlideIds(pres);
  Object layout = Layout(pres, 1, 2);  // Title and Content, with a background of its own
  Object slide = slides.Call("AddSlide", slides.Count() + 1, layout.Ptr());
  EXPECT_EQ(slides.Count(), 11);
  EXPECT_EQ(slide.Get("SlideID").AsLong(), *std::max_element(ids.begin(), ids.end()) + 1);
  EXPECT_EQ(slides.Item(11).Ptr(), slide.Ptr());
  EXPECT_EQ(slide.Child("CustomLayout").Ptr(), layout.Ptr());
  EXPECT_EQ(slide.Child("Design").Ptr(), Design(pres, 1).Ptr());
  ExpectMembers(slide, {{"SlideIndex", 11}, {"Layout", 2} /* obj: ppLayoutText */, {"FollowMasterBackground", kTrue}});
  ExpectMembers(slide, {{"Background.Fill.ForeColor.ObjectThemeColor", 16}});

  // The layout's title and content placeholders; its date, footer and slide number stay off.
  Object shapes = slide.Child("Shapes");
  ASSERT_EQ(shapes.Count(), 2);
  ExpectMembers(shapes.Item(1), {{"Name", "Title 1"}, {"Id", 2}, {"PlaceholderFormat.Type", 1}});
  ExpectMembers(shapes.Item(2),
                {{"Name", "Content Placeholder 2"}, {"PlaceholderFormat.Type", 7}, {"TextFrame.TextRange.Text", ""}});
  Object layoutTitle = layout.Child("Shapes").Item(1);
  EXPECT_EQ(shapes.Item(1).Get("Left").AsSingle(), layoutTitle.Get("Left").AsSingle());  // placed by the layout
  EXPECT_EQ(shapes.Item(1).Get("Width").AsSingle(), layoutTitle.Get("Width").AsSingle());
  EXPECT_EQ(shapes.Get("HasTitle").AsLong(), kTrue);
  slide.Call("Delete");

  // A picture placeholder (given no text body) and a vertical title have names of their own.
  Object picture = slides.Call("AddSlide", 1, Layout(pres, 1, 9).Ptr());
  Object pictureShapes = picture.Child("Shapes").Child("Placeholders");
  ASSERT_EQ(pictureShapes.Count(), 3);
  ExpectMembers(pictureShapes.Item(2), {{"Name", "Picture Placeholder 2"}, {"PlaceholderFormat.Type", 18}});
  EXPECT_EQ(pictureShapes.Item(3).Get("Name").AsString(), "Text Placeholder 3");
  EXPECT_EQ(picture.Get("SlideIndex").AsLong(), 1);
  EXPECT_EQ(slides.Item(2).Get("SlideID").AsLong(), ids[0]);  // the others moved up one
  picture.Call("Delete");
  Object vertical = slides.Call("AddSlide", 3, Layout(pres, 1, 11).Ptr());
  ExpectMembers(vertical.Child("Shapes").Item(1), {{"Name", "Vertical Title 1"}, {"PlaceholderFormat.Type", 5}});
  vertical.Call("Delete");
  EXPECT_EQ(SlideIds(pres), ids);

  // A slide of a layout with a background of its own shows that layout's style.
  int styled = 0;
  for (int d = 1; d <= pres.Child("Designs").Count(); ++d) {
    Object layouts = Design(pres, d).Child("SlideMaster").Child("CustomLayouts");
    int masterStyle = Design(pres, d).Child("SlideMaster").Get("BackgroundStyle").AsLong();
    for (int i = 1; i <= layouts.Count(); ++i) {
      Object temporary = slides.Call("AddSlide", slides.Count() + 1, layouts.Item(i).Ptr());
      int style = temporary.Get("BackgroundStyle").AsLong();
      if (layouts.Item(i).Get("FollowMasterBackground").AsLong() == kTrue) {
        EXPECT_EQ(style, masterStyle) << d << "/" << i;
      } else {
        styled += style != masterStyle;
      }
      EXPECT_EQ(Accent1(temporary), Accent1(layouts.Item(i)));
      temporary.Call("Delete");
    }
  }
  EXPECT_GE(styled, 1);  // Title Only of the first design: bgRef 1003 with bg2, style 11
  Object titleOnly = slides.Call("AddSlide", 1, Layout(pres, 1, 6).Ptr());
  EXPECT_EQ(titleOnly.Get("BackgroundStyle").AsLong(), 11);
  titleOnly.Call("Delete");
}

TEST_F(EngineDesignMembersTest, AddedAndDeletedSlidesLeaveNoTrace) {
  Object app = Start();
  Object pres = Open(app, Deck("poi__themes.pptx"));
  std::map<std::string, std::string> before = PartsOf(SavedCopy(pres, "before"));
  Object slides = pres.Child("Slides");
  std::vector<int> ids = SlideIds(pres);
  Object kept = slides.Item(4);

  // A first temporary slide, edited and read: new shapes, notes page, colours, tags.
  Object first = slides.Call("AddSlide", 2, Layout(pres, 1, 2).Ptr());
  int firstId = first.Get("SlideID").AsLong();
  Object firstShapes = first.Child("Shapes");
  Object added = firstShapes.Call("AddShape", 1, 10.0, 10.0, 50.0, 50.0);
  int firstAccent = Accent1(Design(pres, 1).Child("SlideMaster").Child("Theme"));
  ExpectMembers(added, {{"Id", 4}, {"Fill.ForeColor.RGB", firstAccent}});  // a new shape's accent1 fill
  ExpectMembers(first, {{"Shapes.Count", 3}, {"NotesPage.Shapes.Count", 2}, {"Tags.Count", 0}});
  first.Child("ThemeColorScheme").Child("Colors", 1).Get("RGB");
  EXPECT_EQ(kept.Get("SlideIndex").AsLong(), 5);
  EXPECT_NE(PartsOf(SavedCopy(pres, "during")), before);
  first.Call("Delete");

  EXPECT_EQ(slides.Count(), 10);
  EXPECT_EQ(SlideIds(pres), ids);
  EXPECT_EQ(kept.Get("SlideIndex").AsLong(), 4);
  EXPECT_EQ(slides.Item(4).Ptr(), kept.Ptr());
  // What was handed out of the deleted slide fails as PowerPoint's deleted objects do.
  EXPECT_EQ(ErrorOf([&] { first.Get("Name"); }), hr::kUnspecified);
  EXPECT_EQ(ErrorOf([&] { firstShapes.Count(); }), hr::kUnspecified);
  EXPECT_EQ(ErrorOf([&] { added.Get("Name"); }), hr::kUnspecified);
  EXPECT_EQ(ErrorOf([&] { slides.Call("FindBySlideID", firstId); }), hr::kInvalidArgument);
  EXPECT_EQ(PartsOf(SavedCopy(pres, "after")), before);

  // The next slide gets the same id and part name, and nothing of the first one.
  Object second = slides.Call("AddSlide", 2, Layout(pres, 5, 7).Ptr());  // Trek's Blank: no placeholders
  ExpectMembers(second, {{"SlideID", firstId}, {"Shapes.Count", 0}, {"NotesPage.Shapes.Count", 2}});
  EXPECT_EQ(ErrorOf([&] { firstShapes.Count(); }), hr::kUnspecified);  // not the new slide's shapes
  Object own = second.Child("Shapes").Call("AddShape", 1, 1.0, 1.0, 5.0, 5.0);
  int trekAccent = Accent1(Design(pres, 5).Child("SlideMaster").Child("Theme"));
  ASSERT_NE(trekAccent, firstAccent);
  // Ids counted for this slide, not the first; colours of this slide's theme.
  ExpectMembers(own, {{"Id", 2}, {"Fill.ForeColor.RGB", trekAccent}});
  EXPECT_EQ(Accent1(second), Accent1(Design(pres, 5).Child("SlideMaster")));
  EXPECT_EQ(second.Child("Design").Get("Index").AsLong(), 5);
  second.Call("Delete");
  EXPECT_EQ(PartsOf(SavedCopy(pres, "again")), before);

  // Slides.Add, then the design changed: the same layout type in the new design.
  Object third = slides.Call("Add", slides.Count() + 1, 11);  // ppLayoutTitleOnly
  ExpectMembers(third, {{"SlideID", firstId}, {"CustomLayout.Name", "Title Only"}, {"Design.Index", 1}});
  third.Put("Design", Design(pres, 3).Ptr());
  ExpectMembers(third, {{"Design.Index", 3}, {"Shapes.Count", 1}});  // the title it was made with
  EXPECT_EQ(third.Child("CustomLayout").Ptr(), Layout(pres, 3, 6).Ptr());
  EXPECT_EQ(Accent1(third), Accent1(Design(pres, 3).Child("SlideMaster")));
  EXPECT_EQ(ErrorOf([&] { third.Put("Design", 3); }), hr::kInvalidArgument);
  third.Call("Delete");
  EXPECT_EQ(ErrorOf([&] { third.Call("Delete"); }), hr::kUnspecified);
  EXPECT_EQ(PartsOf(SavedCopy(pres, "last")), before);
  EXPECT_EQ(slides.Count(), 10);
}

TEST_F(EngineDesignMembersTest, SlidesAddTakesTheFirstMastersLayoutOfThatKind) {
  Object app = Start(11);
  Object pres = Open(app, Deck("poi__themes.pptx"));
  Object slides = pres.Child("Slides");
  EXPECT_EQ(ErrorOf([&] { slides.Call("AddSlide", 1, Object().Ptr()); }), hr::kNotSupported);
  struct Case {
    int slideLayout;
    const char* layout;
  };
  for (Case c : {Case{1, "Title Slide"}, Case{2, "Title and Content"}, Case{16, "Title and Content"}, Case{12, "Blank"},
                 Case{33, "Section Header"}, Case{8, "Title Slide"}}) {  // 8: no chart layout
    SCOPED_TRACE(c.slideLayout);
    Object slide = slides.Call("Add", 1, c.slideLayout);
    ExpectMembers(slide, {{"SlideIndex", 1}, {"Design.Index", 1}});
    ExpectMembers(slide, {{"Layout", c.slideLayout == 16 ? 2 : c.slideLayout == 8 ? 1 : c.slideLayout}});
    // The design moves the slide to that design's layout of the same type.
    slide.Put("Design", Design(pres, 5).Ptr());
    EXPECT_EQ(slide.Child("Design").Get("Index").AsLong(), 5);
    slide.Call("Delete");
  }
  for (int bad : {0, 37, -2}) EXPECT_EQ(ErrorOf([&] { slides.Call("Add", 1, bad); }), hr::kInvalidArgument) << bad;
  for (int index : {0, 12}) EXPECT_EQ(ErrorOf([&] { slides.Call("Add", index, 1); }), hr::kInvalidArgument) << index;
  EXPECT_EQ(slides.Count(), 10);
}

TEST_F(EngineDesignMembersTest, DamagedMastersLayoutsAndThemesAnswerOrFail) {
  Object app = Start();
  const std::string kMaster = "ppt/slideMasters/slideMaster1.xml";
  struct Damage {
    const char* name;
    const char* deck;
    std::function<void(engine::Package&)> edit;
  };
  // Layouts naming each other or no master, and a master listing itself, are DesignBadInputTest's.
  const Damage damages[] = {
      {"layout of another master", "poi__themes.pptx",
       [](engine::Package& p) {
         std::string id = p.Relationships("ppt/slideMasters/slideMaster1.xml").front().id;
         p.RetargetRelationship("ppt/slideMasters/slideMaster1.xml", id, "ppt/slideLayouts/slideLayout20.xml");
       }},
      {"layout to slide", "poi__SampleShow.pptx",
       [](engine::Package& p) {
         Retarget(p, "ppt/slideLayouts/slideLayout1.xml", "slideMaster", "ppt/slides/slide1.xml");
       }},
      {"missing layout", "poi__SampleShow.pptx",
       [](engine::Package& p) { p.RemovePart("ppt/slideLayouts/slideLayout1.xml"); }},
      {"missing master", "poi__SampleShow.pptx", [&](engine::Package& p) { p.RemovePart(kMaster); }},
      {"missing theme", "poi__SampleShow.pptx", [](engine::Package& p) { p.RemovePart("ppt/theme/theme1.xml"); }},
      {"empty theme", "poi__SampleShow.pptx",
       [](engine::Package& p) {
         p.PutPart("ppt/theme/theme1.xml",
                   "<a:theme xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\"/>", "");
       }},
      {"theme without accent1 and fonts", "poi__SampleShow.pptx",
       [](engine::Package& p) {
         pugi::xml_node elements = p.FindXml("ppt/theme/theme1.xml")->document_element().child("a:themeElements");
         elements.child("a:clrScheme").remove_child("a:accent1");
         elements.child("a:fontScheme").remove_child("a:majorFont");
         elements.child("a:fontScheme").child("a:minorFont").remove_child("a:latin");
         p.MarkModified("ppt/theme/theme1.xml");
       }},
  };
  for (const Damage& damage : damages) {
    SCOPED_TRACE(damage.name);
    Object pres = Open(app, Variant(damage.deck, damage.edit, damage.name));
    DesignWalk walk(damage.name);
    walk.Presentation(pres);
    EXPECT_GT(walk.answers, 0);
    // A temporary slide of each layout still comes and goes.
    Object slides = pres.Child("Slides");
    int count = slides.Count();
    for (int d = 1; d <= pres.Child("Designs").Count(); ++d) {
      Object layouts = Design(pres, d).Child("SlideMaster").Child("CustomLayouts");
      for (int i = 1; i <= std::min(layouts.Count(), 3); ++i) {
        walk.Read("AddSlide", [&] {
          Object slide = slides.Call("AddSlide", count + 1, layouts.Item(i).Ptr());
          walk.Read("BackgroundStyle", [&] { slide.Get("BackgroundStyle"); });
          walk.Read("Design", [&] { slide.Child("Design").Get("Name"); });
          walk.Read("Shapes", [&] { slide.Child("Shapes").Count(); });
          slide.Call("Delete");
        });
        EXPECT_EQ(slides.Count(), count);
      }
    }
    walk.Read("Add", [&] { Object(slides.Call("Add", 1, 1)).Call("Delete"); });
    EXPECT_EQ(slides.Count(), count);
  }

  // What a damaged theme still answers: black for a missing colour, "" for a missing font.
  Object pres = Open(app, Variant("poi__SampleShow.pptx", damages[6].edit, "partial"));
  Object theme = Design(pres, 1).Child("SlideMaster").Child("Theme");
  EXPECT_EQ(Accent1(theme), 0);
  EXPECT_NE(theme.Child("ThemeColorScheme").Child("Colors", 6).Get("RGB").AsLong(), 0);
  for (const char* set : {"MajorFont", "MinorFont"})
    EXPECT_EQ(theme.Child("ThemeFontScheme").Child(set).Item(1).Get("Name").AsString(), "") << set;
  Object missing = Open(app, Variant("poi__SampleShow.pptx", damages[4].edit, "missing"));
  EXPECT_EQ(Design(missing, 1).Get("Name").AsString(), "");
  Object missingTheme = Design(missing, 1).Child("SlideMaster").Child("Theme");
  EXPECT_EQ(missingTheme.Child("ThemeColorScheme").Child("Colors", 2).Get("RGB").AsLong(), 0);
  // A missing layout is left out of its master's list.
  Object noLayout = Open(app, Variant("poi__SampleShow.pptx", damages[2].edit, "nolayout"));
  EXPECT_EQ(Design(noLayout, 1).Child("SlideMaster").Child("CustomLayouts").Count(), 10);
  // A missing master leaves no design.
  EXPECT_EQ(Open(app, Variant("poi__SampleShow.pptx", damages[3].edit, "nomaster")).Child("Designs").Count(), 0);
}

class EngineTemporaryPagesTest : public EngineDeckTest {
 protected:
  // The parts of the deck as it would be saved now, in order: an unchanged deck
  // is saved as a copy of its file, whose zip headers a rewrite does not keep.
  std::string Saved(const Object& pres) {
    std::filesystem::path file = Folder("tmp") / ("saved" + std::to_string(++saves_) + ".pptx");
    pres.Call("SaveCopyAs", file.string());
    std::string parts;
    for (const ZipRead& entry : ReadZip(file)) parts += entry.name + '\n' + entry.bytes + '\n';
    return parts;
  }

  int saves_ = 0;
};

TEST_F(EngineTemporaryPagesTest, ADuplicateFollowsItsSlideWithTheSameContentUntilDeleted) {
  Object pres = Open("poi__backgrounds.pptx");
  std::string before = Saved(pres);
  Object slides = pres.Child("Slides");
  Object source = slides.Item(4);  // a picture background and three shapes
  Object copy = Object(source.Call("Duplicate")).Item(1);
  EXPECT_EQ(slides.Count(), 5);
  EXPECT_NE(copy.Get("SlideID").AsLong(), source.Get("SlideID").AsLong());
  EXPECT_EQ(slides.Item(5).Ptr(), copy.Ptr());  // the same object the collection hands out
  ExpectMembers(copy, {{"SlideIndex", 5}, {"FollowMasterBackground", kFalse}});
  ExpectMembers(copy, {{"Layout", source.Get("Layout").AsLong()}});
  ExpectMembers(copy, {{"Background.Fill.Type", source.Child("Background").Child("Fill").Get("Type").AsLong()}});
  Object shapes = copy.Child("Shapes"), sourceShapes = source.Child("Shapes");
  ASSERT_EQ(shapes.Count(), sourceShapes.Count());
  for (int i = 1; i <= shapes.Count(); ++i)
    EXPECT_EQ(shapes.Item(i).Get("Name").AsString(), sourceShapes.Item(i).Get("Name").AsString());

  // Hiding everything but the background touches the copy only.
  copy.Put("DisplayMasterShapes", kFalse);
  for (int i = 1; i <= shapes.Count(); ++i) shapes.Item(i).Put("Visible", kFalse);
  EXPECT_EQ(copy.Get("DisplayMasterShapes").AsLong(), kFalse);
  EXPECT_EQ(source.Get("DisplayMasterShapes").AsLong(), kTrue);
  EXPECT_EQ(shapes.Item(1).Get("Visible").AsLong(), kFalse);
  EXPECT_EQ(sourceShapes.Item(1).Get("Visible").AsLong(), kTrue);

  copy.Call("Delete");
  EXPECT_EQ(slides.Count(), 4);
  EXPECT_EQ(ErrorOf([&] { copy.Get("SlideIndex"); }), hr::kUnspecified);
  EXPECT_EQ(Saved(pres), before);

  // A copy of a middle slide comes right after it; the slides after it move on.
  Object second = slides.Item(2);
  Object middle = Object(second.Call("Duplicate")).Item(1);
  EXPECT_EQ(middle.Get("SlideIndex").AsLong(), 3);
  EXPECT_EQ(slides.Item(4).Child("Shapes").Item(1).Child("TextFrame").Child("TextRange").Get("Text").AsString(),
            "Master Gradient Fill");
  middle.Call("Delete");
  EXPECT_EQ(Saved(pres), before);
}

TEST_F(EngineTemporaryPagesTest, ADuplicateKeepsItsMediaAndCharts) {
  Object audio = Open("poi__EmbeddedAudio.pptx");
  Object copy = Object(audio.Child("Slides").Item(1).Call("Duplicate")).Item(1);
  Object sound = copy.Child("Shapes").Item(1);
  EXPECT_EQ(sound.Get("MediaType").AsLong(), 2);
  std::filesystem::path exported = Folder("tmp") / "copy.mp3";
  sound.Child("SoundFormat").Call("Export", exported.string());
  EXPECT_EQ(std::filesystem::file_size(exported), 52079u);
  EXPECT_EQ(sound.Child("AnimationSettings").Get("AnimationOrder").AsLong(), 1);
  // A copy of a copy, once the first is gone, takes the first free name again.
  copy.Call("Delete");
  Object again = Object(audio.Child("Slides").Item(1).Call("Duplicate")).Item(1);
  EXPECT_EQ(again.Child("Shapes").Item(1).Get("MediaType").AsLong(), 2);

  Object chart = Open("poi__chart-picture-bg.pptx");
  Object chartCopy = Object(chart.Child("Slides").Item(1).Call("Duplicate")).Item(1);
  EXPECT_EQ(chartCopy.Child("Shapes").Item(1).Get("HasChart").AsLong(), kTrue);
}

TEST_F(EngineTemporaryPagesTest, ATemporaryLayoutShowsItsMasterAndGoesAgain) {
  Object pres = Open("poi__bug68703.pptx");
  std::string before = Saved(pres);
  Object master = pres.Child("Designs").Item(1).Child("SlideMaster");
  Object layouts = master.Child("CustomLayouts");
  int count = layouts.Count();
  Object first = layouts.Item(1);

  Object layout = layouts.Call("Add", count + 1);
  EXPECT_EQ(layouts.Count(), count + 1);
  ExpectMembers(layout, {{"Index", count + 1}, {"Name", "Custom Layout"}, {"FollowMasterBackground", kTrue}});
  ExpectMembers(layout, {{"Parent.Name", master.Get("Name").AsString()}});
  ExpectMembers(layout, {{"Background.Fill.Type", master.Child("Background").Child("Fill").Get("Type").AsLong()}});

  Object slides = pres.Child("Slides");
  Object slide = slides.Call("AddSlide", slides.Count() + 1, layout.Ptr());
  // The master has no placeholders to lay out.
  ExpectMembers(slide, {{"FollowMasterBackground", kTrue}, {"CustomLayout.Name", "Custom Layout"}});
  ExpectMembers(slide, {{"Design.SlideMaster.Name", master.Get("Name").AsString()}, {"Shapes.Count", 0}});

  // A layout a slide follows stays.
  EXPECT_EQ(ErrorOf([&] { layout.Call("Delete"); }), hr::kUnspecified);
  slide.Call("Delete");
  layout.Call("Delete");
  EXPECT_EQ(layouts.Count(), count);
  EXPECT_EQ(ErrorOf([&] { layout.Get("Name"); }), hr::kUnspecified);
  EXPECT_EQ(Saved(pres), before);

  // Added first, it moves the others on; each keeps its object.
  Object front = layouts.Call("Add", 1);
  EXPECT_EQ(layouts.Item(2).Ptr(), first.Ptr());
  EXPECT_EQ(first.Get("Index").AsLong(), 2);
  front.Call("Delete");
  EXPECT_EQ(first.Get("Index").AsLong(), 1);
  EXPECT_EQ(Saved(pres), before);
  for (int bad : {count + 2, 0}) EXPECT_EQ(ErrorOf([&] { layouts.Call("Add", bad); }), hr::kInvalidArgument) << bad;

  // A master with placeholders gives the layout its title, date, footer and number;
  // only the title comes onto a slide.
  Object titled = Open("poi__backgrounds.pptx");
  Object titledLayout = titled.Child("Designs").Item(1).Child("SlideMaster").Child("CustomLayouts").Call("Add", 1);
  Object layoutShapes = titledLayout.Child("Shapes");
  ASSERT_EQ(layoutShapes.Count(), 4);
  const int types[] = {1, 16, 15, 13};  // title, date, footer, slide number
  for (int i = 1; i <= 4; ++i) ExpectMembers(layoutShapes.Item(i), {{"PlaceholderFormat.Type", types[i - 1]}});
  Object titledSlide = titled.Child("Slides").Call("AddSlide", 1, titledLayout.Ptr());
  ASSERT_EQ(titledSlide.Child("Shapes").Count(), 1);
  ExpectMembers(titledSlide.Child("Shapes").Item(1), {{"PlaceholderFormat.Type", 1}});
}

}  // namespace
}  // namespace quillmere::testing
