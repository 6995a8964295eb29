// Animation timelines and action settings of whole exports through the
// engine of a deck written by LibreOffice, compared with what its file says,
// and the older PowerPoint's view of the same deck. PowerPoint's own decks are
// read member by member in the engine tests.

#include <gtest/gtest.h>

#include <pugixml.hpp>

#include <string>
#include <vector>

#include "tests/component/TaggedDeckExport.h"
#include "tests/helpers/XmlTexts.h"

namespace quillmere::testing {
namespace {

std::string SampleDeck(const char* name) { return std::string(QUILLMERE_SAMPLES_DIR) + "/" + name; }

class AnimationLinkExportTest : public EngineExportTest {
 protected:
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

  // Each Animation of an owner as "ShapeID AnimationType TriggerType Start Exit".
  static std::vector<std::string> Animations(pugi::xml_node owner) {
    std::vector<std::string> animations;
    for (pugi::xml_node a : owner.child("AnimationTimeline").children("Animation"))
      animations.push_back(std::string(a.child_value("ShapeID")) + " " + a.child_value("AnimationType") + " " +
                           a.child("Timing").child_value("TriggerType") + " " + a.child("Timing").child_value("Start") +
                           " " + a.child_value("Exit"));
    return animations;
  }
};

TEST_F(AnimationLinkExportTest, LinksOnTextWithTheirTargets) {
  Use();
  // LibreOffice's links on text: a web page and an e-mail address, by the characters they cover.
  std::vector<pugi::xml_node> slides = Slides(Export(SampleDeck("quillmere-animations.pptx")));
  ASSERT_EQ(slides.size(), 3u);
  EXPECT_EQ(Actions(slides[1]),
            (std::vector<std::string>{"mouseClick 42 textrange 6 9 Hyperlink https://example.com/guide ",
                                      "mouseClick 42 textrange 22 13 Hyperlink mailto:team@example.com "}));
  EXPECT_TRUE(Actions(slides[0]).empty());
}

TEST_F(AnimationLinkExportTest, BuildsOfALibreOfficeDeckInBothGenerations) {
  // LibreOffice's fly-in, grow with it, motion path after it and fade-out exit, placed in time
  // by clicks five seconds apart; the shape-click build waits for its trigger.
  Use();
  std::vector<pugi::xml_node> slides = Slides(Export(SampleDeck("quillmere-animations.pptx")));
  ASSERT_EQ(slides.size(), 3u);
  EXPECT_EQ(Animations(slides[0]),
            (std::vector<std::string>{"39 2 1 5 False", "40 59 2 5 False", "40 134 3 7 False", "39 10 1 12 True"}));
  pugi::xml_node fly = slides[0].child("AnimationTimeline").first_child();
  EXPECT_STREQ(fly.child_value("Direction"), "4");  // from the left
  ExpectTexts(fly, {{"FriendlyName", "Deck box"}, {"Timing/Duration", "0.5"}});
  pugi::xml_node grow = fly.next_sibling();
  EXPECT_STREQ(grow.child_value("ScaleX"), "2.5");  // LibreOffice writes its 150 % as 250 %
  pugi::xml_node path = grow.next_sibling();
  ExpectTexts(path,
              {{"MotionPath", "M 0 0 L 0.25 0.25 E"}, {"PathReversed", "False"}, {"Timing/TriggerDelayTime", "0.5"}});
  EXPECT_EQ(Animations(slides[2]), std::vector<std::string>{"45 1 4 -1 False"});
  EXPECT_TRUE(Animations(slides[1]).empty());

  // PowerPoint 2003 had the same timelines.
  Use(11);
  slides = Slides(Export(SampleDeck("quillmere-animations.pptx")));
  EXPECT_EQ(Animations(slides[0]).size(), 4u);
  pugi::xml_node master = doc.child("Presentation").child("Designs").child("Design").child("SlideMaster");
  EXPECT_TRUE(master.child("AnimationTimeline"));
}

}  // namespace
}  // namespace quillmere::testing
