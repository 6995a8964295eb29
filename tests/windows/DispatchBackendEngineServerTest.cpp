// The engine's automation server in this Wine prefix, registered also as
// "PowerPoint.Application", driven through ComAutomationRuntime: it answers
// the object model as the in-process engine does, errors included, and an
// export through the drivers over COM writes the in-process export's XML.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "component/PPTInfo.h"
#include "engine/EngineRuntime.h"
#include "objectmodel/automation/ComError.h"
#include "objectmodel/automation/windows/ComAutomationRuntime.h"
#include "tests/fakes/FakeObject.h"
#include "tests/windows/BesideTestProgram.h"
#include "tests/windows/ComApartment.h"
#include "tests/windows/WineProcess.h"

#undef GetObject

namespace quillmere::testing {
namespace {

const std::wstring kServer = BesideTestProgram(L"QuillmereEngine.exe");

std::string Deck(const char* name) { return std::string(QUILLMERE_CORPUS_DIR) + "/" + name; }

std::shared_ptr<engine::EngineRuntime> LocalEngine() {
  engine::EngineOptions options;
  options.drawImages = false;  // as the server runs
  return std::make_shared<engine::EngineRuntime>(options);
}

// What a writer reads of every slide and shape, as text.
std::string Describe(const Object& pres) {
  std::ostringstream out;
  Object slides = pres.Child("Slides");
  for (int s = 1, n = slides.Count(); s <= n; ++s) {
    Object slide = slides.Item(s);
    out << slide.TypeName() << ' ' << slide.Get("SlideIndex").AsLong() << ' ' << slide.Get("Name").AsString() << ' '
        << slide.Get("Layout").AsLong() << '\n';
    Object shapes = slide.Child("Shapes");
    for (int i = 1, count = shapes.Count(); i <= count; ++i) {
      Object shape = shapes.Item(i);
      out << "  " << shape.TypeName() << ' ' << shape.Get("Name").AsString() << ' ' << shape.Get("Type").AsLong();
      for (const char* m : {"Left", "Top", "Width", "Height", "Visible"}) out << ' ' << shape.Get(m).AsString();
      if (shape.Get("HasTextFrame").AsLong() != 0)
        out << " \"" << shape.Child("TextFrame").Child("TextRange").Get("Text").AsString() << '"';
      out << '\n';
    }
  }
  return out.str();
}

ComError ErrorOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const ComError& e) {
    return e;
  }
  return ComError(0, "no error");
}

class DispatchBackendEngineServerTest : public ComApartmentTest {
 protected:
  // Registered as PowerPoint only while the suite runs: other suites test a machine without PowerPoint.
  static void SetUpTestSuite() { ASSERT_EQ(RunProgram(kServer, L"/RegServer /As:PowerPoint.Application"), 0); }
  static void TearDownTestSuite() { EXPECT_EQ(RunProgram(kServer, L"/UnregServer /As:PowerPoint.Application"), 0); }
};

TEST_F(DispatchBackendEngineServerTest, ServerAnswersTheObjectModelAsTheEngineInProcess) {
  ComAutomationRuntime runtime("Quillmere.PresentationEngine");
  ComError none = ErrorOf([&] { runtime.GetObject("PowerPoint.Application"); });
  EXPECT_EQ(none.Number(), hr::kCannotCreateObject);

  Object app = runtime.CreateObject("PowerPoint.Application");
  EXPECT_EQ(app.TypeName(), "Application");
  EXPECT_EQ(app.Get("Version").AsString(), "16.0");
  // The running instance is found by either name, and starting again hands out the same one.
  Object attached = runtime.GetObject("Quillmere.PresentationEngine");
  Object again = runtime.CreateObject("PowerPoint.Application");
  Object local = LocalEngine()->CreateObject("PowerPoint.Application");

  for (const char* name : {"poi__SampleShow.pptx", "poi__WithMaster.pptx", "poi__bug60993.pptx"}) {
    SCOPED_TRACE(name);
    Object pres = app.Child("Presentations").Call("Open", Deck(name), 0, -1, 0);
    EXPECT_EQ(attached.Child("Presentations").Count(), 1);
    EXPECT_EQ(again.Child("Presentations").Count(), 1);
    Object localPres = local.Child("Presentations").Call("Open", Deck(name), 0, -1, 0);
    std::string overCom = Describe(pres);
    EXPECT_EQ(overCom, Describe(localPres));
    EXPECT_NE(overCom.find("Slide 1 "), std::string::npos);
    pres.Call("Close");
    localPres.Call("Close");
  }

  // Errors come back with the engine's own number and description.
  auto missingDeck = [](const Object& a) { a.Child("Presentations").Call("Open", Deck("missing.pptx"), 0, -1, 0); };
  for (auto call : std::initializer_list<std::function<void(const Object&)>>{
           missingDeck, [](const Object& a) { a.Child("Presentations").Item(3); },
           [](const Object& a) { a.Get("NoSuchMember"); }}) {
    ComError remote = ErrorOf([&] { call(app); });
    ComError inProcess = ErrorOf([&] { call(local); });
    EXPECT_NE(remote.Number(), 0u);
    EXPECT_EQ(remote.Number(), inProcess.Number());
    EXPECT_EQ(remote.Description(), inProcess.Description());
  }

  // After Quit the instance is gone for GetObject, and a new one starts.
  app.Call("Quit");
  EXPECT_EQ(ErrorOf([&] { runtime.GetObject("PowerPoint.Application"); }).Number(), hr::kCannotCreateObject);
  Object fresh = runtime.CreateObject("PowerPoint.Application");
  EXPECT_EQ(fresh.Child("Presentations").Count(), 0);
  fresh.Call("Quit");
  local.Call("Quit");
}

// The XML of an export without images, with output-folder paths and random file names levelled.
std::string ExportedXml(std::shared_ptr<AutomationRuntime> runtime, const std::string& deck,
                        const std::filesystem::path& folder, std::shared_ptr<CountingSleeper> sleeper) {
  std::filesystem::remove_all(folder);
  PPTInfo info(PPTInfoOptions{std::move(runtime), std::move(sleeper)});
  std::string name = deck;
  std::string xmlPath;
  // The folder ends in its separator, as the host passes it, so that file paths in the XML start with it.
  const std::string prefix = folder.string() + "\\";
  EXPECT_EQ(info.PPTPresentation(name, xmlPath, prefix), 0);
  std::ifstream in(std::filesystem::path(xmlPath), std::ios::binary);
  std::string xml((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::string escaped = std::regex_replace(prefix, std::regex(R"([\\.^$|()\[\]{}*+?])"), R"(\$&)");
  return std::regex_replace(xml, std::regex(escaped + "[\\\\/]*[a-z0-9]{8}"), "OUT\\NAME");
}

TEST_F(DispatchBackendEngineServerTest, ExportThroughTheDriversOverComEqualsTheInProcessExport) {
  auto sleeper = std::make_shared<CountingSleeper>();
  std::filesystem::path root = std::filesystem::temp_directory_path() / "quillmere-dispatch-export";
  // One slide, one layout, five coloured runs: every member call crosses processes, about 3 ms each under
  // Wine, and a deck with a designer's eleven layouts takes a minute and a half.
  const std::string deck = Deck("pptx__font-color.pptx");
  std::string overCom = ExportedXml(std::make_shared<ComAutomationRuntime>(), deck, root, sleeper);
  std::string inProcess = ExportedXml(LocalEngine(), deck, root, sleeper);
  EXPECT_GT(overCom.size(), 1000u);
  EXPECT_EQ(overCom.size(), inProcess.size());
  auto differ = std::mismatch(overCom.begin(), overCom.end(), inProcess.begin(), inProcess.end());
  std::size_t at = static_cast<std::size_t>(differ.first - overCom.begin());
  std::size_t from = at < 200 ? 0 : at - 200;
  EXPECT_EQ(overCom.substr(from, 400), inProcess.substr(from, 400)) << "first difference at " << at;
  // The driver quits the server it started and lets it settle through the sleeper.
  EXPECT_NE(std::find(sleeper->waits.begin(), sleeper->waits.end(), 2000), sleeper->waits.end());
  std::filesystem::remove_all(root);
}

}  // namespace
}  // namespace quillmere::testing
