// The copy drawn for shape images keeps only what those shapes show through,
// one page for each image, and the paths sent to the renderer count only what was kept.

#include <gtest/gtest.h>

#include <pugixml.hpp>

#include "engine/model/document/PresentationDocument.h"
#include "engine/model/document/XmlNames.h"
#include "engine/model/shapes/Inheritance.h"
#include "engine/model/shapes/ShapeTree.h"
#include "engine/objects/shapes/ShapeDrawingCopy.h"
#include "engine/package/PartName.h"
#include "engine/package/XmlPart.h"
#include "tests/helpers/ErrorNumber.h"
#include "tests/helpers/IsolatedUserFolders.h"

namespace quillmere::testing {
namespace {

using engine::ChildNamed;
using engine::InheritedPartsOf;
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

// The parts of a copy holding one page, for the kept shapes of the part.
engine::DrawingCopy::Parts PartsDrawing(engine::PresentationDocument& doc, const std::string& part,
                                        const engine::KeptShapes& kept) {
  engine::DrawingCopy copy;
  copy.Add(doc, engine::PageOfShapes(doc, engine::PlaceToDraw(doc, part, "Shape.Export"), kept));
  return copy.PartsFor(doc);
}

std::vector<std::string> NamesOf(const std::vector<pugi::xml_node>& shapes) {
  std::vector<std::string> names;
  for (const pugi::xml_node& shape : shapes)
    names.push_back(engine::DrawingPropertiesOf(shape).attribute("name").value());
  return names;
}
// The names of a group's members.
std::vector<std::string> MemberNamesOf(const pugi::xml_node& group) {
  std::vector<pugi::xml_node> members;
  for (pugi::xml_node c = group.first_child(); c; c = c.next_sibling())
    if (engine::IsShapeElement(c)) members.push_back(c);
  return NamesOf(members);
}

// The r:embed of the picture among the shapes, whatever its depth.
std::string EmbedOf(const pugi::xml_node& tree) {
  pugi::xpath_node blip = tree.select_node(".//*[local-name()='blip']");
  return std::string(engine::PrefixedAttribute(blip.node(), "embed").value());
}

class ShapeDrawingCopyTest : public IsolatedUserFolders {
 protected:
  // The copy written with those parts and opened again.
  engine::PresentationDocument Reopened(engine::PresentationDocument& doc, const engine::DrawingCopy::Parts& parts) {
    const std::string copy = (Folder("tmp") / "drawn.pptx").string();
    doc.Pkg().SaveCopyWith(copy, parts.replaced, parts.added);
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
  std::vector<std::string> memberNames = MemberNamesOf(groupNode);
  ASSERT_GE(memberNames.size(), 3u);

  std::vector<engine::ShapeToDraw> drawn{{{last}, ""}, {{group, 2}, ""}, {{group, 0}, ""}};
  engine::KeptShapes kept = engine::KeepOnlyDrawn(drawn);
  EXPECT_EQ(drawn[0].path, (std::vector<int>{1}));
  EXPECT_EQ(drawn[1].path, (std::vector<int>{0, 1}));
  EXPECT_EQ(drawn[2].path, (std::vector<int>{0, 0}));

  // The page is a slide added after the deck's own.
  engine::DrawingCopy::Parts parts = PartsDrawing(doc, part, kept);
  EXPECT_EQ(parts.firstPage, 48);
  ASSERT_EQ(parts.added.size(), 2u);
  EXPECT_EQ(parts.added[1].name, engine::RelationshipsPartName(parts.added[0].name));
  pugi::xml_document slideXml = Parse(parts.added[0].bytes);
  std::vector<pugi::xml_node> left = engine::TopLevelShapes(slideXml.document_element());
  ASSERT_EQ(left.size(), 2u);
  EXPECT_STREQ(engine::DrawingPropertiesOf(left[1]).attribute("name").value(),
               engine::DrawingPropertiesOf(top[last]).attribute("name").value());
  EXPECT_EQ(MemberNamesOf(left[0]), (std::vector<std::string>{memberNames[0], memberNames[2]}));
  // The group keeps its frame and child space, so its members stay where they were.
  EXPECT_TRUE(ChildNamed(ChildNamed(ChildNamed(left[0], "grpSpPr"), "xfrm"), "chExt"));
  EXPECT_FALSE(ChildNamed(slideXml.document_element(), "timing"));
  EXPECT_EQ(parts.added[1].bytes.find("notesSlide"), std::string::npos);

  const std::string layout = InheritedPartsOf(doc, part).layout;
  for (const std::string& slide : {part, doc.Slides()[0].part}) {
    EXPECT_TRUE(engine::TopLevelShapes(Parse(parts.replaced.at(slide)).document_element()).empty());
    EXPECT_NE(parts.replaced.at(engine::RelationshipsPartName(slide)).find("Target=\"/" + layout + "\""),
              std::string::npos);
  }
  pugi::xml_document master = Parse(parts.replaced.at(InheritedPartsOf(doc, layout).master));
  EXPECT_EQ(CountChildren(ChildNamed(master.document_element(), "sldLayoutIdLst"), "sldLayoutId"), 1);
  pugi::xml_document presentation = Parse(parts.replaced.at(doc.MainPart()));
  EXPECT_EQ(CountChildren(ChildNamed(presentation.document_element(), "sldIdLst"), "sldId"), 49);
  EXPECT_FALSE(ChildNamed(presentation.document_element(), "notesMasterIdLst"));

  // The copy is a package that opens again, with every slide still listed and the page last.
  engine::PresentationDocument reopened = Reopened(doc, parts);
  ASSERT_EQ(reopened.Slides().size(), 49u);
  EXPECT_EQ(InheritedPartsOf(reopened, reopened.Slides()[0].part).layout, layout);
  EXPECT_EQ(reopened.Slides()[48].part, parts.added[0].name);
  EXPECT_EQ(reopened.TopLevelShapesOf(parts.added[0].name).size(), 2u);
  EXPECT_EQ(InheritedPartsOf(reopened, parts.added[0].name).layout, layout);
}

// Pages of shapes as they were when each was asked for, the parts they
// follow as the first page needing each found them; a page that needs a
// part otherwise makes a copy of its own.
TEST_F(ShapeDrawingCopyTest, OneCopyHoldsAPageForEachImage) {
  engine::PresentationDocument doc(engine::Package::Open(std::string(QUILLMERE_CORPUS_DIR) + "/poi__customGeo.pptx"));
  const std::string first = doc.Slides()[0].part, sixth = doc.Slides()[5].part;
  ASSERT_NE(InheritedPartsOf(doc, first).layout, InheritedPartsOf(doc, sixth).layout);
  std::vector<engine::ShapeToDraw> drawn{{{0}, ""}};
  engine::KeptShapes kept = engine::KeepOnlyDrawn(drawn);
  auto page = [&](const std::string& part) {
    return engine::PageOfShapes(doc, engine::PlaceToDraw(doc, part, "Shape.Export"), kept);
  };
  engine::DrawingCopy copy;
  EXPECT_EQ(copy.Add(doc, page(first)), 0);
  EXPECT_EQ(copy.Add(doc, page(first)), 0);  // the same shapes again share the page
  // An edit of the slide after its page was taken is not on the page.
  pugi::xml_node shape = doc.TopLevelShapesOf(sixth)[0];
  std::string name = engine::DrawingPropertiesOf(shape).attribute("name").value();
  EXPECT_EQ(copy.Add(doc, page(sixth)), 1);
  engine::DrawingPropertiesOf(shape).attribute("name").set_value("Edited");
  doc.Pkg().MarkModified(sixth);
  EXPECT_EQ(copy.Add(doc, page(sixth)), 2);

  // Every page follows its own slide's layout; the master lists both.
  engine::PresentationDocument reopened = Reopened(doc, copy.PartsFor(doc));
  ASSERT_EQ(reopened.Slides().size(), 51u);
  EXPECT_EQ(InheritedPartsOf(reopened, reopened.Slides()[48].part).layout, InheritedPartsOf(doc, first).layout);
  EXPECT_EQ(InheritedPartsOf(reopened, reopened.Slides()[49].part).layout, InheritedPartsOf(doc, sixth).layout);
  EXPECT_EQ(NamesOf(reopened.TopLevelShapesOf(reopened.Slides()[49].part)), (std::vector<std::string>{name}));
  EXPECT_EQ(NamesOf(reopened.TopLevelShapesOf(reopened.Slides()[50].part)), (std::vector<std::string>{"Edited"}));
  EXPECT_EQ(reopened.LayoutsOfMaster(reopened.Masters()[0]).size(), 2u);

  // A page alone, or the later pages of a copy shared by two renderers, keep
  // the parts as the copy took them.
  engine::PresentationDocument alone = Reopened(doc, copy.Pages(1, 1).PartsFor(doc));
  ASSERT_EQ(alone.Slides().size(), 49u);
  EXPECT_EQ(NamesOf(alone.TopLevelShapesOf(alone.Slides()[48].part)), (std::vector<std::string>{name}));
  engine::PresentationDocument later = Reopened(doc, copy.Pages(1, 2).PartsFor(doc));
  ASSERT_EQ(later.Slides().size(), 50u);
  EXPECT_EQ(NamesOf(later.TopLevelShapesOf(later.Slides()[49].part)), (std::vector<std::string>{"Edited"}));
  EXPECT_EQ(InheritedPartsOf(later, later.Slides()[48].part).layout, InheritedPartsOf(doc, sixth).layout);

  // The layout a page follows changed since the copy took it, or a master's
  // shapes need it emptied: such a page does not fit.
  const std::string layout = InheritedPartsOf(doc, first).layout;
  doc.Pkg().MarkModified(layout);
  EXPECT_FALSE(copy.Fits(doc, page(first)));
  const std::string master = InheritedPartsOf(doc, layout).master;
  engine::DrawnPage ofMaster = page(master);
  ASSERT_TRUE(ofMaster.place.layoutEmptied);
  engine::DrawingCopy slideOfLayout;
  slideOfLayout.Add(doc, engine::PageOfShapes(doc, engine::PlaceToDraw(doc, first, "Shape.Export"), kept));
  EXPECT_EQ(slideOfLayout.Fits(doc, ofMaster), ofMaster.place.layout != layout);
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

  engine::DrawingCopy::Parts parts = PartsDrawing(doc, layout, kept);
  // The layout itself is kept as it is: the page follows it.
  EXPECT_EQ(parts.replaced.at(layout), engine::SerializeXml(*doc.Pkg().FindXml(layout)));
  engine::PresentationDocument reopened = Reopened(doc, parts);
  const std::string& slide = reopened.Slides()[parts.firstPage].part;
  EXPECT_EQ(InheritedPartsOf(reopened, slide).layout, layout);
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
  const std::string& slide = reopened.Slides().back().part;
  pugi::xml_node root = reopened.PartRoot(slide);
  EXPECT_EQ(LocalName(root), "sld");
  const std::vector<pugi::xml_node>& shapes = reopened.TopLevelShapesOf(slide);
  ASSERT_EQ(NamesOf(shapes), (std::vector<std::string>{"Picture 5", "Place headline here (36pt, min 30pt)"}));
  EXPECT_EQ(NamesOf(engine::ShapesIn(shapes[0])), (std::vector<std::string>{"image1.png"}));
  EXPECT_STREQ(engine::PlaceholderOf(shapes[1]).attribute("type").value(), "title");
  EXPECT_EQ(reopened.Pkg().FindRelationship(slide, EmbedOf(ShapeTreeOf(root)))->target, picture);

  // The slide follows a layout of that master with no shapes of its own.
  const std::string layout = InheritedPartsOf(reopened, slide).layout;
  EXPECT_EQ(layout, doc.LayoutsOfMaster(master).front());
  EXPECT_EQ(reopened.ShapeCount(layout), 0);
  EXPECT_EQ(InheritedPartsOf(reopened, slide).master, master);
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
  const std::string& slide = reopened.Slides().back().part;
  EXPECT_FALSE(reopened.Pkg().FindRelationship(slide, "rId2"));
  EXPECT_FALSE(reopened.Pkg().FindRelationship(slide, embed));
  const engine::Relationship* link = reopened.Pkg().FindRelationship(slide, "rId4");
  ASSERT_TRUE(link);
  EXPECT_TRUE(link->external);
  EXPECT_EQ(link->target, "https://example.com/a b");
  EXPECT_EQ(reopened.Pkg().FindRelationship(slide, "rId5")->target, "ppt/media/image6.jpeg");
  EXPECT_EQ(InheritedPartsOf(reopened, slide).layout, layout);
  EXPECT_EQ(reopened.TopLevelShapesOf(slide).size(), 2u);

  // A layout emptied to nothing, or shapes of no slide, layout or master.
  package.PutPart(layout, "", "");
  EXPECT_EQ(ErrorOf([&] { engine::PlaceToDraw(doc, layout, "Shape.Export"); }), hr::kUnspecified);
  EXPECT_EQ(ErrorOf([&] { engine::PlaceToDraw(doc, "ppt/slideLayouts/none.xml", "Shape.Export"); }), hr::kUnspecified);
  const std::string& notes = doc.NotesPageOf(doc.Slides()[0].part);
  EXPECT_EQ(ErrorOf([&] { engine::PlaceToDraw(doc, notes, "Shape.Export"); }), hr::kInvalidArgument);

  // A deck without slides has its master's shapes drawn on the one page.
  std::unique_ptr<engine::Package> empty = engine::Package::Open(std::string(QUILLMERE_CORPUS_DIR) + kDesignDeck);
  pugi::xml_document presentation;
  presentation.reset(*empty->FindXml("ppt/presentation.xml"));
  presentation.document_element().remove_child(ChildNamed(presentation.document_element(), "sldIdLst"));
  empty->PutPart("ppt/presentation.xml", engine::SerializeXml(presentation), "");
  engine::PresentationDocument slideless(std::move(empty));
  ASSERT_TRUE(slideless.Slides().empty());
  std::vector<engine::ShapeToDraw> first{{{0}, ""}};
  engine::PresentationDocument page =
      Reopened(slideless, PartsDrawing(slideless, slideless.Masters()[0], engine::KeepOnlyDrawn(first)));
  ASSERT_EQ(page.Slides().size(), 1u);
  EXPECT_EQ(page.TopLevelShapesOf(page.Slides()[0].part).size(), 1u);
}

}  // namespace
}  // namespace quillmere::testing
