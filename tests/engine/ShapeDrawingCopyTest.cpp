// The copy drawn for a shape image keeps only what those shapes show through,
// and the paths sent to the renderer count only what was kept.

#include <gtest/gtest.h>

#include <pugixml.hpp>

#include "engine/model/PresentationDocument.h"
#include "engine/model/ShapeTree.h"
#include "engine/model/XmlNames.h"
#include "engine/objects/ShapeDrawingCopy.h"
#include "engine/package/PartName.h"
#include "tests/support/IsolatedUserFolders.h"

namespace quillmere::testing {
namespace {

using engine::ChildNamed;
using engine::LocalName;

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

class ShapeDrawingCopyTest : public IsolatedUserFolders {};

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

  engine::Package::ReplacedParts parts = engine::ShapeDrawingParts(doc, slide, kept);
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
  const std::string copy = (Folder("tmp") / "drawn.pptx").string();
  doc.Pkg().SaveCopyWith(copy, parts);
  engine::PresentationDocument reopened(engine::Package::Open(copy));
  EXPECT_EQ(reopened.Slides().size(), 48u);
  EXPECT_EQ(reopened.LayoutOfSlide(reopened.Slides()[0].part), layout);
}

}  // namespace
}  // namespace quillmere::testing
