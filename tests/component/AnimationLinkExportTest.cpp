// Animation timelines and action settings of whole exports through the
// engine: decks written by PowerPoint and by LibreOffice, compared with what
// their files say, and the older PowerPoint's view of the same decks.

#include <gtest/gtest.h>

#include <pugixml.hpp>

#include <map>
#include <string>
#include <vector>

#include "support/registry/Settings.h"
#include "tests/component/TaggedDeckExport.h"
#include "tests/helpers/XmlTexts.h"

namespace quillmere::testing {
namespace {

std::string CorpusDeck(const char* name) { return std::string(QUILLMERE_CORPUS_DIR) + "/" + name; }
std::string SampleDeck(const char* name) { return std::string(QUILLMERE_SAMPLES_DIR) + "/" + name; }

class AnimationLinkExportTest : public EngineExportTest {
 protected:
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

TEST_F(AnimationLinkExportTest, BuildsOfLibreOfficeAndPowerPointDecks) {
  // LibreOffice's fly-in, grow with it, motion path after it and fade-out exit, placed in time
  // by clicks five seconds apart; the shape-click build waits for its trigger.
  Use();
  std::vector<pugi::xml_node> slides = Slides(Export(SampleDeck("quillmere-animations.pptx")));
  ASSERT_EQ(slides.size(), 3u);
  EXPECT_EQ(Animations(slides[0]), (std::vector<std::string>{"39 2 1 5 False", "40 59 2 5 False", "40 134 3 7 False",
                                                             "39 10 1 12 True"}));
  pugi::xml_node fly = slides[0].child("AnimationTimeline").first_child();
  EXPECT_STREQ(fly.child_value("Direction"), "4");  // from the left
  ExpectTexts(fly, {{"FriendlyName", "Deck box"}, {"Timing/Duration", "0.5"}});
  pugi::xml_node grow = fly.next_sibling();
  EXPECT_STREQ(grow.child_value("ScaleX"), "2.5");  // LibreOffice writes its 150 % as 250 %
  pugi::xml_node path = grow.next_sibling();
  ExpectTexts(path, {{"MotionPath", "M 0 0 L 0.25 0.25 E"}, {"PathReversed", "False"},
                     {"Timing/TriggerDelayTime", "0.5"}});
  EXPECT_EQ(Animations(slides[2]), std::vector<std::string>{"45 1 4 -1 False"});
  EXPECT_TRUE(Animations(slides[1]).empty());

  // The user's own click delay.
  SaveSetting("Corvanta Lumidesk", "Options", "MouseClickDelay", "2");
  slides = Slides(Export(SampleDeck("quillmere-animations.pptx")));
  EXPECT_EQ(Animations(slides[0]), (std::vector<std::string>{"39 2 1 2 False", "40 59 2 2 False", "40 134 3 4 False",
                                                             "39 10 1 6 True"}));
  SaveSetting("Corvanta Lumidesk", "Options", "MouseClickDelay", "5");

  // PowerPoint's builds, read without a failure: every effect of the deck, entrances, exits, emphasis and motion paths,
  // with click builds never starting before the one they follow.
  DeleteExportLog();
  slides = Slides(Export(CorpusDeck("poi__ca.ubc.cs.people_~emhill_presentations_HowWeRefactor.pptx")));
  std::map<std::string, int> kinds, pathTimings;
  std::size_t effects = 0;
  for (pugi::xml_node slide : slides) {
    double lastClick = 0;
    for (pugi::xml_node a : slide.child("AnimationTimeline").children("Animation")) {
      ++effects;
      kinds[a.child("MotionPath") ? "path" : a.child("Exit").text().as_bool() ? "exit" : "other"]++;
      // Its motion paths speed up over half their time (accel 50000) and slow down over half or all of
      // it (decel 50000 or 100000); one only speeds up, one only slows down.
      pugi::xml_node t = a.child("Timing");
      if (a.child("MotionPath"))
        ++pathTimings[std::string(t.child_value("Accelerate")) + t.child_value("Decelerate") + t.child_value("SmoothStart") +
                      t.child_value("SmoothEnd") + t.child_value("Speed")];
      if (std::string(a.child("Timing").child_value("TriggerType")) != "1") continue;
      double start = a.child("Timing").child("Start").text().as_double();
      EXPECT_GT(start, lastClick) << "slide " << slide.attribute("index").value();
      lastClick = start;
    }
  }
  EXPECT_EQ(effects, 152u);  // the effects of its slides' timings
  EXPECT_EQ(kinds["exit"], 27);
  EXPECT_EQ(kinds["path"], 15);
  EXPECT_EQ(pathTimings, (std::map<std::string, int>{{"FalseTrueFalseTrueTrue", 1},
                                                     {"TrueFalseTrueFalseTrue", 1},
                                                     {"TrueTrueTrueTrueTrue", 13}}));
  EXPECT_EQ(Log().find("AnimationSettings"), std::string::npos) << Log();

  // A list built paragraph by paragraph: each click brings one paragraph and those that
  // come with it, at the click's time.
  slides = Slides(Export(CorpusDeck("poi__alterman_security.pptx")));
  std::vector<std::string> paragraphs;
  for (pugi::xml_node slide : slides)
    for (pugi::xml_node a : slide.child("AnimationTimeline").children("Animation"))
      paragraphs.push_back(std::string(a.child_value("Paragraph")) + "@" + a.child("Timing").child_value("Start"));
  EXPECT_EQ(paragraphs, (std::vector<std::string>{"1@5", "2@10", "3@10", "4@10", "5@10", "6@15", "7@15", "8@15",
                                                  "9@20", "10@20", "11@20", "12@25"}));

  // PowerPoint 2003 had the same timelines.
  Use(11);
  slides = Slides(Export(SampleDeck("quillmere-animations.pptx")));
  EXPECT_EQ(Animations(slides[0]).size(), 4u);
  pugi::xml_node master = doc.child("Presentation").child("Designs").child("Design").child("SlideMaster");
  EXPECT_TRUE(master.child("AnimationTimeline"));
}

}  // namespace
}  // namespace quillmere::testing
