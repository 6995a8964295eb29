// Shape members answer from real decks what PowerPoint answers: kinds,
// geometry in slide points (agreeing with LibreOffice's placing through groups
// and inherited placeholder frames), connectors, placeholders, links,
// adjustments, text and tags, and media shapes their kind, links, formats,
// exported bytes and the animation that finds a narration. Damaged media
// references fail the member that needs them and write nothing.

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

#include "engine/EngineRuntime.h"
#include "engine/model/document/PresentationDocument.h"
#include "engine/model/shapes/Inheritance.h"
#include "engine/model/shapes/ShapeTree.h"
#include "engine/objects/media/LinkFormatObjects.h"
#include "engine/package/Package.h"
#include "objectmodel/automation/ComError.h"
#include "tests/engine/EditedDecks.h"
#include "tests/engine/EngineDeckTest.h"
#include "tests/helpers/ErrorNumber.h"
#include "tests/helpers/NearMembers.h"
#include "tests/helpers/ObjectMembers.h"
#include "tests/helpers/OfficeValues.h"

namespace quillmere::testing {
namespace {

// Every tag's name and value, in order.
using TagList = std::vector<std::pair<std::string, std::string>>;
TagList TagsOf(const Object& tags) {
  TagList list;
  for (int i = 1; i <= tags.Count(); ++i)
    list.emplace_back(tags.Get("Name", i).AsString(), tags.Get("Value", i).AsString());
  return list;
}

struct Place {
  const char* name;
  double left, top, width, height;  // cm, as LibreOffice's own conversion of the deck has them
};

class EngineShapeMembersTest : public EngineDeckTest {
 protected:
  // The shape of that name on the slide, looked for in groups too.
  static Object Find(const Object& shapes, const std::string& name) {
    for (int i = 1; i <= shapes.Count(); ++i) {
      Object shape = shapes.Item(i);
      if (shape.Get("Name").AsString() == name) return shape;
      if (shape.Get("Type").AsLong() == 6)
        if (Object inner = Find(shape.Child("GroupItems"), name)) return inner;
    }
    return {};
  }

  static void ExpectPlaces(const Object& shapes, std::initializer_list<Place> places) {
    for (const Place& p : places) {
      Object shape = Find(shapes, p.name);
      ASSERT_TRUE(shape) << p.name;
      SCOPED_TRACE(p.name);
      ExpectNearMembers(
          shape, {{"Left", Cm(p.left)}, {"Top", Cm(p.top)}, {"Width", Cm(p.width)}, {"Height", Cm(p.height)}}, 0.5);
    }
  }
};

TEST_F(EngineShapeMembersTest, PositionsAgreeWithLibreOfficeThroughGroupsAndInheritedPlaceholders) {
  // Groups whose child space is a few hundred units scaled onto their frame.
  Object grouping = Open("poi__sample_pptx_grouping_issues.pptx");
  ExpectPlaces(Shapes(grouping, 1), {{"Rectangle 6", 16.611, 6.249, 8.32, 3.077},
                                     {"AutoShape 11", 22.304, 5.154, 0.515, 0.971},
                                     {"AutoShape 12", 19.085, 5.154, 0.515, 0.971},
                                     {"AutoShape 16", 13.97, 5.154, 0.515, 0.971}});
  ExpectMembers(Find(Shapes(grouping, 1), "AutoShape 11"), {{"Child", kTrue}, {"ParentGroup.Name", "Group 10"}});
  ExpectMembers(Find(Shapes(grouping, 1), "Rectangle 6"), {{"Child", kFalse}});
  // Written as -90 degrees, read as PowerPoint keeps angles: 0 to 360.
  ExpectMembers(Find(Shapes(grouping, 1), "AutoShape 13"), {{"Rotation", 270.0f}});

  // A group in a group, its child space moved from its frame.
  Object stress = Open("poi__stress013.pptx");
  Object slide20 = Shapes(stress, 20);
  ExpectPlaces(slide20, {{"Title 1", 1.746, 3.142, 21.907, 2.761}});
  // A connector has no height to compare; LibreOffice fits a text box to its text: only its position is.
  // Group 72 maps child x 3770090 to 3796980 EMU: the ink stroke at 4095170 lands 26890 EMU further right.
  struct Near {
    const char* name;
    const char* member;
    double points, within;
  };
  for (const Near& n :
       {Near{"Straight Connector 84", "Left", Cm(16.66), 0.5}, Near{"Straight Connector 84", "Top", Cm(12.655), 0.5},
        Near{"Straight Connector 84", "Width", Cm(20.418 - 16.66), 0.5}, Near{"TextBox 85", "Left", Cm(14.894), 0.5},
        Near{"TextBox 85", "Top", Cm(12.142), 0.5}, Near{"Ink 66", "Left", (4095170 + 26890) / 12700.0, 0.01},
        Near{"Ink 66", "Top", (4405338 + 188509) / 12700.0, 0.01}})
    EXPECT_NEAR(Find(slide20, n.name).Get(n.member).AsDouble(), n.points, n.within) << n.name << "." << n.member;

  // The title has no frame of its own and takes its layout's.
  Object shapes = Open("pptx__shp-shapes.pptx");
  ExpectPlaces(Shapes(shapes, 1), {{"Title 3", 1.27, 0.763, 22.859, 3.174},
                                   {"Content Placeholder 4", 1.301, 4.524, 11.398, 4.8},
                                   {"Picture 5", 19.901, 16.526, 4.938, 1.975},
                                   {"Table 1", 13.3, 5.325, 10.599, 2.059},
                                   {"Chart 2", 1.299, 9.725, 10.6, 5.443}});
}

TEST_F(EngineShapeMembersTest, PlaceholdersInheritFromTheirLayoutAndMaster) {
  // Slide 2 sets nothing of its own: its title takes the master's frame and
  // text, its content placeholder (idx 10) the layout's frame and the
  // master's body text.
  const char* deck = "pptx__ph-inherit-props.pptx";
  engine::PresentationDocument doc(engine::Package::Open(Deck(deck)));
  const std::string slide = "ppt/slides/slide2.xml", layout = "ppt/slideLayouts/slideLayout1.xml",
                    master = "ppt/slideMasters/slideMaster1.xml";
  engine::InheritedParts parts = engine::InheritedPartsOf(doc, slide);
  EXPECT_EQ(parts.layout, layout);
  EXPECT_EQ(parts.master, master);
  EXPECT_EQ(parts.theme, "ppt/theme/theme1.xml");
  // Notes follow the notes master, which has a theme of its own.
  const std::string notes = doc.NotesPageOf(slide);
  EXPECT_EQ(engine::InheritanceChain(doc, notes),
            (std::vector<std::string>{notes, "ppt/notesMasters/notesMaster1.xml"}));
  EXPECT_EQ(engine::InheritedPartsOf(doc, notes).theme, "ppt/theme/theme2.xml");

  auto inheritedFrom = [&](const std::string& name) {
    std::string xpath = "//p:sp[p:nvSpPr/p:cNvPr/@name='" + name + "']";
    std::vector<std::string> found;
    for (const engine::InheritedShape& up :
         engine::InheritedShapes(doc, slide, doc.PartRoot(slide).select_node(xpath.c_str()).node()))
      found.push_back(up.part + ": " + engine::DrawingPropertiesOf(up.shape).attribute("name").value());
    return found;
  };
  EXPECT_EQ(inheritedFrom("Title 1"),
            (std::vector<std::string>{layout + ": Title 1", master + ": Title Placeholder 1"}));
  // Matched by idx on the layout, by kind on the master (whose body has idx 1).
  EXPECT_EQ(inheritedFrom("Content Placeholder 2"),
            (std::vector<std::string>{layout + ": Content Placeholder 3", master + ": Text Placeholder 2"}));

  Object shapes = Shapes(Open(deck), 2);
  Object title = shapes.Item("Title 1"), body = shapes.Item("Content Placeholder 2");
  ExpectNearMembers(title, {{"Top", 274638 / 12700.0}, {"Height", 1143000 / 12700.0}}, 0.01);
  // The master's anchor="ctr".
  ExpectMembers(title, {{"TextFrame.VerticalAnchor", 3}, {"TextFrame.TextRange.Font.Size", 44.0}});
  ExpectNearMembers(title, {{"TextFrame.MarginLeft", 7.2}}, 1e-3);
  ExpectNearMembers(body, {{"Left", 468312 / 12700.0}, {"Width", 8208143 / 12700.0}}, 0.01);
  ExpectMembers(body, {{"TextFrame.TextRange.Font.Size", 32.0}});
}

TEST_F(EngineShapeMembersTest, KindsOfRealShapes) {
  struct Kind {
    const char* name;
    int type, autoShapeType;
  };
  Object shapes = Open("pptx__shp-shapes.pptx");
  for (Kind k : {Kind{"Title 3", 14, 1}, Kind{"Picture 5", 13, 1}, Kind{"Table 1", 19, 1}, Kind{"Chart 2", 3, 1},
                 Kind{"Diagram 7", 24, 1}}) {
    SCOPED_TRACE(k.name);
    ExpectMembers(Find(Shapes(shapes, 1), k.name), {{"Type", k.type}, {"AutoShapeType", k.autoShapeType}});
  }
  Object slide = Shapes(shapes, 1);
  ExpectMembers(Find(slide, "Table 1"), {{"HasTable", kTrue}});
  ExpectMembers(Find(slide, "Chart 2"), {{"HasChart", kTrue}, {"HasTable", kFalse}});
  ExpectMembers(Find(slide, "Diagram 7"), {{"HasSmartArt", kTrue}, {"ZOrderPosition", 6}});
  // Pictures lock their aspect ratio by default.
  ExpectMembers(Find(slide, "Picture 5"), {{"HasTextFrame", kFalse}, {"LockAspectRatio", kTrue}});
  ExpectMembers(Find(slide, "Title 3"), {{"HasTextFrame", kTrue}, {"ZOrderPosition", 1}});

  Object stress = Open("poi__stress013.pptx");
  Object slide20 = Shapes(stress, 20);
  ExpectMembers(Find(slide20, "TextBox 85"), {{"Type", 17}});
  ExpectMembers(Find(slide20, "Rounded Rectangle 1"), {{"AutoShapeType", 5}});
  Object group = Find(slide20, "Group 11");
  ExpectMembers(group, {{"Type", 6}, {"AutoShapeType", -2}});
  EXPECT_EQ(group.Child("GroupItems").Count(), 6);  // the nested groups are one member each
  ExpectMembers(group.Child("GroupItems").Item(3), {{"Name", "Group 72"}, {"GroupItems.Count", 7}});
  // Ink under mc:AlternateContent: PowerPoint 2010 reads the p14 branch.
  ExpectMembers(Find(slide20, "Ink 49"), {{"Type", 22}});
  Object straight = Find(slide20, "Straight Connector 84");
  ExpectMembers(straight, {{"Type", 1}, {"Connector", kTrue}, {"ConnectorFormat.Type", 1}});
  ExpectMembers(straight, {{"ConnectorFormat.BeginConnected", kFalse}});
  EXPECT_THROW(straight.Child("ConnectorFormat").Get("BeginConnectedShape"), ComError);
  EXPECT_THROW(group.Get("ConnectorFormat"), ComError);
  EXPECT_THROW(group.Get("MediaType"), ComError);
  EXPECT_THROW(straight.Get("GroupItems"), ComError);

  // A curved connector glued by both ends; PowerPoint counts sites from 1.
  Object slide12 = Shapes(stress, 12);
  Object curved = Find(slide12, "Curved Connector 11"), glue = curved.Child("ConnectorFormat");
  ExpectMembers(glue,
                {{"Type", 3}, {"BeginConnected", kTrue}, {"BeginConnectedShape.Id", 3}, {"BeginConnectionSite", 1}});
  ExpectMembers(glue, {{"EndConnectedShape.Id", 2}, {"EndConnectionSite", 4}});
  ExpectMembers(curved, {{"VerticalFlip", kTrue}, {"HorizontalFlip", kFalse}, {"Rotation", 270.0f}});
}

TEST_F(EngineShapeMembersTest, PlaceholdersTellWhatTheyHold) {
  Object pres = Open("pptx__ph-populated-placeholders.pptx");
  struct Held {
    int slide, placeholderType, containedType;
  };
  // picture, clip art, table, chart, title, content, text, SmartArt, media
  for (Held h : {Held{1, 18, 13}, Held{2, 9, 13}, Held{3, 12, 19}, Held{4, 8, 3}, Held{5, 1, 1}, Held{6, 7, 1},
                 Held{7, 2, 1}, Held{8, 11, 24}, Held{9, 10, 1}}) {
    SCOPED_TRACE("slide " + std::to_string(h.slide));
    Object shape = Shapes(pres, h.slide).Item(1);
    ExpectMembers(shape, {{"Type", 14}, {"PlaceholderFormat.Type", h.placeholderType}});
    ExpectMembers(shape, {{"PlaceholderFormat.ContainedType", h.containedType}});
    EXPECT_GT(shape.Get("Width").AsDouble(), 0.0);  // taken from the layout
  }
}

TEST_F(EngineShapeMembersTest, AdjustmentsAreScaledAndDefaultedAsPowerPointShowsThem) {
  Object pres = Open("poi__stress013.pptx");
  Object rounded = Find(Shapes(pres, 20), "Rounded Rectangle 1");
  ASSERT_EQ(rounded.Child("Adjustments").Count(), 1);
  EXPECT_NEAR(rounded.Child("Adjustments").Get("Item", 1).AsDouble(), 0.16667, 1e-5);
  EXPECT_THROW(rounded.Child("Adjustments").Get("Item", 2), ComError);

  // An arc's angles in degrees: its default start, 270 in the file, reads -90.
  Object arc = Shapes(pres, 20).Call("AddShape", 25, 10.0, 10.0, 100.0, 100.0);
  Object adjustments = arc.Child("Adjustments");
  ASSERT_EQ(adjustments.Count(), 2);
  auto expectAngles = [&](float start, float end) {
    EXPECT_FLOAT_EQ(adjustments.Get("Item", 1).AsSingle(), start);
    EXPECT_FLOAT_EQ(adjustments.Get("Item", 2).AsSingle(), end);
  };
  expectAngles(-90.0f, 0.0f);
  adjustments.Put("Item", 2, -90.0);
  adjustments.Put("Item", 1, -90.0);
  expectAngles(-90.0f, -90.0f);
  adjustments.Put("Item", 2, 0.0);
  expectAngles(-90.0f, 0.0f);
  adjustments.Put("Item", 1, 45.5);
  expectAngles(45.5f, 0.0f);
}

TEST_F(EngineShapeMembersTest, LinkedPicturesAndObjectsNameTheirFiles) {
  Object shapes = Shapes(Open("poi__56812.pptx"), 1);
  const char* logo = "/Users/writ/Documents/workspace/ApachePoi/project-logo.jpg";
  ExpectMembers(shapes.Item(1), {{"Type", 13}});
  EXPECT_THROW(shapes.Item(1).Get("LinkFormat"), ComError);                            // embedded only
  ExpectMembers(shapes.Item(2), {{"Type", 13}, {"LinkFormat.SourceFullName", logo}});  // embedded, and linked as well
  ExpectMembers(shapes.Item(3), {{"Type", 11}, {"LinkFormat.SourceFullName", logo}});

  Object ole = Shapes(Open("poi__bug54570.pptx"), 1).Item(1);
  ExpectMembers(ole, {{"Type", 10}, {"LinkFormat.SourceFullName", "E:\\project\\poi\\poi\\external.xlsx"}});
  EXPECT_THROW(Shapes(Open("poi__EmbeddedVideo.pptx"), 1).Item(1).Get("LinkFormat"), ComError);
}

TEST_F(EngineShapeMembersTest, ShapeTagsAreReadLikeSlideTags) {
  // No corpus shape carries tags: one is given a tags part the way PowerPoint writes it.
  std::string copy =
      EditedDeck(Deck("poi__56812.pptx"), Folder("tmp") / "tagged.pptx",
                 {{"<p:nvPr/></p:nvPicPr>",
                   "<p:nvPr><p:custDataLst><p:tags r:id=\"rIdTags\"/></p:custDataLst></p:nvPr></p:nvPicPr>"}},
                 RelationshipXml("rIdTags", "http://schemas.openxmlformats.org/officeDocument/2006/relationships/tags",
                                 "../tags/tag90.xml"),
                 {{"ppt/tags/tag90.xml",
                   "<p:tagLst xmlns:p=\"http://schemas.openxmlformats.org/presentationml/2006/main\">"
                   "<p:tag name=\"QUILL_ROLE\" val=\"logo\"/><p:tag name=\"SOURCE\" val=\"poi\"/></p:tagLst>",
                   "application/vnd.openxmlformats-officedocument.presentationml.tags+xml"}})
          .string();

  Object shapes = Shapes(OpenFile(copy), 1);
  Object tags = shapes.Item(1).Child("Tags");
  EXPECT_EQ(TagsOf(tags), (TagList{{"QUILL_ROLE", "logo"}, {"SOURCE", "poi"}}));
  EXPECT_EQ(tags.Get("Item", "quill_role").AsString(), "logo");
  EXPECT_EQ(tags.Get("Item", "missing").AsString(), "");
  EXPECT_EQ(shapes.Item(2).Child("Tags").Count(), 0);

  Object slideTags =
      Open("poi__aascu.org_workarea_downloadasset.aspx_id=5864.pptx").Child("Slides").Item(24).Child("Tags");
  EXPECT_GT(slideTags.Count(), 0);
}

using EngineTagEditsTest = EngineShapeMembersTest;

TEST_F(EngineTagEditsTest, TagsAddedToPresentationSlideAndShapeSurviveSaveAndReopen) {
  Object app = StartEngine();
  // The deck's presentation already has a tag; its slides and shapes have none.
  Object pres = OpenDeck(app, Deck("poi__bug65228.pptx"));
  Object presTags = pres.Child("Tags");
  TagList kept = TagsOf(presTags);
  ASSERT_EQ(kept.size(), 1u);

  presTags.Call("Add", "course", "intro");
  Object slide = pres.Child("Slides").Item(1);
  Object slideTags = slide.Child("Tags");
  ASSERT_EQ(slideTags.Count(), 0);
  slideTags.Call("Add", "Kind", "first");
  slideTags.Call("Add", "KIND", "quiz");  // the same name: its value is replaced
  slideTags.Call("Add", "gone", "soon");
  slideTags.Call("Delete", "Gone");
  slide.Child("Shapes").Item(2).Child("Tags").Call("Add", "wo_url", "https://example.org/a?b=1&c=<2>");
  EXPECT_EQ(TagsOf(slideTags), (TagList{{"KIND", "quiz"}}));
  EXPECT_EQ(slideTags.Get("Item", "kind").AsString(), "quiz");

  std::string copy = (Folder("tmp") / "tagged.pptx").string();
  pres.Call("SaveCopyAs", copy, 24);
  pres.Call("Close");

  Object again = OpenDeck(app, copy);
  Object tags = again.Child("Tags");
  EXPECT_EQ(TagsOf(tags), (TagList{kept[0], {"COURSE", "intro"}}));
  EXPECT_EQ(tags.Get("Item", "Course").AsString(), "intro");
  Object reopened = again.Child("Slides").Item(1);
  ASSERT_EQ(reopened.Child("Tags").Count(), 1);
  EXPECT_EQ(reopened.Child("Tags").Get("Item", "kind").AsString(), "quiz");
  EXPECT_EQ(TagsOf(reopened.Child("Shapes").Item(2).Child("Tags")),
            (TagList{{"WO_URL", "https://example.org/a?b=1&c=<2>"}}));
  EXPECT_EQ(reopened.Child("Shapes").Item(1).Child("Tags").Count(), 0);

  // Deleting the last tag of the shape leaves it with none after another save.
  reopened.Child("Shapes").Item(2).Child("Tags").Call("Delete", "Wo_Url");
  std::string second = (Folder("tmp") / "untagged.pptx").string();
  again.Call("SaveCopyAs", second, 24);
  again.Call("Close");
  Object third = OpenDeck(app, second);
  EXPECT_EQ(third.Child("Slides").Item(1).Child("Shapes").Item(2).Child("Tags").Count(), 0);
  EXPECT_EQ(third.Child("Tags").Count(), 2);
  EXPECT_THROW(third.Child("Tags").Call("Add", "", "x"), ComError);
  // The tags of a deleted shape are gone with it, not read from freed XML.
  Object doomed = third.Child("Slides").Item(1).Child("Shapes").Item(2);
  Object doomedTags = doomed.Child("Tags");
  doomed.Call("Delete");
  EXPECT_THROW(doomedTags.Count(), ComError);
  third.Call("Close");
  app.Call("Quit");
}

TEST(LinkTargetPathTest, FileUrisBecomePaths) {
  for (auto [uri, path] :
       {std::pair{"file:///C:\\Media\\clip%20one.wmv", "C:\\Media\\clip one.wmv"},
        std::pair{"file:///C:/Media/a.png", "C:\\Media\\a.png"},
        std::pair{"file://server/share/a.png", "\\\\server\\share\\a.png"},
        std::pair{"file://localhost/Users/me/a.jpg", "/Users/me/a.jpg"}, std::pair{"../media/a.png", "../media/a.png"},
        std::pair{"http://example.com/a.png", "http://example.com/a.png"}})
    EXPECT_EQ(engine::LinkTargetPath(uri), path) << uri;
}

TEST_F(EngineShapeMembersTest, EffectsPicturesAndWordArtReadAsPowerPointReportsThem) {
  Object pres = Open("poi__60810.pptx");
  Object glow = Shapes(pres, 28).Item("Rectangle 6").Child("Glow");
  ExpectNearMembers(glow, {{"Radius", 8.0}, {"Transparency", 0.6}}, 1e-4);
  ExpectMembers(glow, {{"Color.Type", 2}, {"Color.ObjectThemeColor", 8}});  // accent 4, saturated
  Object softEdge = Shapes(pres, 28).Item("Picture 3").Child("SoftEdge");
  EXPECT_NEAR(softEdge.Get("Radius").AsDouble(), 112500 / 12700.0, 1e-4);
  EXPECT_EQ(softEdge.Get("Type").AsLong(), -2) << "no preset has that radius";
  // An outer shadow right behind, a bevel; the light turns, not the camera.
  ExpectMembers(Shapes(pres, 25).Item("Picture 3"),
                {{"Shadow.Type", 25}, {"Reflection.Type", 0}, {"ThreeD.Visible", -1}, {"ThreeD.RotationZ", 0.0}});

  // Picture 9 shows its image less 2.878% left, 2.522% top, 21.582% right and 46.217% bottom, unchanged in colour.
  Object picture = Shapes(Open("poi__54542_cropped_bitmap.pptx"), 1).Item("Picture 9");
  Object format = picture.Child("PictureFormat");
  double uncroppedHeight = picture.Get("Height").AsDouble() / (1 - 0.02522 - 0.46217);
  double uncroppedWidth = picture.Get("Width").AsDouble() / (1 - 0.02878 - 0.21582);
  ExpectNearMembers(format, {{"CropTop", 0.02522 * uncroppedHeight}, {"CropBottom", 0.46217 * uncroppedHeight}}, 0.01);
  ExpectNearMembers(format, {{"CropLeft", 0.02878 * uncroppedWidth}, {"CropRight", 0.21582 * uncroppedWidth}}, 0.01);
  ExpectMembers(format, {{"Brightness", 0.5}, {"Contrast", 0.5}, {"TransparentBackground", 0}});

  // A text box whose text is not warped is no WordArt.
  Object textBox = Shapes(Open("poi__2411-Performance_Up.pptx"), 1).Item("Text Box 4");
  EXPECT_EQ(textBox.Child("TextEffect").Get("PresetShape").AsLong(), 0);
}

TEST_F(EngineShapeMembersTest, RunsOfTextCarryTheirCharacterEffects) {
  // Content Placeholder 4 has 31 runs; the 28th is underlined, the 30th struck through and underlined.
  Object shape = Shapes(Open("poi__pptx2svg.pptx"), 1).Item("Content Placeholder 4");
  Object frame = shape.Child("TextFrame2");
  ExpectMembers(shape, {{"TextFrame2.HasText", -1}, {"TextFrame.HasText", -1}, {"TextFrame2.ThreeD.Visible", 0}});
  Object runs = frame.Child("TextRange").Child("Runs");
  ASSERT_EQ(runs.Count(), 31);
  Object struck = frame.Child("TextRange").Child("Runs", 30);
  ExpectMembers(struck, {{"Text", "a lazy "}});
  Object font = struck.Child("Font");
  ExpectMembers(font, {{"Strikethrough", -1}, {"DoubleStrikeThrough", 0}, {"UnderlineStyle", 2}});
  Object plainUnderline = frame.Child("TextRange").Child("Runs", 28).Child("Font");
  ExpectMembers(plainUnderline, {{"Strikethrough", 0}, {"UnderlineStyle", 2}});
  for (const Object& f : {font, plainUnderline}) {
    ExpectMembers(
        f, {{"Fill.Type", 1}, {"Line.Visible", 0}, {"Glow.Radius", 0.0}, {"Reflection.Type", 0}, {"Smallcaps", 0}});
  }
  EXPECT_THROW(frame.Child("TextRange").Child("Runs", 32), ComError);
}

TEST_F(EngineShapeMembersTest, ParagraphsTakeWhatTheyLeaveOutFromTheMastersBodyStyle) {
  // Alignment, spacing, bullet character and the second level's indents of this
  // shape are written and checked in EngineShapeWritersTest.
  Object text =
      Shapes(Open("poi__pptx2svg.pptx"), 1).Item("Content Placeholder 4").Child("TextFrame2").Child("TextRange");
  ASSERT_EQ(text.Child("Paragraphs").Count(), 4);
  Object first = text.Child("Paragraphs", 1);
  EXPECT_TRUE(first.Get("Text").AsString().ends_with("\r"));
  EXPECT_FALSE(text.Child("Paragraphs", 4).Get("Text").AsString().ends_with("\r"));
  Object format = first.Child("ParagraphFormat");
  ExpectMembers(format, {{"LineRuleWithin", 0}});
  ExpectMembers(format.Child("Bullet"), {{"RelativeSize", 1.0}, {"UseTextColor", 0}});
  // The first level takes its tab spacing from the master.
  Object plain = text.Child("Paragraphs", 2).Child("ParagraphFormat");
  ExpectMembers(plain, {{"Alignment", 1}, {"TabStops.Count", 0}, {"TabStops.DefaultSpacing", 36.0}});
}

TEST_F(EngineShapeMembersTest, FontsAndFramesInheritFromLayoutMasterAndPresentationDefaults) {
  Object shapes = Shapes(Open("poi__pptx2svg.pptx"), 1);
  auto font = [&](const char* shape, int run) {
    return shapes.Item(shape).Child("TextFrame2").Child("TextRange").Child("Runs", run).Child("Font");
  };
  // The title sets only bold: kerning comes from the master's title style (sizes and
  // typefaces of first runs are compared with LibreOffice's in TextAgainstLibreOfficeTest).
  // Its own colour is accent 2 (C0504D) at 75% luminance, packed red low.
  ExpectMembers(font("Title 3", 1), {{"Bold", -1}, {"Italic", 0}, {"Kerning", 12.0}, {"Fill.ForeColor.RGB", 0x353795}});
  // A shape that is no placeholder takes the presentation's default text style. Its text has no
  // colour of its own: the shape style's font reference makes it light 1 (white).
  ExpectMembers(font("Oval 5", 1), {{"Caps", 0}, {"Subscript", 0}, {"Fill.ForeColor.RGB", 0xFFFFFF}});

  // The title's frame is laid out by the master's: centred vertically, text shrunk to fit.
  Object titleFrame = shapes.Item("Title 3").Child("TextFrame2");
  ExpectMembers(titleFrame, {{"VerticalAnchor", 3}, {"AutoSize", 2}});
  EXPECT_EQ(shapes.Item("Title 3").Child("TextFrame").Get("AutoSize").AsLong(), 0) << "TextFrame has no shrink";
  ExpectNearMembers(titleFrame, {{"MarginLeft", 7.2}, {"MarginTop", 3.6}}, 1e-4);
  ExpectMembers(titleFrame, {{"Orientation", 1}, {"WordWrap", -1}});
  Object bodyFrame = shapes.Item("Content Placeholder 4").Child("TextFrame");
  ExpectMembers(bodyFrame, {{"VerticalAnchor", 1}, {"HorizontalAnchor", 1}});
  EXPECT_EQ(shapes.Item("Oval 5").Child("TextFrame").Get("VerticalAnchor").AsLong(), 3);
}

TEST_F(EngineShapeMembersTest, TableCellTextTakesItsTableStylesFontOverThePresentationDefault) {
  // (Decks whose cells LibreOffice reads too are compared with it in TextAgainstLibreOfficeTest.)
  // A style may name its font (here Calibri over the deck's Arial); a run's own font still wins.
  auto firstCellFont = [&](const char* deck, int slide, const char* name) {
    Object cell = Shapes(Open(deck), slide).Item(name).Child("Table").Child("Cell", 1, 1).Child("Shape");
    return cell.Child("TextFrame2").Child("TextRange").Child("Runs", 1).Child("Font").Get("Name").AsString();
  };
  EXPECT_EQ(firstCellFont("poi__bug68703.pptx", 1, "Tabel 5"), "Calibri");
  EXPECT_EQ(firstCellFont("poi__table-with-theme.pptx", 1, "Table 4"), "Arial");
}

TEST_F(EngineShapeMembersTest, NotesTextTakesTheNotesMastersStyleAndColours) {
  Object notes = Open("poi__customGeo.pptx").Child("Slides").Item(1).Child("NotesPage");
  Object scheme = notes.Child("ThemeColorScheme");
  Object body = notes.Child("Shapes").Child("Placeholders").Item(2);
  Object font = body.Child("TextFrame2").Child("TextRange").Child("Runs", 1).Child("Font");
  // The notes master's body style: 12 pt in the text colour of its colour map (tx1 → dk1).
  ExpectMembers(font, {{"Size", 12.0f}, {"Fill.ForeColor.RGB", scheme.Child("Colors", 1).Get("RGB").AsLong()}});
}

TEST_F(EngineShapeMembersTest, BulletFontsTakeTheirOwnFontAndColourElseTheText) {
  Object slide = Open("poi__pptx2svg.pptx").Child("Slides").Item(1);
  Object paragraph =
      slide.Child("Shapes").Item("Content Placeholder 4").Child("TextFrame2").Child("TextRange").Child("Paragraphs", 2);
  Object bullet = paragraph.Child("ParagraphFormat").Child("Bullet").Child("Font");
  ExpectMembers(bullet,
                {{"Name", "Wingdings"}, {"Size", paragraph.Child("Runs", 1).Child("Font").Get("Size").AsSingle()}});
  // tx2 through the master's colour map: Dark 2, the third theme colour.
  EXPECT_EQ(bullet.Child("Color").Get("RGB").AsLong(),
            slide.Child("ThemeColorScheme").Child("Colors", 3).Get("RGB").AsLong());
  EXPECT_EQ(bullet.Get("Bold").AsLong(), paragraph.Child("Runs", 1).Child("Font").Get("Bold").AsLong());

  // Inherited: Arial from the master's body style in the text's own size, and
  // accent 4 (the eighth theme colour) from the master's body placeholder.
  Object second = Open("poi__customGeo.pptx").Child("Slides").Item(2);
  Object body = second.Child("Shapes").Item("Content Placeholder 1");
  Object text = body.Child("TextFrame2").Child("TextRange").Child("Paragraphs", 1);
  Object inherited = text.Child("ParagraphFormat").Child("Bullet").Child("Font");
  Object font = text.Child("Runs", 1).Child("Font");
  ExpectMembers(inherited, {{"Name", "Arial"}, {"Size", font.Get("Size").AsSingle()}});
  EXPECT_EQ(inherited.Child("Color").Get("RGB").AsLong(),
            second.Child("ThemeColorScheme").Child("Colors", 8).Get("RGB").AsLong());
}

TEST_F(EngineShapeMembersTest, CharactersCrossRunsAndParagraphEndsAndANewFontNameCutsTheirRuns) {
  Object pres = Open("poi__pptx2svg.pptx");
  Object shape = Shapes(pres, 1).Item("Content Placeholder 4");
  auto range = [&] { return shape.Child("TextFrame2").Child("TextRange"); };
  const std::string text = range().Get("Text").AsString();
  std::size_t at = text.find("ties.\rBody");
  ASSERT_NE(at, std::string::npos);
  Object chars = range().Child("Characters", static_cast<int>(at + 1), 10);
  EXPECT_EQ(chars.Get("Text").AsString(), "ties.\rBody");
  EXPECT_EQ(range().Child("Paragraphs", 4).Child("Runs", 3).Child("Characters", 2, 3).Get("Text").AsString(), "uic");
  // Lines past the last read as the last, as PowerPoint's do; text without paragraphs has one empty line.
  EXPECT_EQ(range().Child("Lines", 99).Get("Text").AsString(), "A quick brown fox jumped over a lazy dog");
  Object arrow = Shapes(pres, 1).Item("Right Arrow 2").Child("TextFrame2").Child("TextRange");
  EXPECT_EQ(arrow.Child("Lines", 1).Get("Text").AsString(), "");

  chars.Child("Font").Put("Name", "Courier New");
  EXPECT_EQ(range().Get("Text").AsString(), text);
  auto run = [&](int paragraph, int i) { return range().Child("Paragraphs", paragraph).Child("Runs", i); };
  auto described = [&](int paragraph, int i) {
    return run(paragraph, i).Get("Text").AsString() + "|" + run(paragraph, i).Child("Font").Get("Name").AsString();
  };
  EXPECT_EQ(range().Child("Paragraphs", 1).Child("Runs").Count(), 9);
  EXPECT_EQ(described(1, 7).substr(0, 5), "into ");
  EXPECT_EQ(described(1, 8), "ties|Courier New");
  EXPECT_EQ(described(1, 9), ".|Courier New");
  EXPECT_EQ(described(2, 1), "Body|Courier New");
  EXPECT_EQ(described(2, 2), " |Calibri");
}

constexpr const char* kAudio = "poi__EmbeddedAudio.pptx";
constexpr const char* kSlide = "ppt/slides/slide1.xml";
constexpr const char* kSlideRels = "ppt/slides/_rels/slide1.xml.rels";

class EngineMediaTest : public EngineDeckTest {
 protected:
  static Object FirstShape(const Object& pres) { return pres.Child("Slides").Item(1).Child("Shapes").Item(1); }

  // A copy of the deck with its first slide's XML and relationships edited.
  std::string Edited(const char* deck, const std::function<void(pugi::xml_node slide, pugi::xml_node rels)>& edit,
                     const std::string& name = "") {
    std::string folder = name.empty() ? "edited" + std::to_string(++copies_) : name;
    return EditedDeck(Deck(deck), Folder("tmp") / folder / "deck.pptx", [&](engine::Package& package) {
      edit(package.FindXml(kSlide)->document_element(), package.FindXml(kSlideRels)->document_element());
      package.MarkModified(kSlide);
      package.MarkModified(kSlideRels);
    });
  }

  // Both relationships of the sound (rId1 the link, rId2 the embedding), their target and mode set.
  static void RetargetBoth(pugi::xml_node rels, const char* target, bool external) {
    for (const char* id : {"rId1", "rId2"}) {
      pugi::xml_node r = rels.find_child_by_attribute("Id", id);
      r.attribute("Target").set_value(target);
      r.remove_attribute("TargetMode");
      if (external) r.append_attribute("TargetMode") = "External";
    }
  }

  // The sound shape of EmbeddedAudio.pptx with a text box beside it (id 5) and this p:timing.
  std::string AudioWithTiming(const std::string& timing) {
    return Edited(kAudio, [&](pugi::xml_node slide, pugi::xml_node) {
      const std::string box =
          "<p:sp><p:nvSpPr><p:cNvPr id=\"5\" name=\"TextBox 5\"/><p:cNvSpPr txBox=\"1\"/><p:nvPr/>"
          "</p:nvSpPr><p:spPr/><p:txBody><a:bodyPr/><a:p><a:r><a:t>Hello</a:t></a:r></a:p>"
          "</p:txBody></p:sp>";
      slide.select_node("//p:spTree").node().append_buffer(box.data(), box.size());
      slide.remove_child(slide.child("p:timing"));
      slide.append_buffer(timing.data(), timing.size());
    });
  }

  int copies_ = 0;
};

// One click of the main sequence whose effects target these shapes, in order.
std::string Click(std::initializer_list<const char*> shapeIds) {
  std::string effects;
  for (const char* id : shapeIds)
    effects += std::string("<p:par><p:cTn id=\"5\" presetID=\"1\" presetClass=\"mediacall\" nodeType=\"withEffect\">") +
               "<p:childTnLst><p:cmd type=\"call\" cmd=\"playFrom(0.0)\"><p:cBhvr><p:cTn id=\"6\" dur=\"2500\"/>"
               "<p:tgtEl><p:spTgt spid=\"" +
               id + "\"/></p:tgtEl></p:cBhvr></p:cmd></p:childTnLst></p:cTn></p:par>";
  return "<p:par><p:cTn id=\"3\" fill=\"hold\"><p:stCondLst><p:cond delay=\"indefinite\"/></p:stCondLst><p:childTnLst>"
         "<p:par><p:cTn id=\"4\" fill=\"hold\"><p:childTnLst>" +
         effects + "</p:childTnLst></p:cTn></p:par></p:childTnLst></p:cTn></p:par>";
}
std::string MediaTiming(const std::string& mainSequence, const std::string& besides) {
  return "<p:timing><p:tnLst><p:par><p:cTn id=\"1\" dur=\"indefinite\" nodeType=\"tmRoot\"><p:childTnLst>"
         "<p:seq><p:cTn id=\"2\" dur=\"indefinite\" nodeType=\"mainSeq\"><p:childTnLst>" +
         mainSequence + "</p:childTnLst></p:cTn></p:seq>" + besides +
         "</p:childTnLst></p:cTn></p:par></p:tnLst></p:timing>";
}
std::string AudioNode(const char* attributes) {
  return std::string("<p:audio ") + attributes +
         "><p:cMediaNode vol=\"60000\" mute=\"1\"><p:cTn id=\"9\"/>"
         "<p:tgtEl><p:spTgt spid=\"4\"/></p:tgtEl></p:cMediaNode></p:audio>";
}

TEST_F(EngineMediaTest, RealMediaShapesAnswerTheirKindFormatAndBytes) {
  Object audio = FirstShape(Open(kAudio));
  ExpectMembers(audio, {{"Type", 16}, {"MediaType", 2}});
  // Embedded: no link, though a:audioFile r:link names the package's own part.
  EXPECT_NE(ErrorOf([&] { audio.Child("LinkFormat"); }), 0);
  // Length: what the play command lasts; SoundFormat.Type 0: an MP3, neither WAV nor MIDI.
  Object media = audio.Child("MediaFormat");
  ExpectMembers(media, {{"IsEmbedded", kTrue}, {"IsLinked", kFalse}, {"Length", 3239}, {"StartPoint", 0}});
  ExpectMembers(media, {{"EndPoint", 3239}, {"Volume", 0.8f}, {"Muted", kFalse}});
  Object sound = audio.Child("SoundFormat");
  EXPECT_EQ(sound.Get("Type").AsLong(), 0);
  std::filesystem::path exported = Folder("tmp") / "sound.wav";
  sound.Call("Export", exported.string());
  std::string bytes = engine::Package::Open(Deck(kAudio))->ReadBytes("ppt/media/media1.mp3");
  EXPECT_EQ(ReadFile(exported), bytes);
  EXPECT_EQ(bytes.size(), 52079u);

  // The second is played only by a pause toggle: no length the timeline knows.
  for (auto [deck, length] : {std::pair{"poi__EmbeddedVideo.pptx", 3166}, std::pair{"pptx__shp-movie-props.pptx", 0}}) {
    SCOPED_TRACE(deck);
    Object movie = FirstShape(Open(deck));
    ExpectMembers(movie,
                  {{"Type", 16}, {"MediaType", 3}, {"MediaFormat.IsEmbedded", kTrue}, {"MediaFormat.Length", length}});
    EXPECT_EQ(ErrorOf([&] { movie.Child("SoundFormat"); }), hr::kInvalidArgument);
  }

  // PowerPoint 2007 has no MediaFormat, but its SoundFormat exports the same bytes.
  Object older = FirstShape(Open(kAudio, 12));
  EXPECT_EQ(ErrorOf([&] { older.Child("MediaFormat"); }), hr::kNotSupported);
  older.Child("SoundFormat").Call("Export", (Folder("tmp") / "older.wav").string());
  EXPECT_EQ(ReadFile(Folder("tmp") / "older.wav"), bytes);
  // A picture is no media.
  ExpectReadsFail(FirstShape(Open("poi__56812.pptx")), {"MediaFormat", "SoundFormat", "MediaType"},
                  hr::kInvalidArgument);
}

TEST_F(EngineMediaTest, LinkedMediaNamesItsFileAsPowerPointResolvesIt) {
  // Linked the way PowerPoint 2010 links: both references external, the part gone.
  auto linked = [&](const char* target, const std::string& name) {
    return Edited(
        kAudio,
        [&](pugi::xml_node slide, pugi::xml_node rels) {
          RetargetBoth(rels, target, true);
          pugi::xml_node media = slide.select_node("//p14:media").node();
          media.remove_attribute("r:embed");
          media.append_attribute("r:link") = "rId1";
        },
        name);
  };
  std::string relative = linked("sounds/clip%20one.wav", "relative");
  Object shape = FirstShape(OpenFile(relative));
  std::filesystem::path deckFolder = std::filesystem::path(relative).parent_path();
  ExpectMembers(shape, {{"Type", 16}, {"MediaType", 2}});
  ExpectMembers(shape, {{"LinkFormat.SourceFullName", (deckFolder / "sounds" / "clip one.wav").string()}});
  ExpectMembers(shape, {{"MediaFormat.IsLinked", kTrue}, {"MediaFormat.IsEmbedded", kFalse}, {"SoundFormat.Type", 1}});
  // Nothing embedded to export: the call fails and writes nothing.
  std::filesystem::path target = Folder("tmp") / "linked.wav";
  EXPECT_EQ(ErrorOf([&] { shape.Child("SoundFormat").Call("Export", target.string()); }), hr::kUnspecified);
  EXPECT_FALSE(std::filesystem::exists(target));

  // Opened as an untitled copy, the deck's relative links still start from its file's folder.
  for (auto [target, name, path] :
       {std::tuple{"file:///home/me/Narration.wav", "posix", std::string("/home/me/Narration.wav")},
        std::tuple{"file:///C:/Sounds/a%20b.wav", "windows", std::string("C:\\Sounds\\a b.wav")},
        std::tuple{"../up.wav", "parent", (Folder("tmp") / "up.wav").string()}})
    ExpectMembers(FirstShape(OpenFile(linked(target, name))), {{"LinkFormat.SourceFullName", path}});
}

TEST_F(EngineMediaTest, DamagedMediaReferencesFailTheMembersThatNeedThemAndWriteNothing) {
  struct Damage {
    const char* what;
    std::function<void(pugi::xml_node slide, pugi::xml_node rels)> edit;
  };
  const Damage damages[] = {
      {"missing relationship",
       [](pugi::xml_node, pugi::xml_node rels) {
         for (const char* id : {"rId1", "rId2"}) rels.remove_child(rels.find_child_by_attribute("Id", id));
       }},
      {"outside the package",
       [](pugi::xml_node, pugi::xml_node rels) { RetargetBoth(rels, "../../../../../etc/passwd", false); }},
      {"absent part", [](pugi::xml_node, pugi::xml_node rels) { RetargetBoth(rels, "../media/gone.mp3", false); }},
      {"no relationship id",
       [](pugi::xml_node slide, pugi::xml_node) {
         slide.select_node("//p14:media").node().remove_attribute("r:embed");
         slide.select_node("//a:audioFile").node().remove_attribute("r:link");
       }},
  };
  for (const Damage& d : damages) {
    SCOPED_TRACE(d.what);
    Object shape = FirstShape(OpenFile(Edited(kAudio, d.edit)));
    ExpectMembers(
        shape, {{"Type", 16}, {"MediaType", 2}, {"MediaFormat.IsEmbedded", kFalse}, {"MediaFormat.IsLinked", kFalse}});
    EXPECT_NE(ErrorOf([&] { shape.Child("LinkFormat"); }), 0);
    std::filesystem::path target = Folder("tmp") / "out" / "sound.wav";
    std::filesystem::create_directories(target.parent_path());
    EXPECT_EQ(ErrorOf([&] { shape.Child("SoundFormat").Call("Export", target.string()); }), hr::kUnspecified);
    EXPECT_TRUE(std::filesystem::is_empty(target.parent_path()));
  }
  // An export into a folder that does not exist fails without making it.
  Object shape = FirstShape(Open(kAudio));
  std::filesystem::path nowhere = Folder("tmp") / "no-such-folder" / "sound.wav";
  EXPECT_EQ(ErrorOf([&] { shape.Child("SoundFormat").Call("Export", nowhere.string()); }), hr::kUnspecified);
  EXPECT_FALSE(std::filesystem::exists(nowhere.parent_path()));
}

TEST_F(EngineMediaTest, ASoundPlayedFirstIsAnimatedFirstAndOthersAreNot) {
  struct Case {
    const char* what;
    std::string timing;
    int soundOrder, boxOrder;
  };
  const Case cases[] = {
      {"played on the first click", MediaTiming(Click({"4", "5"}), ""), 1, 2},
      {"played after the text", MediaTiming(Click({"5"}) + Click({"4"}), ""), 2, 1},
      {"narration recorded beside the text's effect", MediaTiming(Click({"5"}), AudioNode("isNarration=\"1\"")), 1, 2},
      {"a sound that only waits for its own click", MediaTiming(Click({"5"}), AudioNode("")), 0, 1},
  };
  for (const Case& c : cases) {
    Object pres = OpenFile(AudioWithTiming(c.timing));
    Object shapes = pres.Child("Slides").Item(1).Child("Shapes");
    SCOPED_TRACE(c.what);
    ExpectMembers(shapes.Item(1), {{"AnimationSettings.Animate", c.soundOrder > 0 ? kTrue : kFalse},
                                   {"AnimationSettings.AnimationOrder", c.soundOrder}});
    ExpectMembers(shapes.Item(2),
                  {{"AnimationSettings.AnimationOrder", c.boxOrder}, {"AnimationSettings.Animate", kTrue}});
  }
  // The real deck: its sound played on the first click, with the volume and mute its node gives.
  Object real = FirstShape(Open(kAudio));
  ExpectMembers(real, {{"AnimationSettings.Animate", kTrue}, {"AnimationSettings.AnimationOrder", 1}});
  Object narrated = FirstShape(OpenFile(AudioWithTiming(MediaTiming(Click({"5"}), AudioNode("isNarration=\"1\"")))));
  ExpectMembers(narrated, {{"MediaFormat.Volume", 0.6f}, {"MediaFormat.Muted", kTrue}});
  // A slide without a timeline animates nothing; an interactive sequence is not the main one.
  Object plain = FirstShape(Open("poi__56812.pptx"));
  ExpectMembers(plain, {{"AnimationSettings.Animate", kFalse}, {"AnimationSettings.AnimationOrder", 0}});
  ExpectMembers(FirstShape(Open("pptx__shp-movie-props.pptx")), {{"AnimationSettings.Animate", kFalse}});
}

}  // namespace
}  // namespace quillmere::testing
