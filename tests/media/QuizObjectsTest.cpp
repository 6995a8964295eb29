// Quiz and interaction slides and player tabs written from scripted tags, with
// packages laid out beside the presentation and in the output folder as the
// project archive's extraction leaves them.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>

#include "media/PlayerTabs.h"
#include "media/QuizObjects.h"
#include "support/text/Guid.h"
#include "tests/fakes/FakePowerPointTest.h"
#include "tests/helpers/XmlTexts.h"

namespace quillmere::testing {
namespace {

namespace fs = std::filesystem;

class QuizObjectsTest : public FakePowerPointTest {
 protected:
  void SetUp() override {
    FakePowerPointTest::SetUp();
    ExportContext& state = StartPowerPoint(14);
    fs::create_directories(project = Folder("project"));
    fs::create_directories(out = Folder("out"));
    state.outputFolder = out.string() + "/";
    state.presentationName = (project / "course.pptx").string();
    state.decimalSeparator = ",";
    slide = Make("Slide");
    slide->Prop("SlideID", 261).Prop("Tags", Dispatched(Tags(slideValues)));
    presentationTags = Tags(presentationValues);
    presentation = Make("Presentation");
    presentation->Prop("Tags", Dispatched(presentationTags));
  }

  // A Tags collection over values, with Add and Delete as PowerPoint has them.
  FakePtr Tags(std::map<std::string, std::string>& values) {
    auto tags = TagsOf(values);
    tags->On("Add",
             [&values](Args a) {
               values[a[0].AsString()] = a[1].AsString();
               return Value();
             })
        .On("Delete", [&values](Args a) {
          values.erase(a[0].AsString());
          return Value();
        });
    return tags;
  }

  static fs::path Touch(const fs::path& file) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << "package";
    return file;
  }

  template <class Writer>
  pugi::xml_node SlidePackage(Writer write, const char* name) {
    pugi::xml_node element = doc.append_child("Slide");
    EXPECT_TRUE(write(context, Object(Dispatched(slide)), element));
    return element.child(name);
  }
  pugi::xml_node QuizSlide() { return SlidePackage(WriteQuizSlide, "QuizObject"); }
  pugi::xml_node KindraSlide() { return SlidePackage(WriteKindraSlide, "KindraObject"); }

  pugi::xml_node Tabs(std::int16_t projectVersion) {
    pugi::xml_node parent = doc.append_child("Presentation");
    WritePlayerTabs(context, Object(Dispatched(presentation)), parent, projectVersion);
    return parent.child("PlayerTabs");
  }

  fs::path project, out;
  FakePtr slide, presentation, presentationTags;
  std::map<std::string, std::string> slideValues, presentationValues;
  pugi::xml_document doc;
};

TEST_F(QuizObjectsTest, QuizSlideSettingsAsTheAuthoringToolTagsThem) {
  fs::path package = Touch(project / "final.quiz");
  slideValues = {{"EXAMORA_QUIZ_FILENAME", package.string()}, {"EXAMORA_QUIZ_SLIDE_ID", "q7"},
                 {"QZP_ATTEMPTS", "3"}, {"QZP_ADVANCE_MODE", "2"},
                 {"QZP_PASS_ACTION", "7"}, {"QZP_PASS_ACTION_SLIDEID", "300"}, {"QZP_PASS_ACTION_URL", "http://u"},
                 {"QZP_FAIL_ACTION", "1"}, {"QZP_FAIL_ACTION_URL", "http://retry"}};
  // An empty QZP_TRAP traps the learner on a quiz slide; pass action 7 is no
  // action of the table and goes to the tagged slide.
  const std::string attributes(34, ' '), id(16, ' '), indent(16, ' ');
  EXPECT_EQ(RawXml(QuizSlide()), "<QuizObject id=\"q7\">\r\n<pass type=\"gotoslide\" data=\"300\">\r\n" + attributes +
                                     "</pass><fail type=\"url\" data=\"http://retry\">\r\n" + attributes + "</fail>" +
                                     id + indent + "<project>" + package.string() + "</project>\r\n" + indent +
                                     "<trap>true</trap>\r\n" + indent + "<replaycount>2</replaycount>\r\n" + indent +
                                     "<advancemode>AfterPassed</advancemode>\r\n</QuizObject>");

  slideValues.insert_or_assign("QZP_TRAP", "0");
  slideValues.insert_or_assign("QZP_ATTEMPTS", "0");
  slideValues.insert_or_assign("QZP_ADVANCE_MODE", "1");
  slideValues.insert_or_assign("QZP_PASS_ACTION", "0");
  slideValues.insert_or_assign("QZP_FAIL_ACTION", "3");
  pugi::xml_node quiz = QuizSlide();
  ExpectTexts(quiz, {{"trap", "false"}, {"replaycount", "-1"}, {"advancemode", "AfterAttempted"}});
  ExpectTexts(quiz.child("pass"), {{"@data", "closewindow"}});
  ExpectTexts(quiz.child("fail"), {{"@data", "previous"}});
}

TEST_F(QuizObjectsTest, SlidePackageFoundAtItsPathBesideThePresentationOrInTheArchiveCopy) {
  // A path of the author's machine: the package beside the presentation serves.
  fs::path beside = Touch(project / "drag.intr");
  slideValues = {{"KINDRA_INTERACTION_FILENAME", "C:\\Authoring\\drag.intr"}, {"KINDRA_INTERACTION_TRAP", "0"},
                 {"KINDRA_INTERACTION_FINISH_MESSAGE", "Done"}, {"KINDRA_INTERACTION_FINISH", "2"}};
  ExpectTexts(
      KindraSlide(),
      {{"project", beside.string()}, {"trap", "false"}, {"finishbuttonlabel", "Done"}, {"finishbutton", "ShowAlways"}});

  // A relative name is looked for beside the presentation too; only "0" frees the learner.
  slideValues = {{"KINDRA_INTERACTION_FILENAME", "drag.intr"}};
  ExpectTexts(KindraSlide(), {{"project", beside.string()}, {"trap", "true"}, {"finishbutton", "UponCompletion"}});

  // Found nowhere: the archive copy is named whether or not the extraction made it.
  slideValues = {{"EXAMORA_QUIZ_FILENAME", "C:\\Authoring\\lost.quiz"}};
  EXPECT_EQ(QuizSlide().child_value("project"), out.string() + "/embedded content/261/lost.quiz");
  EXPECT_NE(Log().find("GetSlideIQOB Exit code - "), std::string::npos);

  // A file name that is no plain name names nothing rather than a place outside the output folder.
  slideValues = {{"EXAMORA_QUIZ_FILENAME", "C:\\Authoring\\.."}};
  EXPECT_STREQ(QuizSlide().child_value("project"), "");
}

TEST_F(QuizObjectsTest, NoTabsStillWritesPlayerTabs) {
  EXPECT_EQ(RawXml(Tabs(7)), "<PlayerTabs>\r\n</PlayerTabs>");
  presentationValues = {{"KINDRA_TAB_COUNT", "0"}};
  EXPECT_EQ(RawXml(Tabs(7)), "<PlayerTabs>\r\n</PlayerTabs>");
  presentationValues = {{"KINDRA_TAB_COUNT", "99999"}, {"KINDRA_INTERACTION_FILENAME_1", "x.quiz"}};
  EXPECT_EQ(RawXml(Tabs(7)), "<PlayerTabs>\r\n</PlayerTabs>");  // out of a 16-bit count: none
  EXPECT_EQ(presentationTags->Calls("Add"), 0);
}

TEST_F(QuizObjectsTest, TabFoundNowhereIsLeftOutAndLaterTabsAreWritten) {
  fs::path quiz = Touch(project / "check.QUIZ");
  fs::path archived = Touch(out / "embedded content" / "tab3" / "explore.intr");
  Touch(out / "secret.intr");
  presentationValues = {{"KINDRA_TAB_COUNT", "4"},
                        {"KINDRA_INTERACTION_FILENAME_1", "D:\\Tabs\\check.QUIZ"}, {"KINDRA_INTERACTION_ID_1", "tab1"},
                        {"KINDRA_INTERACTION_TABNAME_1", "Check"}, {"QZP_ATTEMPTS_1", "2.5"},
                        {"QZP_PASS_ACTION_1", "1"}, {"QZP_PASS_ACTION_URL_1", "http://ok"},
                        {"KINDRA_INTERACTION_FILENAME_2", "missing.intr"}, {"KINDRA_INTERACTION_ID_2", "tab2"},
                        {"KINDRA_INTERACTION_FILENAME_3", "explore.intr"}, {"KINDRA_INTERACTION_ID_3", "tab3"},
                        {"KINDRA_INTERACTION_TABNAME_3", "Explore"},
                        {"KINDRA_INTERACTION_FILENAME_4", "secret.intr"}, {"KINDRA_INTERACTION_ID_4", ".."}};
  pugi::xml_node tabs = Tabs(6);
  ASSERT_EQ(tabs.select_nodes("PlayerTab").size(), 2u);
  pugi::xml_node first = tabs.child("PlayerTab");
  ExpectTexts(first, {{"@EncodedType", "quizobject"}, {"@EncodedVersion", "3"}});
  pugi::xml_node tabQuiz = first.child("QuizObject");
  // An empty QZP_TRAP_n leaves a tab's quiz untrapped, unlike a quiz slide; 1,5 in the locale's separator.
  ExpectTexts(tabQuiz, {{"@id", "tab1"}, {"project", quiz.string()}, {"trap", "false"}});
  ExpectTexts(tabQuiz, {{"advancemode", "AdvanceAtWill"}, {"tabname", "Check"}, {"replaycount", "1,5"}});
  ExpectTexts(tabQuiz.child("pass"), {{"@type", "url"}, {"@data", "http://ok"}});
  ExpectTexts(tabQuiz.child("fail"), {{"@type", "gotoslide"}});

  pugi::xml_node second = first.next_sibling("PlayerTab");
  ExpectTexts(second, {{"@EncodedType", "kindraobject"}, {"@EncodedVersion", "2"}});
  EXPECT_EQ(RawXml(second.child("KindraObject")),
            "<KindraObject>\r\n                <id>tab3</id>\r\n                <project>" + archived.string() +
                "</project>\r\n                <trap>false</trap>\r\n"
                "                <finishbuttonlabel>Close</finishbuttonlabel>\r\n"
                "                <tabname>Explore</tabname>\r\n</KindraObject>");
  // Three tabs missed their package beside the presentation; the archive was read once.
  ASSERT_NE(Log().find("GetSlideIQOB Exit code - "), std::string::npos);
  EXPECT_EQ(Log().find("GetSlideIQOB Exit code - "), Log().rfind("GetSlideIQOB Exit code - "));

  presentationValues.insert_or_assign("QZP_TRAP_1", "1");
  presentationValues.erase("QZP_ATTEMPTS_1");
  pugi::xml_node tab = Tabs(7).child("PlayerTab");
  ExpectTexts(tab, {{"@EncodedVersion", "4"}, {"QuizObject/replaycount", "-1"}, {"QuizObject/trap", "true"}});
  ExpectTexts(tab, {{"QuizObject/advancemode", "AfterAttempted"}});
}

TEST_F(QuizObjectsTest, TabWithoutGuidKeepsTheOneItIsGiven) {
  Touch(project / "a.quiz");
  presentationValues = {{"KINDRA_TAB_COUNT", "2"}, {"KINDRA_INTERACTION_FILENAME_1", "a.quiz"},
                        {"KINDRA_INTERACTION_GUID_2", "kept"}};
  Tabs(7);
  std::string guid = presentationValues["KINDRA_INTERACTION_GUID_1"];
  EXPECT_TRUE(std::regex_match(guid, std::regex("[0-9a-f]{8}-[0-9a-f]{4}-4[0-9a-f]{3}-[89ab][0-9a-f]{3}-[0-9a-f]{12}")))
      << guid;
  EXPECT_EQ(presentationValues["KINDRA_INTERACTION_GUID_2"], "kept");
  Tabs(7);
  EXPECT_EQ(presentationValues["KINDRA_INTERACTION_GUID_1"], guid);
  EXPECT_EQ(presentationTags->Calls("Add"), 1);

  std::string text = NewGuidText(50);
  EXPECT_TRUE(
      std::regex_match(text, std::regex("[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}")));
  EXPECT_EQ(NewGuidText(12).size(), 12u);
  EXPECT_NE(NewGuidText(36), text);
}

}  // namespace
}  // namespace quillmere::testing
