// A real deck tagged through the engine with a quiz slide, an interaction
// slide and player tabs, exported beside a project archive holding the
// packages: every package the XML names lies in place with the archive's bytes.

#include <gtest/gtest.h>

#include <pugixml.hpp>

#include <filesystem>
#include <fstream>
#include <tuple>

#include "component/StatusCode.h"
#include "support/storage/ProjectArchiveWriter.h"
#include "tests/component/TaggedDeckExport.h"
#include "tests/helpers/IsolatedUserFolders.h"
#include "tests/helpers/TestFiles.h"

namespace quillmere::testing {
namespace {

namespace fs = std::filesystem;

void AddTags(const Object& owner, std::initializer_list<std::pair<const char*, const char*>> tags) {
  Object collection = owner.Child("Tags");
  for (const auto& [name, value] : tags) collection.Call("Add", name, value);
}

class QuizExportTest : public IsolatedUserFolders {};

TEST_F(QuizExportTest, QuizAndInteractionSlidesAndPlayerTabsNameTheirPackages) {
  fs::path folder = Folder("project");
  fs::create_directories(folder);
  std::string deck = (folder / "course.pptx").string();
  std::string quizSlideId, kindraSlideId;
  TagAndSave("poi__backgrounds.pptx", deck, [&](const Object& pres) {
    Object quizSlide = pres.Child("Slides").Item(2);
    Object kindraSlide = pres.Child("Slides").Item(3);
    quizSlideId = std::to_string(quizSlide.Get("SlideID").AsLong());
    kindraSlideId = std::to_string(kindraSlide.Get("SlideID").AsLong());
    AddTags(quizSlide, {{"OVERRIDE", "EXAMORA_QUIZ_SLIDE"}, {"EXAMORA_QUIZ_SLIDE_ID", "quiz-1"},
                        {"EXAMORA_QUIZ_FILENAME", "C:\\Authoring\\Final Check.quiz"}, {"QZP_ATTEMPTS", "3"},
                        {"QZP_PASS_ACTION", "2"}});
    AddTags(kindraSlide, {{"OVERRIDE", "KINDRA_INTERACTION_SLIDE"}, {"KINDRA_INTERACTION_FINISH", "2"},
                          {"KINDRA_INTERACTION_FILENAME", "C:\\Authoring\\drag.intr"}});
    AddTags(pres, {{"CORVANTA_LUMIDESK_VERSION", "7"}, {"KINDRA_TAB_COUNT", "3"},
                   {"KINDRA_INTERACTION_FILENAME_1", "C:\\Authoring\\glossary.quiz"},
                   {"KINDRA_INTERACTION_ID_1", "tabquiz"}, {"KINDRA_INTERACTION_TABNAME_1", "Glossary"},
                   {"KINDRA_INTERACTION_FILENAME_2", "C:\\Authoring\\nowhere.intr"},
                   {"KINDRA_INTERACTION_ID_2", "gone"},
                   {"KINDRA_INTERACTION_FILENAME_3", "C:\\Authoring\\map.intr"},
                   {"KINDRA_INTERACTION_ID_3", "tabmap"}});
  });
  std::ofstream(folder / "drag.intr", std::ios::binary) << "interaction beside the deck";
  ProjectArchiveWriter archive((folder / "course.qpk").string());
  archive.BeginFolder("embedded content");
  for (const auto& [owner, file, bytes] : {std::tuple{quizSlideId, "Final Check.quiz", "quiz of the slide"},
                                           std::tuple{std::string("tabquiz"), "glossary.quiz", "quiz of a tab"},
                                           std::tuple{std::string("tabmap"), "map.intr", "interaction of a tab"}}) {
    archive.BeginFolder(owner);
    archive.AddFile(file, bytes);
    archive.EndFolder();
  }
  ASSERT_TRUE(archive.Close()) << archive.Error();

  std::string out = Folder("out").string();
  pugi::xml_document doc;
  ASSERT_EQ(ExportWithoutImages(deck, out, doc), ERR_SUCCESS);

  pugi::xml_node quizSlide = doc.select_node(("//Slide[@id='" + quizSlideId + "']").c_str()).node();
  ASSERT_TRUE(quizSlide);
  EXPECT_STREQ(quizSlide.attribute("EncodedType").value(), "quizobject");
  EXPECT_STREQ(quizSlide.attribute("EncodedVersion").value(), "4");
  for (const char* content : {"Shapes", "Transition", "Background", "AnimationTimeline", "ActionSettings"})
    EXPECT_FALSE(quizSlide.child(content)) << content;
  pugi::xml_node quiz = quizSlide.child("QuizObject");
  EXPECT_STREQ(quiz.attribute("id").value(), "quiz-1");
  EXPECT_STREQ(quiz.child_value("replaycount"), "2");
  EXPECT_STREQ(quiz.child("pass").attribute("data").value(), "next");
  EXPECT_EQ(ReadFile(quiz.child_value("project")), "quiz of the slide");
  EXPECT_EQ(fs::path(quiz.child_value("project")),
            fs::path(out) / "embedded content" / quizSlideId / "Final Check.quiz");

  pugi::xml_node kindraSlide = doc.select_node(("//Slide[@id='" + kindraSlideId + "']").c_str()).node();
  EXPECT_STREQ(kindraSlide.attribute("EncodedType").value(), "kindraobject");
  EXPECT_FALSE(kindraSlide.child("Shapes"));
  EXPECT_EQ(fs::path(kindraSlide.child("KindraObject").child_value("project")), folder / "drag.intr");
  EXPECT_STREQ(kindraSlide.child("KindraObject").child_value("finishbutton"), "ShowAlways");

  // Content slides keep their shapes.
  EXPECT_TRUE(doc.select_node("//Slide[@index='1']/Shapes/*"));

  pugi::xpath_node_set tabs = doc.select_nodes("/Presentation/PlayerTabs/PlayerTab");
  ASSERT_EQ(tabs.size(), 2u);  // the tab found nowhere is left out, the one after it is written
  pugi::xml_node tabQuiz = tabs[0].node().child("QuizObject");
  EXPECT_STREQ(tabs[0].node().attribute("EncodedVersion").value(), "4");
  EXPECT_STREQ(tabQuiz.child_value("tabname"), "Glossary");
  EXPECT_EQ(ReadFile(tabQuiz.child_value("project")), "quiz of a tab");
  pugi::xml_node tabKindra = tabs[1].node().child("KindraObject");
  EXPECT_STREQ(tabKindra.child_value("id"), "tabmap");
  EXPECT_EQ(ReadFile(tabKindra.child_value("project")), "interaction of a tab");
  EXPECT_TRUE(fs::path(tabKindra.child_value("project")).string().starts_with(out));
}

}  // namespace
}  // namespace quillmere::testing
