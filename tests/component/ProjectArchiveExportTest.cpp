// Real decks tagged and saved through the engine, exported beside a project
// archive: characters, quiz and interaction packages and web objects come
// out with the archive's bytes, and broken archives cost their media, never
// the rest of the export.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <pugixml.hpp>

#include <filesystem>
#include <functional>
#include <map>

#include "component/StatusCode.h"
#include "objectmodel/trace/ExportLog.h"
#include "tests/component/TaggedDeckExport.h"
#include "tests/helpers/ProjectArchiveFixtures.h"
#include "tests/helpers/XmlTexts.h"

namespace quillmere::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

constexpr std::int32_t kPicture = 13;  // msoPicture

std::vector<Object> Pictures(const Object& slide) {
  std::vector<Object> pictures;
  Object shapes = slide.Child("Shapes");
  for (std::int32_t i = 1, n = shapes.Count(); i <= n; ++i)
    if (shapes.Item(i).Get("Type").AsLong() == kPicture) pictures.push_back(shapes.Item(i));
  return pictures;
}

// "NAME=value": a tag, or an element's text.
std::pair<std::string, std::string> NameAndValue(std::string_view tag) {
  const std::size_t at = tag.find('=');
  return {std::string(tag.substr(0, at)), std::string(tag.substr(at + 1))};
}

// Added in the order of their names.
void Tag(const Object& owner, const std::vector<std::string_view>& tags) {
  std::map<std::string, std::string> byName;
  for (std::string_view tag : tags) byName.insert(NameAndValue(tag));
  Object ownerTags = owner.Child("Tags");
  for (const auto& [name, value] : byName) ownerTags.Call("Add", name, value);
}

class ProjectArchiveExportTest : public ArchiveBesideExport {
 protected:
  void SetUp() override { Place("project/course.qpk", "course_files"); }

  // The corpus deck, tagged through the engine and saved where the archive goes beside it.
  std::string TagAndSave(const char* corpusDeck, const std::function<void(const Object& pres)>& tag) {
    std::string deck = (archive_.parent_path() / "course.pptx").string();
    quillmere::testing::TagAndSave(corpusDeck, deck, tag);
    return deck;
  }

  std::int32_t Export(const std::string& deck, pugi::xml_document& doc) {
    return ExportWithoutImages(deck, out_.string(), doc, sleeper_);
  }

  std::string InOutput(const std::string& relative) const { return out_.string() + "/" + relative; }

  // bug65228's first slide with its second shape tagged as a web object whose WOURL is a folder of the
  // author's machine, not of this one; the saved deck, and the slide's id in slideId_.
  std::string WebObjectDeck(std::initializer_list<std::string_view> moreTags = {}) {
    std::vector<std::string_view> tags = {"OVERRIDE_WO=YES", "WOURL=C:\\Course\\site", "ZEL_PLAYER=YES"};
    tags.insert(tags.end(), moreTags);
    return TagAndSave("poi__bug65228.pptx", [&](const Object& pres) {
      Object slide = pres.Child("Slides").Item(1);
      slideId_ = std::to_string(slide.Get("SlideID").AsLong());
      Tag(slide.Child("Shapes").Item(2), tags);
    });
  }

  std::shared_ptr<CountingSleeper> sleeper_ = std::make_shared<CountingSleeper>();
  std::string slideId_;
};

// Each element's path from the root, in document order: what an export wrote, whatever the texts.
void Skeleton(pugi::xml_node node, const std::string& path, std::vector<std::string>& out) {
  for (pugi::xml_node child : node.children()) {
    if (child.type() != pugi::node_element) continue;
    std::string inner = path + "/" + child.name();
    out.push_back(inner);
    Skeleton(child, inner, out);
  }
}

std::vector<std::string> Skeleton(const pugi::xml_document& doc) {
  std::vector<std::string> out;
  Skeleton(doc, "", out);
  return out;
}

TEST_F(ProjectArchiveExportTest, CharactersNameTheirFilesFromTheArchivesCharactersFolder) {
  std::string smile = RandomBytes(70000, 1), side = RandomBytes(9000, 2), photo = RandomBytes(3000, 3);
  std::string deck = TagAndSave("pptx__shp-picture.pptx", [](const Object& pres) {
    std::vector<Object> first = Pictures(pres.Child("Slides").Item(1));
    std::vector<Object> second = Pictures(pres.Child("Slides").Item(2));
    ASSERT_GE(first.size(), 2u);
    ASSERT_GE(second.size(), 1u);
    Tag(first[0],
        {"CORVANTA_CHARACTER_TYPE=Illustrated", "CORVANTA_CHARACTER_FILE=.\\characters\\Ann\\ann_smile.png",
         "CORVANTA_CHARACTER_ID=ann-smile", "CORVANTA_CHARACTER_EXPRESSION=smile", "CORVANTA_CHARACTER_POSE=wave",
         "CORVANTA_CHARACTER_FLIP=True", "CORVANTA_CHARACTER_CROP=a crop an illustration has no use for"});
    Tag(first[1], {"CORVANTA_CHARACTER_TYPE=photographic", "CORVANTA_CHARACTER_FILE=characters\\bob.jpg",
                   "CORVANTA_CHARACTER_ID=bob", "CORVANTA_CHARACTER_POSE=a pose a photograph has no use for",
                   "CORVANTA_CHARACTER_CROP=head"});
    Tag(second[0],
        {"CORVANTA_CHARACTER_TYPE=ILLUSTRATED", "CORVANTA_CHARACTER_FILE=.\\characters\\Ann\\ann_side.png",
         "CORVANTA_CHARACTER_ID=ann-side", "CORVANTA_CHARACTER_EXPRESSION=calm", "CORVANTA_CHARACTER_POSE=stand",
         "CORVANTA_CHARACTER_FLIP=False", "CORVANTA_CHARACTER_PERSPECTIVE=side"});
  });
  WriteArchive(
      archive_,
      {{"characters/bob.jpg", photo}, {"characters/Ann/ann_smile.png", smile}, {"characters/Ann/ann_side.png", side}});

  pugi::xml_document doc;
  ASSERT_EQ(Export(deck, doc), ERR_SUCCESS);
  std::map<std::string, pugi::xml_node> characters;
  for (pugi::xpath_node found : doc.select_nodes("//Shape/Character"))
    characters[found.node().child_value("CharacterId")] = found.node();
  ASSERT_EQ(characters.size(), 3u);

  // Each character has only the elements of its kind ("Name=text"), in order, after CharacterFile, CharacterType and
  // CharacterId, and its file holds the archive's bytes.
  auto expect = [&](const char* id, const char* type, const char* file, const std::string& bytes,
                    std::initializer_list<std::string_view> ofItsKind) {
    SCOPED_TRACE(id);
    pugi::xml_node character = characters[id];
    ExpectTexts(character.parent(), {{"@character", "True"}});
    ExpectTexts(character, {{"CharacterType", type}});
    std::vector<std::string> names, wanted = {"CharacterFile", "CharacterType", "CharacterId"};
    for (pugi::xml_node child = character.first_child(); child; child = child.next_sibling())
      if (child.type() == pugi::node_element) names.push_back(child.name());
    for (std::string_view element : ofItsKind) {
      const auto [name, text] = NameAndValue(element);
      wanted.push_back(name);
      EXPECT_EQ(character.child_value(name.c_str()), text) << name;
    }
    EXPECT_EQ(names, wanted) << "only the elements of the character's kind, in order";
    std::string path = character.child_value("CharacterFile");
    EXPECT_EQ(path, InOutput(file));
    EXPECT_EQ(ReadFile(path), bytes);
  };
  expect("ann-smile", "Illustrated", "characters/Ann/ann_smile.png", smile,
         {"CharacterExpression=smile", "CharacterPose=wave", "CharacterFlip=True"});
  expect("bob", "photographic", "characters/bob.jpg", photo, {"CharacterCrop=head"});
  expect("ann-side", "ILLUSTRATED", "characters/Ann/ann_side.png", side,
         {"CharacterExpression=calm", "CharacterPose=stand", "CharacterFlip=False", "CharacterPerspective=side"});
}

TEST_F(ProjectArchiveExportTest, QuizAndInteractionSlidesAndPlayerTabsNameTheirPackages) {
  std::string quizSlideId, kindraSlideId;
  std::string deck = TagAndSave("poi__backgrounds.pptx", [&](const Object& pres) {
    Object quizSlide = pres.Child("Slides").Item(2);
    Object kindraSlide = pres.Child("Slides").Item(3);
    quizSlideId = std::to_string(quizSlide.Get("SlideID").AsLong());
    kindraSlideId = std::to_string(kindraSlide.Get("SlideID").AsLong());
    Tag(quizSlide, {"OVERRIDE=EXAMORA_QUIZ_SLIDE", "EXAMORA_QUIZ_SLIDE_ID=quiz-1",
                    "EXAMORA_QUIZ_FILENAME=C:\\Authoring\\Final Check.quiz", "QZP_ATTEMPTS=3", "QZP_PASS_ACTION=2"});
    Tag(kindraSlide, {"OVERRIDE=KINDRA_INTERACTION_SLIDE", "KINDRA_INTERACTION_FINISH=2",
                      "KINDRA_INTERACTION_FILENAME=C:\\Authoring\\drag.intr"});
    Tag(pres, {"CORVANTA_LUMIDESK_VERSION=7", "KINDRA_TAB_COUNT=3",
               "KINDRA_INTERACTION_FILENAME_1=C:\\Authoring\\glossary.quiz", "KINDRA_INTERACTION_ID_1=tabquiz",
               "KINDRA_INTERACTION_TABNAME_1=Glossary", "KINDRA_INTERACTION_FILENAME_2=C:\\Authoring\\nowhere.intr",
               "KINDRA_INTERACTION_ID_2=gone", "KINDRA_INTERACTION_FILENAME_3=C:\\Authoring\\map.intr",
               "KINDRA_INTERACTION_ID_3=tabmap"});
  });
  const fs::path project = archive_.parent_path();
  WriteFile(project / "drag.intr", "interaction beside the deck");
  WriteArchive(archive_, {{"embedded content/" + quizSlideId + "/Final Check.quiz", "quiz of the slide"},
                          {"embedded content/tabquiz/glossary.quiz", "quiz of a tab"},
                          {"embedded content/tabmap/map.intr", "interaction of a tab"}});

  pugi::xml_document doc;
  ASSERT_EQ(Export(deck, doc), ERR_SUCCESS);

  pugi::xml_node quizSlide = doc.select_node(("//Slide[@id='" + quizSlideId + "']").c_str()).node();
  ASSERT_TRUE(quizSlide);
  ExpectTexts(quizSlide, {{"@EncodedType", "quizobject"}, {"@EncodedVersion", "4"}});
  pugi::xml_node quiz = quizSlide.child("QuizObject");
  ExpectTexts(quiz, {{"@id", "quiz-1"}, {"replaycount", "2"}});
  ExpectTexts(quiz.child("pass"), {{"@data", "next"}});
  EXPECT_EQ(ReadFile(quiz.child_value("project")), "quiz of the slide");
  EXPECT_EQ(fs::path(quiz.child_value("project")), out_ / "embedded content" / quizSlideId / "Final Check.quiz");

  pugi::xml_node kindraSlide = doc.select_node(("//Slide[@id='" + kindraSlideId + "']").c_str()).node();
  ExpectTexts(kindraSlide, {{"@EncodedType", "kindraobject"},
                            {"KindraObject/project", (project / "drag.intr").string()},
                            {"KindraObject/finishbutton", "ShowAlways"}});

  pugi::xpath_node_set tabs = doc.select_nodes("/Presentation/PlayerTabs/PlayerTab");
  ASSERT_EQ(tabs.size(), 2u);  // the tab found nowhere is left out, the one after it is written
  ExpectTexts(tabs[0].node(), {{"@EncodedVersion", "4"}, {"QuizObject/tabname", "Glossary"}});
  EXPECT_EQ(ReadFile(tabs[0].node().child("QuizObject").child_value("project")), "quiz of a tab");
  pugi::xml_node tabKindra = tabs[1].node().child("KindraObject");
  ExpectTexts(tabKindra, {{"id", "tabmap"}});
  EXPECT_EQ(ReadFile(tabKindra.child_value("project")), "interaction of a tab");
  EXPECT_TRUE(fs::path(tabKindra.child_value("project")).string().starts_with(out_.string()));
}

TEST_F(ProjectArchiveExportTest, TaggedShapeBecomesWebObjectWithArchivedContent) {
  std::string deck = WebObjectDeck({"CORVANTA_LAYER_TIMING=2"});
  const std::string& slideId = slideId_;
  const std::string page = "<html><body>archived page</body></html>";
  WriteArchive(archive_,
               {{"webobjects/shared.js", "var shared;"}, {"webobject_slide_" + slideId + "/index.htm", page}});

  pugi::xml_document doc;
  ASSERT_EQ(Export(deck, doc), ERR_SUCCESS);

  pugi::xpath_node_set webObjects = doc.select_nodes(("//Slide[@id='" + slideId + "']/WebObjects/WebObject").c_str());
  ASSERT_EQ(webObjects.size(), 1u);
  pugi::xml_node web = webObjects.first().node();
  ExpectTexts(web, {{"@legacy", "True"}, {"ContainerType", "inplayer"}, {"TriggerTime", "2"}});
  ExpectTexts(web, {{"urlo", "C:\\Course\\site"}, {"url", "webobject_slide_" + slideId + "/index.htm"}});
  EXPECT_FALSE(std::string(web.child("Position").child_value("width")).empty());
  EXPECT_EQ(ReadFile(out_ / ("webobject_slide_" + slideId) / "index.htm"), page);
  EXPECT_EQ(ReadFile(out_ / "webobjects" / "shared.js"), "var shared;");
}

TEST_F(ProjectArchiveExportTest, BrokenArchivesLeaveTheExportWholeAndTheirSurroundingsUntouched) {
  std::string deck = WebObjectDeck();
  const std::string webFolder = "webobject_slide_" + slideId_;

  pugi::xml_document baseline;
  ASSERT_EQ(Export(deck, baseline), ERR_SUCCESS);
  const std::vector<std::string> whole = Skeleton(baseline);
  ASSERT_GT(whole.size(), 100u);

  struct Case {
    const char* what;
    std::function<void()> make;
    const char* exitCode;  // as the web object's extraction logs it
    const char* logged;
  };
  // Truncated, cut short and locked archives end as this unreadable one does in the handler
  // (ProjectArchiveBrokenTest); what the export makes of a failure is the same for each.
  const std::vector<Case> cases = {
      {"no compound file at all", [&] { WriteFile(archive_, "PK\x03\x04 a zip, not a project archive"); }, "-2",
       "cannot be opened"},
      {"entries named ..",
       [&] {
         WriteArchive(archive_, {{"narration/..", "a file named .."},
                                 {webFolder + "/../evil.txt", "one level up"},
                                 {webFolder + "/index.htm", "<html>archived</html>"}});
       },
       "0", "refused"},
  };

  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(out_);
    DeleteExportLog();
    c.make();
    std::vector<std::string> parentBefore = BesidesTheOutput(), projectBefore = Tree(archive_.parent_path());
    std::string archiveBefore = ReadFile(archive_);

    pugi::xml_document doc;
    EXPECT_EQ(Export(deck, doc), ERR_SUCCESS);

    EXPECT_EQ(Skeleton(doc), whole) << "an element went missing";
    EXPECT_EQ(BesidesTheOutput(), parentBefore) << "something was written beside the output folder";
    EXPECT_EQ(Tree(archive_.parent_path()), projectBefore);
    EXPECT_EQ(ReadFile(archive_), archiveBefore);
    for (const std::string& name : Tree(root_))
      EXPECT_EQ(name.find("evil"), std::string::npos) << "the folder named .. was entered";
    std::string log = ReadFile(ExportLogPath());
    EXPECT_THAT(log, HasSubstr(std::string("GetSlideWO Exit code - ") + c.exitCode));
    EXPECT_THAT(log, HasSubstr(c.logged));
  }
}

}  // namespace
}  // namespace quillmere::testing
