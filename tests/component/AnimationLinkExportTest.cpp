// Animation timelines and action settings of whole exports through the
// engine: decks written by PowerPoint and by LibreOffice, compared with what
// their files say, and the older PowerPoint's view of the same decks.

#include <gtest/gtest.h>

#include <pugixml.hpp>

#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "component/PPTInfo.h"
#include "component/StatusCode.h"
#include "component/trace/ExportLog.h"
#include "engine/EngineRuntime.h"
#include "tests/fakes/FakeObject.h"
#include "tests/support/IsolatedUserFolders.h"

namespace quillmere::testing {
namespace {

std::string CorpusDeck(const char* name) { return std::string(QUILLMERE_CORPUS_DIR) + "/" + name; }
std::string SampleDeck(const char* name) { return std::string(QUILLMERE_SAMPLES_DIR) + "/" + name; }

class AnimationLinkExportTest : public IsolatedUserFolders {
 protected:
  void Use(int version = 16) {
    engine::RegisterEngine();
    engine::EngineOptions options;
    options.emulatedMajorVersion = version;
    options.drawImages = false;
    info = std::make_unique<PPTInfo>(
        PPTInfoOptions{std::make_shared<engine::EngineRuntime>(options), std::make_shared<CountingSleeper>()});
  }
  pugi::xml_node Export(std::string deck) {
    std::string xml, out = Folder("out").string();
    EXPECT_EQ(info->PPTPresentation(deck, xml, out), ERR_SUCCESS) << deck;
    EXPECT_TRUE(doc.load_file(xml.c_str())) << xml;
    return doc.child("Presentation");
  }
  std::vector<pugi::xml_node> Slides(pugi::xml_node presentation) {
    std::vector<pugi::xml_node> slides;
    for (pugi::xml_node slide : presentation.child("Slides").children("Slide")) slides.push_back(slide);
    return slides;
  }
  // Each ActionSetting of an owner as "Type ShapeID Container Start Length Action Address SubAddress".
  static std::vector<std::string> Actions(pugi::xml_node owner) {
    std::vector<std::string> actions;
    for (pugi::xml_node a : owner.child("ActionSettings").children("ActionSetting")) {
      std::string line;
      for (const char* name : {"Type", "ShapeID", "Container", "Start", "Length", "Action", "Address", "SubAddress"})
        line += std::string(line.empty() ? "" : " ") + a.child_value(name);
      actions.push_back(line);
    }
    return actions;
  }

  static std::string Log() {
    std::ifstream in(ExportLogPath());
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  std::unique_ptr<PPTInfo> info;
  pugi::xml_document doc;
};

TEST_F(AnimationLinkExportTest, LinksOfTextAndShapesWithTheirTargets) {
  Use();
  // LibreOffice's links on text: a web page and an e-mail address, by the characters they cover.
  std::vector<pugi::xml_node> slides = Slides(Export(SampleDeck("quillmere-animations.pptx")));
  ASSERT_EQ(slides.size(), 3u);
  EXPECT_EQ(Actions(slides[1]),
            (std::vector<std::string>{"mouseClick 42 textrange 6 9 Hyperlink https://example.com/guide ",
                                      "mouseClick 42 textrange 22 13 Hyperlink mailto:team@example.com "}));
  EXPECT_TRUE(Actions(slides[0]).empty());

  // PowerPoint's jumps to a slide name it by id and position; macros are none to the host.
  slides = Slides(Export(CorpusDeck("poi__keyframes.pptx")));
  std::map<std::string, int> kinds;
  for (pugi::xml_node slide : slides)
    for (pugi::xml_node a : slide.child("ActionSettings").children("ActionSetting"))
      ++kinds[std::string(a.child_value("Type")) + " " + a.child_value("Container") + " " + a.child_value("Action")];
  EXPECT_EQ(kinds, (std::map<std::string, int>{{"mouseClick shape Hyperlink", 19},
                                               {"mouseClick shape None", 1},
                                               {"mouseClick textrange None", 11},
                                               {"mouseOver textrange None", 1}}));
  std::vector<std::string> jumps;
  for (pugi::xml_node slide : slides)
    for (const std::string& action : Actions(slide))
      if (action.find("Hyperlink") != std::string::npos) jumps.push_back(action);
  EXPECT_EQ(jumps.front(), "mouseClick 35 shape   Hyperlink  259,5,");
  EXPECT_EQ(Log().find("HyperlinkProperties"), std::string::npos) << Log();
}

}  // namespace
}  // namespace quillmere::testing
