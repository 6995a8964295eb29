// A real deck whose shape was tagged as a local web object through the
// engine, exported beside a project archive holding the web content.

#include <gtest/gtest.h>

#include <pugixml.hpp>

#include <filesystem>

#include "component/StatusCode.h"
#include "support/storage/ProjectArchiveWriter.h"
#include "tests/component/TaggedDeckExport.h"
#include "tests/helpers/IsolatedUserFolders.h"
#include "tests/helpers/TestFiles.h"

namespace quillmere::testing {
namespace {

namespace fs = std::filesystem;

class WebObjectExportTest : public IsolatedUserFolders {};

TEST_F(WebObjectExportTest, TaggedShapeBecomesWebObjectWithArchivedContent) {
  fs::path folder = Folder("project");
  fs::create_directories(folder);
  std::string deck = (folder / "course.pptx").string();
  std::string slideId;
  TagAndSave("poi__bug65228.pptx", deck, [&](const Object& pres) {
    Object slide = pres.Child("Slides").Item(1);
    slideId = std::to_string(slide.Get("SlideID").AsLong());
    Object tags = slide.Child("Shapes").Item(2).Child("Tags");
    tags.Call("Add", "OVERRIDE_WO", "YES");
    tags.Call("Add", "WOURL", "C:\\Course\\site");  // a folder of the author's machine, not of this one
    tags.Call("Add", "ZEL_PLAYER", "YES");
    tags.Call("Add", "CORVANTA_LAYER_TIMING", "2");
  });
  const std::string page = "<html><body>archived page</body></html>";
  ProjectArchiveWriter archive((folder / "course.qpk").string());
  archive.BeginFolder("webobjects");
  archive.AddFile("shared.js", "var shared;");
  archive.EndFolder();
  archive.BeginFolder("webobject_slide_" + slideId);
  archive.AddFile("index.htm", page);
  archive.EndFolder();
  ASSERT_TRUE(archive.Close()) << archive.Error();

  std::string out = Folder("out").string();
  pugi::xml_document doc;
  ASSERT_EQ(ExportWithoutImages(deck, out, doc), ERR_SUCCESS);

  pugi::xpath_node_set webObjects = doc.select_nodes(("//Slide[@id='" + slideId + "']/WebObjects/WebObject").c_str());
  ASSERT_EQ(webObjects.size(), 1u);
  pugi::xml_node web = webObjects.first().node();
  EXPECT_STREQ(web.attribute("legacy").value(), "True");
  EXPECT_STREQ(web.child_value("ContainerType"), "inplayer");
  EXPECT_STREQ(web.child_value("TriggerTime"), "2");
  EXPECT_STREQ(web.child_value("urlo"), "C:\\Course\\site");
  EXPECT_EQ(std::string(web.child_value("url")), "webobject_slide_" + slideId + "/index.htm");
  EXPECT_FALSE(std::string(web.child("Position").child_value("width")).empty());
  const std::string& outFolder = out;
  EXPECT_EQ(ReadFile(fs::path(outFolder) / ("webobject_slide_" + slideId) / "index.htm"), page);
  EXPECT_EQ(ReadFile(fs::path(outFolder) / "webobjects" / "shared.js"), "var shared;");
}

}  // namespace
}  // namespace quillmere::testing
