// The status every driver returns for each way PowerPoint can fail, played
// against a scripted PowerPoint of several versions.

#include <gtest/gtest.h>

#include "component/PPTInfo.h"
#include "engine/EngineRuntime.h"
#include "objectmodel/ExportContext.h"
#include "objectmodel/trace/ExportLog.h"
#include "support/registry/Settings.h"
#include "tests/fakes/FakeObject.h"
#include "tests/helpers/IsolatedUserFolders.h"
#include "tests/helpers/TestFiles.h"
#include "tests/helpers/TextPieces.h"
#include "utilities/registry/Registry.h"

namespace quillmere::testing {
namespace {

constexpr const char* kPasswordText =
    "Presentations.Open2007 : The password is incorrect. PowerPoint cannot open the file.";
constexpr const char* kCouldNotOpen = "Presentations.Open2007 : PowerPoint could not open the file.";

class DriverStatusTest : public IsolatedUserFolders {
 protected:
  void Use(int version) {
    ppt = std::make_unique<FakePowerPoint>(version);
    runtime = std::make_shared<FakeRuntime>(ppt->app);
    sleeper = std::make_shared<CountingSleeper>();
    info = std::make_unique<PPTInfo>(PPTInfoOptions{runtime, sleeper});
    out = (Folder("out") / "x").string();
  }
  void Install() { engine::RegisterEngine(); }
  void UseInstalled(int version) {
    Use(version);
    Install();
  }
  std::int32_t Export(std::string name = "/decks/a.pptx") {
    xml = "unchanged";
    return info->PPTPresentation(name, xml, out);
  }
  static std::string Log() { return ReadFile(ExportLogPath()); }

  std::unique_ptr<FakePowerPoint> ppt;
  std::shared_ptr<FakeRuntime> runtime;
  std::shared_ptr<CountingSleeper> sleeper;
  std::unique_ptr<PPTInfo> info;
  std::string out, xml, name = "/decks/a.pptx";
  std::int32_t index = 1;
};

TEST_F(DriverStatusTest, PresentationExportMapsStartAndOpenFailures) {
  // Starting PowerPoint needs elevation: 10; any other start failure: 9.
  Use(12);
  runtime->createError = hr::kElevationRequired;
  EXPECT_EQ(Export(), ERR_ELEVATION_REQUIRED);
  EXPECT_EQ(xml, "");
  runtime->createError = hr::kUnspecified;
  EXPECT_EQ(Export(), ERR_COM_EXCEPTION);

  // How each failure of Open2007 ends: a protected file 11 and the PowerPoint we started is quit again; neither
  // attempt opening 4, PowerPoint left running, both attempts made; elevation asked while opening 10 at once, no
  // closing steps; any other failure of the second attempt 9 with the closing steps. -1: the calls are not counted.
  const std::string password = "GetPresentationXML: -2147467259: " + std::string(kPasswordText) +
                               " in Quillmere.cPPTInfoXML.GenerateThumbnails at line ";
  const std::string couldNot =
      "GetPresentationXML: ERR_PRESENTATION_OPEN_FAILED " + std::string(kCouldNotOpen) + "--2147467259 at 160";
  struct OpenFailure {
    HResult number;
    const char* text;
    std::int32_t status;
    int opens, quits;
    std::string logged;
  };
  for (const OpenFailure& f :
       {OpenFailure{hr::kUnspecified, kPasswordText, ERR_PASSWORD_PROTECTED_OPEN_FAILED, -1, 1, password},
        {hr::kUnspecified, kCouldNotOpen, ERR_PRESENTATION_OPEN_FAILED, 2, 0, couldNot},
        {hr::kElevationRequired, "elevation", ERR_ELEVATION_REQUIRED, -1, 0, ""},
        {hr::kCallRejected, "busy", ERR_COM_EXCEPTION, 2, 1, ""}}) {
    SCOPED_TRACE(f.text);
    Use(12);
    ppt->presentations->Fail("Open2007", f.number, f.text);
    EXPECT_EQ(Export(), f.status);
    if (f.opens >= 0) {
      EXPECT_EQ(ppt->presentations->Calls("Open2007"), f.opens);
    }
    EXPECT_EQ(ppt->app->Calls("Quit"), f.quits);
    ExpectHas(Log(), {f.logged});
  }
}

TEST_F(DriverStatusTest, PresentationExportOpensPerVersionAndRestoresState) {
  for (int version : {10, 11, 12, 14}) {
    SCOPED_TRACE(version);
    Use(version);
    std::string name = std::string("/decks/a.pptx") + '\0' + '\0';
    xml.clear();
    ASSERT_EQ(info->PPTPresentation(name, xml, out), ERR_SUCCESS);
    EXPECT_EQ(name, "/decks/a.pptx");  // cut at the first NUL and handed back
    EXPECT_EQ(ppt->presentations->Calls(version < 12 ? "Open" : "Open2007"), 1);
    EXPECT_EQ(ppt->presentations->Calls(version < 12 ? "Open2007" : "Open"), 0);
    EXPECT_EQ(ppt->app->Peek("AutomationSecurity").AsLong(), 3);
    EXPECT_EQ(ppt->presentation->Puts("Saved").back().AsLong(), -1);
    EXPECT_EQ(ppt->presentation->Calls("Close"), 1);
    EXPECT_EQ(ppt->app->Calls("Quit"), 1);  // started by us
    EXPECT_EQ(ppt->deletedProperties.size(), 1u);
    if (version >= 12) {
      EXPECT_FALSE(ppt->presentation->Peek("Final").AsBool());
    }
    // Only a Open XML capable version saves the copy.
    EXPECT_EQ(ppt->presentation->Calls("SaveCopyAs"), version >= 12 ? 1 : 0);
    EXPECT_EQ(xml, out + "/presentationinfo.xml");
    // The settle wait after quitting goes through the sleeper.
    EXPECT_EQ(sleeper->waits, std::vector<long long>{2000});
  }
  // Attached to a running PowerPoint: it is not quit.
  Use(14);
  runtime->running = true;
  ASSERT_EQ(Export(), ERR_SUCCESS);
  EXPECT_EQ(runtime->createCalls, 0);
  EXPECT_EQ(ppt->app->Calls("Quit"), 0);
}

TEST_F(DriverStatusTest, FirstOpenFailureIsLoggedAndTheSecondAttemptRuns) {
  Use(11);
  ppt->presentations->Fail("Open", hr::kCallRejected, "Call was rejected by callee.", 1);
  ASSERT_EQ(Export(), ERR_SUCCESS);
  EXPECT_EQ(ppt->presentations->Calls("Open"), 2);
  ExpectHas(Log(), {"GenerateThumbnails: -2147418111: Call was rejected by callee. in "
                    "Quillmere.cPPTInfoXML.GenerateThumbnails at line 130"});
}

TEST_F(DriverStatusTest, SlideAndActiveDrivers) {
  Use(12);
  EXPECT_EQ(info->PPTSlide(name, index, xml, out), ERR_POWERPOINT_NOT_INSTALLED);
  EXPECT_EQ(runtime->createCalls, 0);
  EXPECT_EQ(info->PPTActivePresentation(xml, out), ERR_POWERPOINT_NOT_INSTALLED);

  Install();
  // The file is already open: exported in place and left open.
  runtime->running = true;
  ppt->open = true;
  EXPECT_EQ(info->PPTSlide(name, index, xml, out), ERR_SUCCESS);
  EXPECT_EQ(ppt->presentations->Calls("Open2007"), 0);
  EXPECT_EQ(ppt->presentation->Calls("Close"), 0);
  // Not open: opened with every flag false, then closed; a failed open is 4.
  ppt->open = false;
  EXPECT_EQ(info->PPTSlide(name, index, xml, out), ERR_SUCCESS);
  EXPECT_EQ(ppt->presentation->Calls("Close"), 1);
  ppt->presentations->Fail("Open2007", hr::kUnspecified, kPasswordText);
  EXPECT_EQ(info->PPTSlide(name, index, xml, out), ERR_PRESENTATION_OPEN_FAILED);
  EXPECT_EQ(xml, "");

  // Active presentation: not running 9, none open 2, hidden 3, else 0 with Saved restored.
  runtime->running = false;
  EXPECT_EQ(info->PPTActivePresentation(xml, out), ERR_COM_EXCEPTION);
  EXPECT_EQ(runtime->createCalls, 0);
  runtime->running = true;
  EXPECT_EQ(info->PPTActiveSlide(xml, out), ERR_NO_ACTIVE_PRESENTATION);
  ppt->open = true;
  ppt->app->Prop("Visible", 0);
  EXPECT_EQ(info->PPTActivePresentation(xml, out), ERR_POWERPOINT_NOT_VISIBLE);
  ppt->app->Prop("Visible", -1);
  ppt->presentation->Prop("Saved", 0);
  EXPECT_EQ(info->PPTActivePresentation(xml, out), ERR_SUCCESS);
  EXPECT_EQ(ppt->presentation->Puts("Saved").back().AsLong(), 0);
  EXPECT_EQ(ppt->presentation->Calls("Close"), 1);  // left open
  EXPECT_EQ(ppt->app->Calls("Quit"), 0);
}

// Where our setting names another class for PowerPoint (the engine's own
// server on a machine without PowerPoint), that class's registration counts.
TEST_F(DriverStatusTest, TheClassNamedForPowerPointIsTheOneThatMustBeInstalled) {
  Use(12);
  SaveSetting("Quillmere", "Options", "AutomationServer", "Quillmere.PresentationEngine");
  EXPECT_EQ(info->PPTSlide(name, index, xml, out), ERR_POWERPOINT_NOT_INSTALLED);
  cRegistry engine = PowerPointCurrentVersionKey();
  engine.SetValueType(kRegSz);
  engine.SetValue(Value("Quillmere.PresentationEngine.1"));
  EXPECT_NE(info->PPTSlide(name, index, xml, out), ERR_POWERPOINT_NOT_INSTALLED);
  EXPECT_GT(runtime->getCalls + runtime->createCalls, 0);
  SaveSetting("Quillmere", "Options", "AutomationServer", "PowerPoint.Application");
  EXPECT_EQ(info->PPTSlide(name, index, xml, out), ERR_POWERPOINT_NOT_INSTALLED);
}

TEST_F(DriverStatusTest, ThumbnailDriverRetriesBusyAndStopsOnFailure) {
  Use(11);
  xml = "as passed";
  EXPECT_EQ(info->GenerateThumbnails(name, xml, out), ERR_POWERPOINT_NOT_INSTALLED);
  Install();
  runtime->dialogOpen = true;
  EXPECT_EQ(info->GenerateThumbnails(name, xml, out), ERR_DIALOG_OPEN);
  EXPECT_EQ(runtime->createCalls, 0);
  runtime->dialogOpen = false;

  // Busy on every call of the second attempt: six retries 1500 ms apart, then on.
  ppt->presentations->Fail("Open", hr::kCallRejected, "busy");
  EXPECT_EQ(info->GenerateThumbnails(name, xml, out), ERR_PRESENTATION_OPEN_FAILED);
  EXPECT_EQ(xml, "as passed");
  EXPECT_EQ(ppt->presentations->Calls("Open"), 1 + 7);
  EXPECT_EQ(std::count(sleeper->waits.begin(), sleeper->waits.end(), 1500), 6);

  // An unspecified failure after opening: 9 with the closing steps.
  UseInstalled(12);
  ppt->presentation->Fail("Export", hr::kUnspecified, "Presentation.Export : failed");
  EXPECT_EQ(info->GenerateThumbnails(name, xml, out), ERR_COM_EXCEPTION);
  EXPECT_EQ(ppt->app->Calls("Quit"), 1);

  UseInstalled(12);
  ASSERT_EQ(info->GenerateThumbnails(name, xml, out), ERR_SUCCESS);
  EXPECT_EQ(xml, out + "/thumbnails.xml");
  EXPECT_EQ(ppt->deletedProperties.size(), 0u);  // thumbnails leave the copy's properties
}

TEST_F(DriverStatusTest, PublicFrameCancelsAndClampsProgress) {
  Use(12);
  std::int32_t list = 0;
  std::string name = "x";
  xml = "kept";
  EXPECT_EQ(info->PPTSlides(name, list, xml, out), ERR_SUCCESS);
  EXPECT_EQ(xml, "kept");

  std::int32_t lastCurrent = -1, lastMax = -1;
  bool overran = false;
  info->Events().Progress = [&](std::int32_t& c, std::int32_t& m) {
    overran |= c > m;
    lastCurrent = c;
    lastMax = m;
  };
  ASSERT_EQ(Export(), ERR_SUCCESS);
  EXPECT_FALSE(overran);
  // 2 slides of 3 shapes each + 1 design with its turn, its master and the
  // master's 3 shapes + 3, and the last event reports the whole.
  EXPECT_EQ(lastMax, 16);
  EXPECT_EQ(lastCurrent, 16);

  int asked = 0;
  info->Events().AbortConversion = [&](bool& cancel) {
    ++asked;
    cancel = true;
  };
  out = Folder("cancelled").string();
  EXPECT_EQ(Export(), ERR_USER_CANCEL);
  EXPECT_EQ(xml, "");
  EXPECT_FALSE(std::filesystem::exists(out + "/presentationinfo.xml"));
  // The flag is never cleared: the next export is cancelled too, without asking again.
  EXPECT_EQ(Export(), ERR_USER_CANCEL);
  EXPECT_EQ(asked, 1);
}

}  // namespace
}  // namespace quillmere::testing
