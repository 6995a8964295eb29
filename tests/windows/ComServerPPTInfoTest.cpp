// Quillmere.PPTInfo as a host drives it: created by ProgID, its export methods
// called late-bound with by-reference arguments, the optional outputFolder
// left out, and its events connected and answered.

#include <filesystem>
#include <string>

#include "tests/helpers/TestFiles.h"
#include "tests/windows/ComServerTestSupport.h"
#include "tests/windows/WineProcess.h"

namespace {

const IID kPPTInfoEvents = {0x8EF3C4E1, 0x85D6, 0x42DE, {0xA6, 0xED, 0x73, 0xA7, 0xBD, 0x7E, 0xCB, 0x76}};
constexpr LONG kPowerPointNotInstalled = 1;
constexpr LONG kUserCancel = 7;

using ComServerPPTInfo = ComServerTest;

// The test prefix has no PowerPoint.Application: the drivers that test the
// registration first answer 1 before anything else happens.
TEST_F(ComServerPPTInfo, StatusesWithoutPowerPointAndWhatEachMethodDoesToItsArguments) {
  ComPtr<IDispatch> info = Create(L"Quillmere.PPTInfo");
  ASSERT_TRUE(info);
  std::wstring deck = CorpusDeck("pptx__minimal.pptx");

  TextSlot name(deck), xml(L"left as passed");
  LONG index = 1;
  EXPECT_EQ(Status(info.Get(), L"PPTSlide", {name.Ref(), LongRef(index), xml.Ref()}), kPowerPointNotInstalled);
  EXPECT_EQ(xml.Text(), L"");  // the export frame hands back its empty path
  EXPECT_EQ(name.Text(), deck);

  TextSlot thumbsXml(L"left as passed"), folder(L"");
  EXPECT_EQ(Status(info.Get(), L"GenerateThumbnails", {name.Ref(), thumbsXml.Ref(), folder.Ref()}),
            kPowerPointNotInstalled);
  EXPECT_EQ(thumbsXml.Text(), L"left as passed");

  // Through the object's own slots: PPTSlides does nothing and succeeds, and
  // SkipUnusedLayouts keeps what is put.
  LONG slides = 3;
  TextSlot slidesXml(L"untouched");
  EXPECT_EQ(Status(info.Get(), L"PPTSlides", {name.Ref(), LongRef(slides), slidesXml.Ref()}), 0);
  EXPECT_EQ(slidesXml.Text(), L"untouched");
  EXPECT_EQ(slides, 3);
  Result skip;
  ASSERT_EQ(Call(info.Get(), L"SkipUnusedLayouts", DISPATCH_PROPERTYGET, {}, &skip.value), S_OK);
  EXPECT_EQ(V_BOOL(&skip.value), VARIANT_FALSE);
  ASSERT_EQ(Call(info.Get(), L"SkipUnusedLayouts", DISPATCH_PROPERTYPUT, {BoolValue(true)}), S_OK);
  ASSERT_EQ(Call(info.Get(), L"SkipUnusedLayouts", DISPATCH_PROPERTYGET, {}, &skip.value), S_OK);
  EXPECT_EQ(V_BOOL(&skip.value), VARIANT_TRUE);
}

// The presentation engine's automation server answers as PowerPoint in this
// suite. PPTSlide is the export that neither quits PowerPoint nor waits for it
// to settle, so these tests never sleep.
class ComServerPPTInfoWithEngine : public ComServerTest {
 protected:
  static void SetUpTestSuite() {
    ComServerTest::SetUpTestSuite();
    ASSERT_EQ(quillmere::testing::RunProgram(Engine(), L"/RegServer /As:PowerPoint.Application"), 0);
  }
  static void TearDownTestSuite() {
    EXPECT_EQ(quillmere::testing::RunProgram(Engine(), L"/UnregServer /As:PowerPoint.Application"), 0);
    ComServerTest::TearDownTestSuite();
  }
  static std::wstring Engine() { return BesideTestProgram(L"QuillmereEngine.exe"); }
};

struct EventLog {
  int aborts = 0;
  int progress = 0;
  bool progressWithinMax = true;
  bool cancel = false;
  RecordingSink::Handler Handler() {
    return [this](DISPID event, std::vector<VARIANT*>& args) {
      if (event == 1) {
        ++aborts;
        if (cancel) *V_BOOLREF(args[0]) = VARIANT_TRUE;
      } else if (event == 2) {
        ++progress;
        progressWithinMax = progressWithinMax && *V_I4REF(args[0]) <= *V_I4REF(args[1]);
      }
    };
  }
};

TEST_F(ComServerPPTInfoWithEngine, SlideExportRaisesEventsAndHandsBackTheXmlPath) {
  ComPtr<IDispatch> info = Create(L"Quillmere.PPTInfo");
  ASSERT_TRUE(info);
  EventLog log;
  RecordingSink sink(kPPTInfoEvents, log.Handler());
  Connection connection(info.Get(), kPPTInfoEvents, &sink);
  ASSERT_EQ(connection.Status(), S_OK);

  // A trailing NUL, as some hosts pass the name, is cut off by the call.
  std::wstring deck = CorpusDeck("pptx__txt-text.pptx");
  TextSlot name(deck + std::wstring(1, L'\0') + L"junk"), xml(L""), folder(L"");
  LONG index = 1;
  EXPECT_EQ(Status(info.Get(), L"PPTSlide", {name.Ref(), LongRef(index), xml.Ref(), folder.Ref()}), 0);
  EXPECT_EQ(name.Text(), deck);
  EXPECT_NE(GetFileAttributesW(xml.Text().c_str()), INVALID_FILE_ATTRIBUTES) << testing::PrintToString(xml.Text());
  EXPECT_NE(xml.Text().find(L"presentationinfo.xml"), std::wstring::npos);
  EXPECT_GT(log.progress, 0);
  EXPECT_TRUE(log.progressWithinMax);
}

TEST_F(ComServerPPTInfoWithEngine, CancelInTheFirstAbortConversionStopsEveryLaterExport) {
  ComPtr<IDispatch> info = Create(L"Quillmere.PPTInfo");
  ASSERT_TRUE(info);
  ComPtr<IProvideClassInfo2> classInfo;
  ASSERT_EQ(info.As(&classInfo), S_OK);
  GUID source{};
  ASSERT_EQ(classInfo->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source), S_OK);
  EXPECT_EQ(source, kPPTInfoEvents);
  ComPtr<IConnectionPointContainer> container;
  ComPtr<IConnectionPoint> wrongPoint;
  ASSERT_EQ(info.As(&container), S_OK);
  EXPECT_EQ(container->FindConnectionPoint(IID_IDispatch, &wrongPoint), CONNECT_E_NOCONNECTION);
  ComPtr<IEnumConnectionPoints> points;
  ASSERT_EQ(container->EnumConnectionPoints(&points), S_OK);
  IConnectionPoint* listed[2] = {};
  ULONG fetched = 0;
  EXPECT_EQ(points->Next(2, listed, &fetched), S_FALSE);
  ASSERT_EQ(fetched, 1u);
  IID listedIid{};
  listed[0]->GetConnectionInterface(&listedIid);
  listed[0]->Release();
  EXPECT_EQ(listedIid, kPPTInfoEvents);

  EventLog log;
  log.cancel = true;
  RecordingSink sink(kPPTInfoEvents, log.Handler());
  Connection connection(info.Get(), kPPTInfoEvents, &sink);
  ASSERT_EQ(connection.Status(), S_OK);
  std::wstring deck = CorpusDeck("pptx__txt-text.pptx");
  for (int call = 1; call <= 2; ++call) {
    SCOPED_TRACE(call);
    TextSlot name(deck), xml(L"");
    LONG index = 1;
    EXPECT_EQ(Status(info.Get(), L"PPTSlide", {name.Ref(), LongRef(index), xml.Ref()}), kUserCancel);
    EXPECT_EQ(xml.Text(), L"");
  }
  // The cancel flag stays set: the second export stops without asking again.
  EXPECT_EQ(log.aborts, 1);

  // The second export attached to the PowerPoint the first one started, so by the drivers' rule
  // nobody quits it: the test does.
  CLSID clsid;
  ComPtr<IUnknown> running;
  ComPtr<IDispatch> application;
  ASSERT_EQ(CLSIDFromProgID(L"PowerPoint.Application", &clsid), S_OK);
  ASSERT_EQ(GetActiveObject(clsid, nullptr, &running), S_OK);
  ASSERT_EQ(running.As(&application), S_OK);
  EXPECT_EQ(Call(application.Get(), L"Quit", DISPATCH_METHOD), S_OK);
}

// A host whose PowerPoint is running already: every export attaches to it and
// leaves it running (each still settles for 2 s after closing, as defined).
// The whole presentation, a selection and the thumbnails hand back their files.
TEST_F(ComServerPPTInfoWithEngine, ExportsThroughARunningPowerPointHandBackTheirFiles) {
  ComPtr<IDispatch> powerPoint = Create(L"PowerPoint.Application", CLSCTX_LOCAL_SERVER);
  ASSERT_TRUE(powerPoint);
  ComPtr<IDispatch> info = Create(L"Quillmere.PPTInfo");
  ASSERT_TRUE(info);
  const std::filesystem::path root =
      std::filesystem::temp_directory_path() / ("quillmere-dll-" + std::to_string(GetCurrentProcessId()));
  const std::wstring deck = CorpusDeck("pptx__txt-text.pptx");
  auto run = [&](const wchar_t* method, std::vector<VARIANT> arguments) {
    return Status(info.Get(), method, std::move(arguments));
  };

  // The folder as a host writes it, with backslashes and a trailing one.
  const std::wstring whole = (root / "whole").wstring() + L"\\";
  TextSlot name(deck), xml(L""), folder(whole);
  ASSERT_EQ(run(L"PPTPresentation", {name.Ref(), xml.Ref(), folder.Ref()}), 0);
  EXPECT_EQ(xml.Text(), whole + L"presentationinfo.xml");
  EXPECT_NE(quillmere::testing::ReadFile(std::filesystem::path(xml.Text())).find("<SlideCount>"), std::string::npos);

  // Every path handed back uses backslashes only: a folder without its trailing separator gets one.
  TextSlot list(L"2|1"), selectionXml(L""), selectionFolder((root / "selection").wstring());
  EXPECT_EQ(run(L"PPTSlideSelection", {name.Ref(), list.Ref(), selectionXml.Ref(), selectionFolder.Ref()}), 0);
  EXPECT_EQ(selectionXml.Text(), selectionFolder.Text() + L"\\presentationinfo.xml");
  EXPECT_NE(GetFileAttributesW(selectionXml.Text().c_str()), INVALID_FILE_ATTRIBUTES);

  // Without a folder, the library's own temporary one: ...\corvanta\lumidesk\<name>\.
  TextSlot thumbnailsXml(L"");
  EXPECT_EQ(run(L"GenerateThumbnails", {name.Ref(), thumbnailsXml.Ref()}), 0);
  const std::wstring thumbnails = thumbnailsXml.Text();
  EXPECT_NE(thumbnails.find(L"\\corvanta\\lumidesk\\"), std::wstring::npos)
      << std::filesystem::path(thumbnails).string();
  EXPECT_EQ(thumbnails.find(L'/'), std::wstring::npos) << std::filesystem::path(thumbnails).string();
  EXPECT_TRUE(thumbnails.ends_with(L"\\thumbnails.xml")) << std::filesystem::path(thumbnails).string();
  EXPECT_NE(GetFileAttributesW(thumbnails.c_str()), INVALID_FILE_ATTRIBUTES);

  EXPECT_EQ(Call(powerPoint.Get(), L"Quit", DISPATCH_METHOD), S_OK);
  std::error_code ec;
  std::filesystem::remove_all(root, ec);
}

}  // namespace
