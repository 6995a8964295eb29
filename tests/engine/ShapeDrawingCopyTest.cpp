// The copy drawn for a shape image keeps only what those shapes show through,
// and the paths sent to the renderer count only what was kept.

#include <gtest/gtest.h>

#include <pugixml.hpp>

#include "engine/model/PresentationDocument.h"
#include "engine/model/ShapeTree.h"
#include "engine/model/XmlNames.h"
#include "engine/objects/ShapeDrawingCopy.h"
#include "engine/package/PartName.h"
#include "engine/package/XmlPart.h"
#include "tests/support/ErrorNumber.h"
#include "tests/support/IsolatedUserFolders.h"

namespace quillmere::testing {
namespace {

using engine::ChildNamed;
using engine::LocalName;
using engine::ShapeTreeOf;

int CountChildren(const pugi::xml_node& parent, std::string_view name) {
  int n = 0;
  engine::ForEachChildNamed(parent, name, [&](const pugi::xml_node&) { ++n; });
  return n;
}

pugi::xml_document Parse(const std::string& xml) {
  pugi::xml_document doc;
  doc.load_string(xml.c_str());
  return doc;
}

// The parts a copy drawn for the kept shapes of the part replaces.
engine::Package::ReplacedParts PartsDrawing(engine::PresentationDocument& doc, const std::string& part,
                                            const engine::KeptShapes& kept) {
  engine::DrawingPlace place = engine::PlaceToDraw(doc, part, "Shape.Export");
  engine::Package::ReplacedParts parts = engine::DrawingFrame(doc, place);
  engine::PutDrawnShapes(parts, doc, place, kept);
  return parts;
}

std::vector<std::string> NamesOf(const std::vector<pugi::xml_node>& shapes) {
  std::vector<std::string> names;
  for (const pugi::xml_node& shape : shapes)
    names.push_back(engine::DrawingPropertiesOf(shape).attribute("name").value());
  return names;
}

// The r:embed of the picture among the shapes, whatever its depth.
std::string EmbedOf(const pugi::xml_node& tree) {
  pugi::xpath_node blip = tree.select_node(".//*[local-name()='blip']");
  return std::string(engine::PrefixedAttribute(blip.node(), "embed").value());
}

class ShapeDrawingCopyTest : public IsolatedUserFolders {
 protected:
  // The copy written with those parts and opened again.
  engine::PresentationDocument Reopened(engine::PresentationDocument& doc,
                                        const engine::Package::ReplacedParts& parts) {
    const std::string copy = (Folder("tmp") / "drawn.pptx").string();
    doc.Pkg().SaveCopyWith(copy, parts);
    return engine::PresentationDocument(engine::Package::Open(copy));
  }
};

TEST_F(ShapeDrawingCopyTest, KeepsOnlyTheDrawnMembersTheirLayoutAndMaster) {
  // 48 slides, 15 layouts, notes; slide 6 holds a diagram group of freeforms.
  engine::PresentationDocument doc(engine::Package::Open(std::string(QUILLMERE_CORPUS_DIR) + "/poi__customGeo.pptx"));
  const int slide = 5;
  const std::string& part = doc.Slides()[slide].part;
  const std::vector<pugi::xml_node>& top = doc.TopLevelShapesOf(part);
  int group = -1;
  for (int i = 0; i < static_cast<int>(top.size()); ++i)
    if (LocalName(top[i]) == "grpSp") group = i;
  const int last = static_cast<int>(top.size()) - 1;
  ASSERT_TRUE(group >= 0 && group < last);
  pugi::xml_node groupNode = top[group];
  std::vector<std::string> memberNames;
  for (pugi::xml_node c = groupNode.first_child(); c; c = c.next_sibling())
    if (engine::IsShapeElement(c)) memberNames.push_back(engine::DrawingPropertiesOf(c).attribute("name").value());
  ASSERT_GE(memberNames.size(), 3u);

  std::vector<engine::ShapeToDraw> drawn{{{last}, ""}, {{group, 2}, ""}, {{group, 0}, ""}};
  engine::KeptShapes kept = engine::KeepOnlyDrawn(drawn);
  EXPECT_EQ(drawn[0].path, (std::vector<int>{1}));
  EXPECT_EQ(drawn[1].path, (std::vector<int>{0, 1}));
  EXPECT_EQ(drawn[2].path, (std::vector<int>{0, 0}));
  std::vector<engine::ShapeToDraw> whole{{{group}, ""}, {{group, 1}, ""}};
  EXPECT_NE(engine::KeptShapesKey(engine::KeepOnlyDrawn(whole)), engine::KeptShapesKey(kept));

  engine::Package::ReplacedParts parts = PartsDrawing(doc, part, kept);
  pugi::xml_document slideXml = Parse(parts.at(part));
  std::vector<pugi::xml_node> left = engine::TopLevelShapes(slideXml.document_element());
  ASSERT_EQ(left.size(), 2u);
  EXPECT_STREQ(engine::DrawingPropertiesOf(left[1]).attribute("name").value(),
               engine::DrawingPropertiesOf(top[last]).attribute("name").value());
  std::vector<std::string> leftMembers;
  for (pugi::xml_node c = left[0].first_child(); c; c = c.next_sibling())
    if (engine::IsShapeElement(c)) leftMembers.push_back(engine::DrawingPropertiesOf(c).attribute("name").value());
  EXPECT_EQ(leftMembers, (std::vector<std::string>{memberNames[0], memberNames[2]}));
  // The group keeps its frame and child space, so its members stay where they were.
  EXPECT_TRUE(ChildNamed(ChildNamed(ChildNamed(left[0], "grpSpPr"), "xfrm"), "chExt"));
  EXPECT_FALSE(ChildNamed(slideXml.document_element(), "timing"));
  EXPECT_EQ(parts.at(engine::RelationshipsPartName(part)).find("notesSlide"), std::string::npos);

  const std::string layout = doc.LayoutOfSlide(part);
  const std::string& other = doc.Slides()[0].part;
  EXPECT_TRUE(engine::TopLevelShapes(Parse(parts.at(other)).document_element()).empty());
  EXPECT_NE(parts.at(engine::RelationshipsPartName(other)).find("Target=\"/" + layout + "\""), std::string::npos);
  pugi::xml_document master = Parse(parts.at(doc.MasterOfPart(layout)));
  EXPECT_EQ(CountChildren(ChildNamed(master.document_element(), "sldLayoutIdLst"), "sldLayoutId"), 1);
  pugi::xml_document presentation = Parse(parts.at(doc.MainPart()));
  EXPECT_EQ(CountChildren(ChildNamed(presentation.document_element(), "sldIdLst"), "sldId"), 48);
  EXPECT_FALSE(ChildNamed(presentation.document_element(), "notesMasterIdLst"));

  // The copy is a package that opens again, with every slide still listed.
  engine::PresentationDocument reopened = Reopened(doc, parts);
  EXPECT_EQ(reopened.Slides().size(), 48u);
  EXPECT_EQ(reopened.LayoutOfSlide(reopened.Slides()[0].part), layout);
}

// poi__bug65228: one slide; layout 3 has a logo picture ("Picture 3", the
// fifth shape); the master has a group of a white rectangle and a picture
// (third shape) and a title placeholder (fourth).
constexpr const char* kDesignDeck = "/poi__bug65228.pptx";

TEST_F(ShapeDrawingCopyTest, ALayoutsShapesAreDrawnOnASlideFollowingThatLayout) {
  engine::PresentationDocument doc(engine::Package::Open(std::string(QUILLMERE_CORPUS_DIR) + kDesignDeck));
  const std::string layout = "ppt/slideLayouts/slideLayout3.xml";
  ASSERT_EQ(NamesOf(doc.TopLevelShapesOf(layout))[4], "Picture 3");
  const std::string picture = doc.Pkg().FindRelationship(layout, EmbedOf(doc.TopLevelShapesOf(layout)[4]))->target;
  std::vector<engine::ShapeToDraw> drawn{{{4}, "Picture 3"}};
  engine::KeptShapes kept = engine::KeepOnlyDrawn(drawn);
  EXPECT_EQ(drawn[0].path, (std::vector<int>{0}));

  engine::Package::ReplacedParts parts = PartsDrawing(doc, layout, kept);
  // The layout itself is left as it is: the slide follows it.
  EXPECT_EQ(parts.count(layout), 0u);
  engine::PresentationDocument reopened = Reopened(doc, parts);
  const std::string& slide = reopened.Slides()[0].part;
  EXPECT_EQ(reopened.LayoutOfSlide(slide), layout);
  const std::vector<pugi::xml_node>& shapes = reopened.TopLevelShapesOf(slide);
  ASSERT_EQ(NamesOf(shapes), (std::vector<std::string>{"Picture 3"}));
  const engine::Relationship* embed =
      reopened.Pkg().FindRelationship(slide, EmbedOf(ShapeTreeOf(reopened.PartRoot(slide))));
  ASSERT_TRUE(embed);
  EXPECT_EQ(embed->target, picture);
  EXPECT_TRUE(reopened.Pkg().HasPart(embed->target));
  // What tied the layout into the deck stays behind.
  EXPECT_FALSE(reopened.Pkg().FindRelationshipOfType(slide, "slideMaster"));
  EXPECT_EQ(reopened.LayoutsOfMaster(reopened.Masters()[0]), (std::vector<std::string>{layout}));
}

TEST_F(ShapeDrawingCopyTest, AMastersShapesAreDrawnOnASlideWhoseLayoutHasNoShapes) {
  engine::PresentationDocument doc(engine::Package::Open(std::string(QUILLMERE_CORPUS_DIR) + kDesignDeck));
  const std::string master = doc.Masters()[0];
  const std::vector<pugi::xml_node>& top = doc.TopLevelShapesOf(master);
  ASSERT_EQ(LocalName(top[2]), "grpSp");
  const std::string picture = doc.Pkg().FindRelationship(master, EmbedOf(top[2]))->target;
  // The group's picture alone and the title placeholder.
  std::vector<engine::ShapeToDraw> drawn{{{2, 1}, ""}, {{3}, ""}};
  engine::KeptShapes kept = engine::KeepOnlyDrawn(drawn);
  EXPECT_EQ(drawn[0].path, (std::vector<int>{0, 0}));
  EXPECT_EQ(drawn[1].path, (std::vector<int>{1}));

  engine::PresentationDocument reopened = Reopened(doc, PartsDrawing(doc, master, kept));
  const std::string& slide = reopened.Slides()[0].part;
  pugi::xml_node root = reopened.PartRoot(slide);
  EXPECT_EQ(LocalName(root), "sld");
  const std::vector<pugi::xml_node>& shapes = reopened.TopLevelShapesOf(slide);
  ASSERT_EQ(NamesOf(shapes), (std::vector<std::string>{"Picture 5", "Place headline here (36pt, min 30pt)"}));
  EXPECT_EQ(NamesOf(engine::ShapesIn(shapes[0])), (std::vector<std::string>{"image1.png"}));
  EXPECT_STREQ(engine::PlaceholderOf(shapes[1]).attribute("type").value(), "title");
  EXPECT_EQ(reopened.Pkg().FindRelationship(slide, EmbedOf(ShapeTreeOf(root)))->target, picture);

  // The slide follows a layout of that master with no shapes of its own.
  const std::string layout = reopened.LayoutOfSlide(slide);
  EXPECT_EQ(layout, doc.LayoutsOfMaster(master).front());
  EXPECT_EQ(reopened.ShapeCount(layout), 0);
  EXPECT_EQ(reopened.MasterOfPart(slide), master);
  EXPECT_EQ(reopened.ShapeCount(master), static_cast<int>(top.size()));
}

TEST_F(ShapeDrawingCopyTest, BrokenLayoutsAndRelationshipsAreRefusedOrLeftOut) {
  engine::PresentationDocument doc(engine::Package::Open(std::string(QUILLMERE_CORPUS_DIR) + kDesignDeck));
  engine::Package& package = doc.Pkg();
  const std::string layout = "ppt/slideLayouts/slideLayout3.xml";
  std::vector<engine::ShapeToDraw> drawn{{{0}, ""}, {{4}, ""}};
  engine::KeptShapes kept = engine::KeepOnlyDrawn(drawn);

  // Relationships leading out of the package, to a part it lacks, or elsewhere.
  const std::string embed = EmbedOf(doc.TopLevelShapesOf(layout)[4]);
  auto rel = [](const std::string& id, const char* type, const char* target, const char* mode = "Internal") {
    return "<Relationship Id=\"" + id + "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/" +
           "relationships/" + type + "\" Target=\"" + target + "\" TargetMode=\"" + mode + "\"/>";
  };
  package.PutPart(engine::RelationshipsPartName(layout),
                  "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">" +
                      rel("rId1", "slideMaster", "../slideMasters/slideMaster1.xml") +
                      rel("rId2", "image", "../../../../etc/passwd") + rel(embed, "image", "../media/missing.png") +
                      rel("rId4", "hyperlink", "https://example.com/a b", "External") +
                      rel("rId5", "image", "../media/image6.jpeg") + "</Relationships>",
                  "");
  engine::PresentationDocument reopened = Reopened(doc, PartsDrawing(doc, layout, kept));
  const std::string& slide = reopened.Slides()[0].part;
  EXPECT_FALSE(reopened.Pkg().FindRelationship(slide, "rId2"));
  EXPECT_FALSE(reopened.Pkg().FindRelationship(slide, embed));
  const engine::Relationship* link = reopened.Pkg().FindRelationship(slide, "rId4");
  ASSERT_TRUE(link);
  EXPECT_TRUE(link->external);
  EXPECT_EQ(link->target, "https://example.com/a b");
  EXPECT_EQ(reopened.Pkg().FindRelationship(slide, "rId5")->target, "ppt/media/image6.jpeg");
  EXPECT_EQ(reopened.LayoutOfSlide(slide), layout);
  EXPECT_EQ(reopened.TopLevelShapesOf(slide).size(), 2u);

  // A layout emptied to nothing, or shapes of no slide, layout or master.
  package.PutPart(layout, "", "");
  EXPECT_EQ(ErrorOf([&] { engine::PlaceToDraw(doc, layout, "Shape.Export"); }), hr::kUnspecified);
  EXPECT_EQ(ErrorOf([&] { engine::PlaceToDraw(doc, "ppt/slideLayouts/none.xml", "Shape.Export"); }),
            hr::kUnspecified);
  const std::string& notes = doc.NotesPageOf(doc.Slides()[0].part);
  EXPECT_EQ(ErrorOf([&] { engine::PlaceToDraw(doc, notes, "Shape.Export"); }), hr::kInvalidArgument);

  // A deck without slides has none to draw its master's shapes on.
  std::unique_ptr<engine::Package> empty = engine::Package::Open(std::string(QUILLMERE_CORPUS_DIR) + kDesignDeck);
  pugi::xml_document presentation;
  presentation.reset(*empty->FindXml("ppt/presentation.xml"));
  presentation.document_element().remove_child(ChildNamed(presentation.document_element(), "sldIdLst"));
  empty->PutPart("ppt/presentation.xml", engine::SerializeXml(presentation), "");
  engine::PresentationDocument slideless(std::move(empty));
  ASSERT_TRUE(slideless.Slides().empty());
  EXPECT_EQ(ErrorOf([&] { engine::PlaceToDraw(slideless, slideless.Masters()[0], "Shape.Export"); }), hr::kUnspecified);
}

}  // namespace
}  // namespace quillmere::testing
