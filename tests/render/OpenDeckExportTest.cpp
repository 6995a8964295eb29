// A one-slide export of a deck that is already open is made in place and
// leaves the deck open, so nothing closes it before the call returns: its
// shape images, drawn in batches, must exist all the same.

#include <gtest/gtest.h>

#include <pugixml.hpp>

#include <filesystem>

#include "component/PPTInfo.h"
#include "component/StatusCode.h"
#include "engine/EngineRuntime.h"
#include "tests/fakes/FakeObject.h"
#include "tests/helpers/IsolatedUserFolders.h"

namespace quillmere::testing {
namespace {

class OpenDeckExportTest : public IsolatedUserFolders {};

TEST_F(OpenDeckExportTest, ImagesExistWhenTheCallReturns) {
  engine::RegisterEngine();
  auto runtime = std::make_shared<engine::EngineRuntime>();
  Object app = runtime->CreateObject("PowerPoint.Application");
  std::string deck = std::string(QUILLMERE_SAMPLES_DIR) + "/quillmere-demo.pptx";
  Object pres = app.Child("Presentations").Call("Open", deck, 0, 0, 0);
  PPTInfo info(PPTInfoOptions{runtime, std::make_shared<CountingSleeper>()});

  std::string name = pres.Get("FullName").AsString(), xml, out = Folder("out").string();
  std::int32_t index = 3;  // the slide with the flow arrow, drawn as an image
  ASSERT_EQ(info.PPTSlide(name, index, xml, out), ERR_SUCCESS);
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_file(xml.c_str()));
  int images = 0;
  for (pugi::xpath_node image : doc.select_nodes("//Shape/Image | //Shape/FormattedImage")) {
    std::string file = image.node().child_value();
    if (file.empty()) continue;
    ++images;
    EXPECT_TRUE(std::filesystem::is_regular_file(file)) << file;
  }
  EXPECT_GE(images, 1);
  EXPECT_EQ(app.Child("Presentations").Count(), 1);  // left open, as it was
  app.Call("Quit");
}

}  // namespace
}  // namespace quillmere::testing
