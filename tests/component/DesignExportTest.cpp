// The Designs of whole exports of real decks through the engine: built-in
// theme names recognised from real themes, the older PowerPoint's used
// layouts, and cancelling.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <pugixml.hpp>
#include <set>

#include "slides/LayoutNames.h"
#include "tests/component/TaggedDeckExport.h"
#include "tests/helpers/XmlTexts.h"

namespace quillmere::testing {
namespace {

class DesignExportTest : public EngineExportTest {
 protected:
  // "colour theme/font theme" of each design, by design id.
  static std::map<std::string, std::string> ThemeNames(pugi::xml_node presentation) {
    std::map<std::string, std::string> names;
    for (pugi::xml_node design : presentation.child("Designs").children("Design"))
      names[design.attribute("id").value()] = std::string(design.child("ColorScheme").child_value("Name")) + "/" +
                                              design.child("FontTheme").child_value("Name");
    return names;
  }
};

TEST_F(DesignExportTest, BuiltInThemesOfDecksFromManyTools) {
  Use();
  // Deck, then the "colour/font" names one of its designs must carry.
  const std::vector<std::pair<const char*, std::string>> expected{
      {"poi__themes.pptx", "Austin/Austin"},
      // Trek keeps its own name where Angles has the same fonts.
      {"poi__themes.pptx", "Trek/Trek"},
      {"poi__keyframes.pptx", "Metro/Metro"},
      {"poi__ae.ac.uaeu.faculty_nafaachbili_GeomLec1.pptx", "Concourse/Concourse"},
      {"poi__ca.ubc.cs.people_~emhill_presentations_HowWeRefactor.pptx", "/Office 2"},
      {"poi__stress022.pptx", "/Oriel"},
      {"poi__bug60715.pptx", "/Horizon"},
      {"poi__51187.pptx", "/Aspect"},
      {"poi__2411-Performance_Up.pptx", "/Office Classic 2"},
  };
  for (const auto& [deck, names] : expected) {
    std::map<std::string, std::string> found = ThemeNames(Export(Deck(deck)));
    bool present = false;
    for (const auto& [id, pair] : found) present |= pair == names;
    EXPECT_TRUE(present) << deck << " has no design named " << names;
  }
}

TEST_F(DesignExportTest, OlderPowerPointWritesTheUsedLayoutsAndTitleMasters) {
  Use(11);
  pugi::xml_node presentation = Export(Deck("poi__themes.pptx"));
  std::map<std::string, std::map<std::string, std::string>> layouts;  // design id -> layout id -> name
  for (pugi::xml_node design : presentation.child("Designs").children("Design")) {
    EXPECT_STREQ(design.child("ColorScheme").child_value("Name"), "");
    EXPECT_STRNE(design.child("ColorScheme").child_value("Light1"), "");
    // The presentation's first two fonts: the first theme's Calibri, then the third's Century Gothic.
    ExpectTexts(design, {{"FontTheme/MajorFont", "Calibri"}, {"FontTheme/MinorFont", "Century Gothic"}});
    for (pugi::xml_node layout : design.child("SlideMaster").children("CustomLayout"))
      layouts[design.attribute("id").value()][layout.attribute("id").value()] = layout.attribute("name").value();
  }
  std::size_t slides = 0;
  for (pugi::xml_node slide : presentation.child("Slides").children("Slide")) {
    ++slides;
    std::string design = slide.child_value("DesignId"), layout = slide.child_value("LayoutId");
    ASSERT_TRUE(layouts[design].contains(layout))
        << "slide " << slides << ": design " << design << " layout " << layout;
    // Layout 1 stands for the title master, named after the design.
    if (layout != "1") {
      EXPECT_EQ(layouts[design][layout], LayoutName(std::stoi(layout)));
    }
  }
  // The temporary slides are gone again.
  EXPECT_EQ(std::to_string(slides), presentation.child_value("SlideCount"));
}

TEST_F(DesignExportTest, CancellingDuringAMastersShapesWritesNothing) {
  Use();
  // Asked once before the work, once after each slide, then after each master shape.
  int asked = 0, slides = 0;
  {
    pugi::xml_node presentation = Export(Deck("poi__keyframes.pptx"));
    slides = presentation.child("SlideCount").text().as_int();
    ASSERT_GE(
        presentation.child("Designs").child("Design").child("SlideMaster").child("Shapes").select_nodes("Shape").size(),
        3u);
  }
  info->Events().AbortConversion = [&](bool& cancel) { cancel = ++asked == 1 + slides + 2; };
  std::string name = Deck("poi__keyframes.pptx"), xml, out = Folder("cancelled").string();
  EXPECT_EQ(info->PPTPresentation(name, xml, out), ERR_USER_CANCEL);
  EXPECT_EQ(asked, 1 + slides + 2);
  EXPECT_FALSE(std::filesystem::exists(out + "/presentationinfo.xml"));
}

}  // namespace
}  // namespace quillmere::testing
