// The engine answers the members the drivers and header writer read, from
// real decks written by other tools, and fails the way PowerPoint fails.

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "engine/EngineRuntime.h"
#include "objectmodel/automation/ComError.h"
#include "tests/engine/EngineDecks.h"
#include "tests/fakes/FakeObject.h"
#include "tests/helpers/ErrorNumber.h"
#include "tests/helpers/IsolatedUserFolders.h"
#include "tests/helpers/ObjectMembers.h"

namespace quillmere::testing {
namespace {

class EngineObjectModelTest : public IsolatedUserFolders {
 protected:
  Object Start(int version = 16) {
    engine::EngineRuntime runtime(engine::EngineOptions{version});
    return runtime.CreateObject("PowerPoint.Application");
  }
  static Object Open(const Object& app, const std::string& file, bool untitled = true) {
    return app.Child("Presentations").Call("Open2007", file, 0, untitled ? -1 : 0, 0, 0);
  }
  static std::string OpenError(const Object& app, const std::string& file) {
    try {
      Open(app, file);
    } catch (const ComError& e) {
      return e.Description();
    }
    return "opened";
  }
};

TEST_F(EngineObjectModelTest, AnswersPresentationFactsOfRealDecks) {
  Object app = Start();
  EXPECT_EQ(app.Get("Version").AsString(), "16.0");
  Object pres = Open(app, Deck("poi__themes.pptx") + "::pinlerk::dosharvet");
  EXPECT_EQ(pres.Get("FullName").AsString(), "Presentation1");  // untitled: no file behind it
  ExpectMembers(pres, {{"Path", ""}, {"PageSetup.SlideWidth", 720.0f}, {"PageSetup.SlideHeight", 540.0f},
                       {"PageSetup.FirstSlideNumber", 1}});
  EXPECT_EQ(pres.Child("Slides").Count(), 10);
  // Each slide's design is one of the presentation's designs; the same object each time.
  Object slide = pres.Child("Slides").Item(3);
  EXPECT_EQ(slide.Get("SlideIndex").AsLong(), 3);
  EXPECT_EQ(slide.Child("Design").Ptr(), pres.Child("Designs").Item(slide.Child("Design").Get("Index").AsLong()).Ptr());
  EXPECT_EQ(pres.Child("Slides").Item(3).Ptr(), slide.Ptr());
  EXPECT_GE(slide.Child("Shapes").Count(), 1);
  EXPECT_EQ(pres.Get("Saved").AsLong(), -1);

  // Collections are 1-based and check their bounds.
  EXPECT_THROW(pres.Child("Slides").Item(0), ComError);
  EXPECT_THROW(pres.Child("Slides").Item(11), ComError);
  // Member names are case-insensitive; unknown ones fail as missing.
  EXPECT_EQ(pres.Child("slides").Get("COUNT").AsLong(), 10);
  EXPECT_EQ(ErrorOf([&] { pres.Get("NoSuchMember"); }), hr::kNotSupported);

  EXPECT_EQ(app.Child("Presentations").Count(), 1);
  pres.Call("Close");
  EXPECT_EQ(app.Child("Presentations").Count(), 0);
  EXPECT_THROW(pres.Get("Slides"), ComError);
  app.Call("Quit");
  EXPECT_THROW(app.Get("Version"), ComError);
}

TEST_F(EngineObjectModelTest, OlderVersionsHideNewerMembers) {
  Object app = Start(11);
  EXPECT_EQ(app.Get("Version").AsString(), "11.0");
  EXPECT_THROW(Open(app, Deck("poi__SampleShow.pptx")), ComError);  // no Open2007 before 2007
  Object pres = app.Child("Presentations").Call("Open", Deck("poi__SampleShow.pptx"), 0, -1, 0);
  Object master = pres.Child("Designs").Item(1).Child("SlideMaster");
  EXPECT_GE(master.Child("Shapes").Count(), 1);
  EXPECT_THROW(master.Get("CustomLayouts"), ComError);
  EXPECT_THROW(pres.Get("Final"), ComError);
}

TEST_F(EngineObjectModelTest, StandInsAnswerOnlyWhatTheEngineAnswers) {
  // The writers' stand-ins fail their test on a member, version or type the engine does not have.
  auto version = std::make_shared<int>(12);
  auto sequence = std::make_shared<FakeObject>("Sequence", version, true);
  sequence->Prop("FindFirstAnimationFor", 1).Prop("FindLastAnimationFor", 1);
  auto placeholder = std::make_shared<FakeObject>("PlaceholderFormat", version, true);
  placeholder->Prop("ContainedType", 1);
  auto text = std::make_shared<FakeObject>("TextRange", version, true);
  text->Prop("Characters", 1);
  Object(Value(std::shared_ptr<Dispatch>(sequence))).Get("FindFirstAnimationFor");
  Object(Value(std::shared_ptr<Dispatch>(placeholder))).Get("ContainedType");
  Object(Value(std::shared_ptr<Dispatch>(text))).Get("Characters");  // PowerPoint 2003's name for TextRange2
  EXPECT_NONFATAL_FAILURE(Object(Value(std::shared_ptr<Dispatch>(sequence))).Get("FindLastAnimationFor"),
                          "Sequence.FindLastAnimationFor");
  auto shadow = std::make_shared<FakeObject>("Shadow", version, true);
  shadow->Prop("Visible", 0);
  EXPECT_NONFATAL_FAILURE(Object(Value(std::shared_ptr<Dispatch>(shadow))).Get("Visible"), "no engine object");
  *version = 11;
  auto frame = std::make_shared<FakeObject>("Shape", version, true);
  frame->Prop("TextFrame2", 1);
  EXPECT_NONFATAL_FAILURE(Object(Value(std::shared_ptr<Dispatch>(frame))).Get("TextFrame2"), "PowerPoint 11");
}

TEST_F(EngineObjectModelTest, OpenFailuresCarryPowerPointsTexts) {
  Object app = Start();
  for (const char* encrypted : {"made__notes-encrypted.pptx", "poi__Password_Protected-hello.ppt"})
    EXPECT_NE(OpenError(app, Deck(encrypted) + "::pinlerk::dosharvet").find(": The password is incorrect"),
              std::string::npos)
        << encrypted;
  for (const char* bad : {"poi__clusterfuzz-testcase-minimized-POIXSLFFuzzer-6254434927378432.pptx", "no-such-file.pptx"})
    EXPECT_NE(OpenError(app, Deck(bad)).find(": PowerPoint could not open the file"), std::string::npos) << bad;
  EXPECT_NE(OpenError(app, QUILLMERE_CORPUS_DIR).find(": PowerPoint could not open the file"), std::string::npos);
  EXPECT_EQ(app.Child("Presentations").Count(), 0);  // a failed open changes nothing
}

TEST_F(EngineObjectModelTest, CopiesCarryEditsAndNeverTouchTheOriginal) {
  Object app = Start();
  std::string deck = Deck("poi__prProps.pptx");
  auto before = std::filesystem::last_write_time(deck);
  Object pres = Open(app, deck);
  Object props = pres.Child("CustomDocumentProperties");
  int count = props.Count();
  EXPECT_EQ(props.Item("language").Get("Value").AsString(), "English");
  props.Item("Language").Call("Delete");
  EXPECT_EQ(props.Count(), count - 1);
  EXPECT_THROW(props.Item("Language"), ComError);

  std::string copy = (Folder("tmp") / "copy.pptx").string();
  pres.Call("SaveCopyAs", copy, 24);
  EXPECT_EQ(std::filesystem::last_write_time(deck), before);
  Object again = Open(app, copy, false);
  ExpectMembers(again, {{"FullName", copy}, {"Name", "copy.pptx"}});
  EXPECT_EQ(again.Child("CustomDocumentProperties").Count(), count - 1);
  EXPECT_EQ(again.Child("Slides").Count(), pres.Child("Slides").Count());
}

TEST_F(EngineObjectModelTest, RunningInstanceIsFoundUntilItQuits) {
  engine::EngineRuntime runtime;
  EXPECT_THROW(runtime.GetObject("PowerPoint.Application"), ComError);
  Object app = runtime.CreateObject("PowerPoint.Application");
  EXPECT_EQ(runtime.GetObject("powerpoint.application").Ptr(), app.Ptr());
  EXPECT_THROW(runtime.CreateObject("Word.Application"), ComError);
  app.Call("Quit");
  EXPECT_THROW(runtime.GetObject("PowerPoint.Application"), ComError);
}

}  // namespace
}  // namespace quillmere::testing
