// The engine's automation server in this Wine prefix, registered also as
// "PowerPoint.Application", driven through ComAutomationRuntime: it is found
// by either name while it runs, and an export through the drivers over COM
// writes the in-process export's XML.

#include <gtest/gtest.h>

#include <filesystem>

#include "component/PPTInfo.h"
#include "engine/EngineRuntime.h"
#include "objectmodel/automation/ComError.h"
#include "objectmodel/automation/windows/ComAutomationRuntime.h"
#include "tests/fakes/FakeObject.h"
#include "tests/helpers/ErrorNumber.h"
#include "tests/helpers/TestFiles.h"
#include "tests/windows/BesideTestProgram.h"
#include "tests/windows/ComApartment.h"
#include "tests/windows/ComparableExport.h"
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

class DispatchBackendEngineServerTest : public ComApartmentTest {
 protected:
  // Registered as PowerPoint only while the suite runs: other suites test a machine without PowerPoint.
  static void SetUpTestSuite() { ASSERT_EQ(RunProgram(kServer, L"/RegServer /As:PowerPoint.Application"), 0); }
  static void TearDownTestSuite() { EXPECT_EQ(RunProgram(kServer, L"/UnregServer /As:PowerPoint.Application"), 0); }
};

TEST_F(DispatchBackendEngineServerTest, ServerIsFoundByEitherNameUntilItQuits) {
  ComAutomationRuntime runtime("Quillmere.PresentationEngine");
  EXPECT_EQ(FailureOf([&] { runtime.GetObject("PowerPoint.Application"); }).Number(), hr::kCannotCreateObject);

  Object app = runtime.CreateObject("PowerPoint.Application");
  EXPECT_EQ(app.TypeName(), "Application");
  EXPECT_EQ(app.Get("Version").AsString(), "16.0");
  // The running instance is found by either name, and starting again hands out the same one.
  Object pres = app.Child("Presentations").Call("Open", Deck("poi__SampleShow.pptx"), 0, -1, 0);
  EXPECT_EQ(runtime.GetObject("Quillmere.PresentationEngine").Child("Presentations").Count(), 1);
  EXPECT_EQ(runtime.CreateObject("PowerPoint.Application").Child("Presentations").Count(), 1);
  pres.Call("Close");

  // After Quit the instance is gone for GetObject, and a new one starts.
  app.Call("Quit");
  EXPECT_EQ(FailureOf([&] { runtime.GetObject("PowerPoint.Application"); }).Number(), hr::kCannotCreateObject);
  Object fresh = runtime.CreateObject("PowerPoint.Application");
  EXPECT_EQ(fresh.Child("Presentations").Count(), 0);
  fresh.Call("Quit");
}

// The XML of an export without images, with the output folder and random file names levelled.
std::string ExportedXml(std::shared_ptr<AutomationRuntime> runtime, const std::string& deck,
                        const std::filesystem::path& folder) {
  std::filesystem::remove_all(folder);
  PPTInfo info(PPTInfoOptions{std::move(runtime), std::make_shared<CountingSleeper>()});
  std::string name = deck;
  std::string xmlPath;
  // The folder ends in its separator, as the host passes it, so that file paths in the XML start with it.
  const std::string prefix = folder.string() + "\\";
  EXPECT_EQ(info.PPTPresentation(name, xmlPath, prefix), 0);
  return Comparable(ReadFile(xmlPath), prefix);
}

TEST_F(DispatchBackendEngineServerTest, ExportThroughTheDriversOverComEqualsTheInProcessExport) {
  std::filesystem::path root = std::filesystem::temp_directory_path() / "quillmere-dispatch-export";
  // One slide, one layout, five coloured runs: every member call crosses processes, about 3 ms each under
  // Wine, and a deck with a designer's eleven layouts takes a minute and a half.
  const std::string deck = Deck("pptx__font-color.pptx");
  std::string overCom = ExportedXml(std::make_shared<ComAutomationRuntime>(), deck, root);
  EXPECT_GT(overCom.size(), 1000u);
  ExpectSameLines(overCom, ExportedXml(LocalEngine(), deck, root));
  std::filesystem::remove_all(root);
}

}  // namespace
}  // namespace quillmere::testing
