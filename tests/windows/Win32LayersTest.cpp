// The Win32 layers under the shared headers, run under Wine: the registry
// store, the ole32 project-archive reader, the export log's folder and the
// clipboard.
#include <windows.h>
#include <shlobj.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "objectmodel/trace/ExportLog.h"
#include "objectmodel/trace/Trace.h"
#include "support/files/FileSearch.h"
#include "support/files/Paths.h"
#include "support/platform/Clipboard.h"
#include "support/registry/RegistryStore.h"
#include "support/storage/ProjectStorage.h"
#include "support/text/windows/WideText.h"
#include "tests/helpers/TestFiles.h"
#include "utilities/archive/ProjectArchiveWalk.h"
#include "utilities/registry/Registry.h"

namespace quillmere {
namespace {

namespace fs = std::filesystem;

// A folder of its own below the temporary folder, removed afterwards.
class ScratchFolder {
 public:
  ScratchFolder() : path_(fs::temp_directory_path() / ("quillmere-win32-" + RandomName(8))) {
    fs::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  const fs::path& Path() const { return path_; }
  // Our own paths are UTF-8 with '/' between folders on every system.
  std::string Utf8(const std::string& below = "") const {
    std::string path = Narrow((path_ / below).wstring());
    for (char& c : path)
      if (c == '\\') c = '/';
    return path;
  }

 private:
  fs::path path_;
};

// Every root moved below a key of its own for the test, and that key removed afterwards.
class RedirectedRegistry {
 public:
  RedirectedRegistry() : name_("win32-layers-" + RandomName(8)) { SetRegistryFile(name_); }
  ~RedirectedRegistry() {
    SetRegistryFile("");
    std::wstring key = Wide(RedirectedRootPath(name_, kHKeyCurrentUser));
    RegDeleteTreeW(HKEY_CURRENT_USER, key.substr(0, key.rfind(L'\\')).c_str());
  }
  const std::string& Name() const { return name_; }

 private:
  std::string name_;
};

TEST(Win32LayersRegistry, RoundTripsThroughTheSystemRegistry) {
  RedirectedRegistry redirected;
  cRegistry registry;
  registry.SetClassKey(kHKeyCurrentUser);
  registry.SetSectionKey("Software\\Quillmere Test\\Round");
  EXPECT_FALSE(registry.KeyExists());
  EXPECT_TRUE(registry.CreateKey());
  EXPECT_TRUE(registry.KeyExists());

  // A value of that name and type put, then read back.
  auto roundTrip = [&](const char* name, auto type, Value value) {
    registry.SetValueKey(name);
    registry.SetValueType(type);
    registry.SetValue(std::move(value));
    return registry.GetValue();
  };
  EXPECT_EQ(roundTrip("Text", kRegSz, Value("Grüße, 日本")).AsString(), "Grüße, 日本");
  EXPECT_EQ(roundTrip("Number", kRegDword, Value(-5)).AsLong(), -5);
  EXPECT_EQ(roundTrip("Bytes", kRegBinary, Value(std::string("a\0b", 3))).AsString(), std::string("a\0b", 3));
  SetEnvironmentVariableW(L"QUILLMERE_WIN32_TEST", L"expanded");
  EXPECT_EQ(roundTrip("Expandable", kRegExpandSz, Value("%QUILLMERE_WIN32_TEST%\\x")).AsString(), "expanded\\x");

  // The value is in the real registry, where the redirection put it, with its own type.
  std::wstring key =
      Wide(RedirectedRootPath(redirected.Name(), kHKeyCurrentUser)) + L"\\Software\\Quillmere Test\\Round";
  DWORD type = 0, number = 0, size = sizeof number;
  ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, key.c_str(), L"Number", RRF_RT_REG_DWORD, &type, &number, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(static_cast<std::int32_t>(number), -5);

  std::vector<std::string> names;
  std::int32_t count = 0;
  ASSERT_TRUE(registry.EnumerateValues(names, count));
  EXPECT_THAT(names, ::testing::UnorderedElementsAre("Text", "Number", "Bytes", "Expandable"));
  EXPECT_EQ(count, 4);
  registry.SetValueKey("Number");
  EXPECT_TRUE(registry.DeleteValue());
  EXPECT_FALSE(registry.DeleteValue());

  // Sub-keys in alphabetical order; a key that has some is not deleted.
  registry.SetSectionKey("Software\\Quillmere Test\\Round\\b");
  registry.CreateKey();
  registry.SetSectionKey("Software\\Quillmere Test\\Round\\A");
  registry.CreateKey();
  registry.SetSectionKey("Software\\Quillmere Test\\Round");
  ASSERT_TRUE(registry.EnumerateSections(names, count));
  EXPECT_EQ(names, (std::vector<std::string>{"A", "b"}));
  EXPECT_THROW(registry.DeleteKey(), ComError);
  registry.SetSectionKey("Software\\Quillmere Test\\Round\\A");
  EXPECT_TRUE(registry.DeleteKey());
  EXPECT_FALSE(registry.KeyExists());
  registry.SetSectionKey("Software\\Quillmere Test\\Missing\\Key");
  EXPECT_FALSE(registry.EnumerateValues(names, count));
  EXPECT_EQ(count, 0);
}

// Takes every file and enters every folder.
class TakeEverything : public ArchiveWalkPolicy {
 public:
  bool TakeFile(const std::string&) override { return true; }
  bool EnterFolder(const std::string&) override { return true; }
};

std::string Seed(const char* name) { return std::string(QUILLMERE_SOURCE_DIR) + "/fuzz/seeds/project-archive/" + name; }

TEST(Win32LayersProjectArchive, ReadsAnArchiveMadeOnLinuxThroughOle32) {
  ScratchFolder out;
  storage::Handle archive = 0;
  ASSERT_EQ(storage::OpenStorage(Seed("web-object-long-names.qpk"), archive), storage::kStorageOk);
  ArchiveWalkResult walk;
  {
    storage::ScopedFolder open(archive);
    TakeEverything policy;
    walk = WalkProjectArchive(archive, out.Utf8(), policy);
  }
  EXPECT_FALSE(walk.stopped);
  EXPECT_TRUE(walk.problems.empty()) << walk.problems.front();
  EXPECT_EQ(walk.filesWritten, 3u);
  fs::path web = out.Path() / "webobjects" / "A Long Web Folder Name";
  EXPECT_EQ(testing::ReadFile(web / "index.html"), "<html><body>hi</body></html>");
  EXPECT_EQ(testing::ReadFile(web / "images" / "A long picture name.gif"), "GIF89a");
  EXPECT_EQ(testing::ReadFile(out.Path() / "characters" / "c.png"), "x");
  // Nothing is left of the temporary files the copies went through.
  std::size_t files = 0;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(out.Path()))
    files += entry.is_regular_file();
  EXPECT_EQ(files, 3u);
}

TEST(Win32LayersProjectArchive, RefusesWhatIsNoArchiveAndWaitsForWriters) {
  ScratchFolder scratch;
  storage::Handle archive = 0;
  EXPECT_EQ(storage::OpenStorage(scratch.Utf8("missing.qpk"), archive), storage::kStorageNotFound);
  EXPECT_EQ(storage::OpenStorage(scratch.Utf8(), archive), storage::kStorageNotAnArchive);
  std::ofstream(scratch.Path() / "text.qpk") << "not a compound file at all, only some text";
  EXPECT_EQ(storage::OpenStorage(scratch.Utf8("text.qpk"), archive), storage::kStorageNotAnArchive);

  // A header cut short of its directory opens as nothing rather than crashing.
  std::string bytes = testing::ReadFile(Seed("narration.qpk"));
  std::ofstream(scratch.Path() / "cut.qpk", std::ios::binary) << bytes.substr(0, 700);
  std::int32_t cut = storage::OpenStorage(scratch.Utf8("cut.qpk"), archive);
  if (cut == storage::kStorageOk) storage::CloseFolder(archive);
  EXPECT_NE(cut, storage::kStorageOk);

  // A program that has the archive open for writing makes the open busy, so that the caller tries again.
  fs::copy_file(Seed("narration.qpk"), scratch.Path() / "busy.qpk");
  HANDLE writer = CreateFileW((scratch.Path() / "busy.qpk").wstring().c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  EXPECT_EQ(storage::OpenStorage(scratch.Utf8("busy.qpk"), archive), storage::kStorageBusy);
  CloseHandle(writer);
  ASSERT_EQ(storage::OpenStorage(scratch.Utf8("busy.qpk"), archive), storage::kStorageOk);
  storage::ScopedFolder open(archive);
  storage::Handle narration = 0;
  ASSERT_EQ(storage::OpenFolder(archive, u"narration", narration), storage::kStorageOk);
  storage::ScopedFolder openNarration(narration);
  EXPECT_EQ(storage::ReadFile(narration, u"missing.wav", scratch.Utf8("x.wav")), storage::kStorageNotFound);
  EXPECT_EQ(storage::ReadFile(archive, u"narration", scratch.Utf8("x.wav")), storage::kStorageNotFound);
  ASSERT_EQ(storage::ReadFile(narration, u"narration.wav", scratch.Utf8("n.wav")), storage::kStorageOk);
  EXPECT_EQ(testing::ReadFile(scratch.Path() / "n.wav").substr(0, 4), "RIFF");
}

// Our UTF-8 text names files outside the ANSI code page; a host's backslashes stay in the native text only.
TEST(Win32LayersPaths, Utf8TextNamesFilesOutsideTheAnsiCodePage) {
  const std::string name = "\xE6\x97\xA5\xE6\x9C\xAC \xCE\xA9";  // 日本 Ω
  EXPECT_EQ(Utf8Path("C:\\" + name + "\\a.txt").wstring(), L"C:\\\x65E5\x672C \x03A9\\a.txt");
  EXPECT_EQ(Utf8NativeText(Utf8Path("C:\\" + name + "\\a.txt")), "C:\\" + name + "\\a.txt");
  EXPECT_EQ(Utf8Text(Utf8Path("C:\\" + name + "\\a.txt")), "C:/" + name + "/a.txt");

  ScratchFolder scratch;
  const std::string folder = Utf8Text(scratch.Path() / Utf8Path(name)) + "/";
  CreateFolderPath(folder);
  EXPECT_TRUE(FolderExists(folder));
  { std::ofstream(Utf8Path(folder + name + ".txt")) << "x"; }
  EXPECT_TRUE(FileExistsByFind(folder + name + ".txt"));
  EXPECT_TRUE(CopyFileOverwriting(folder + name + ".txt", folder + "copy " + name + ".txt"));
  EXPECT_TRUE(FileExistsByFind(folder + "copy " + name + ".txt"));
  EXPECT_EQ(FindFirstFolder(Utf8Text(scratch.Path())), name);
}

TEST(Win32LayersExportLog, LivesInTheRoamingApplicationDataFolder) {
  RedirectedRegistry redirected;  // LogImport missing: logging on
  wchar_t appData[MAX_PATH] = {};
  ASSERT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData)));
  std::string path = ExportLogPath();
  EXPECT_EQ(path, AddPathSeparator(Narrow(appData)) + "Corvanta/Narravel/export.log");

  DeleteExportLog();
  WriteExportLog("first line");
  WriteExportLog("Grüße");  // in the ANSI code page, as other programs read plain text there
  EXPECT_EQ(testing::ReadFile(fs::path(Wide(path))), "first line\r\n" + AnsiText("Grüße") + "\r\n");
  EXPECT_EQ(AnsiText("Grüße").size(), GetACP() == CP_UTF8 ? 7u : 5u);
}

TEST(Win32LayersClipboard, CarriesRichTextByItsRegisteredFormat) {
  CustomClipboard clipboard, other;
  ClipboardFormat rtf = clipboard.AddFormat(kRichTextFormat);
  EXPECT_EQ(rtf, RegisterClipboardFormatA("Rich Text Format"));

  const std::string text = R"({\rtf1\ansi{\fonttbl{\f0 Symbol;}}\f0 \u61623?})";
  EXPECT_FALSE(clipboard.SetTextData(rtf, text));  // not open yet
  ASSERT_TRUE(clipboard.ClipboardOpen());
  EXPECT_FALSE(other.ClipboardOpen());  // one holder at a time
  ASSERT_TRUE(clipboard.ClearClipboard());
  EXPECT_FALSE(clipboard.IsDataAvailableForFormat(rtf));
  ASSERT_TRUE(clipboard.SetTextData(rtf, text));
  EXPECT_TRUE(clipboard.IsDataAvailableForFormat(rtf));
  EXPECT_EQ(clipboard.GetTextData(rtf), text);
  clipboard.ClipboardClose();

  ASSERT_TRUE(other.ClipboardOpen());
  EXPECT_EQ(other.GetTextData(rtf), text);
  EXPECT_TRUE(other.ClearClipboard());
  EXPECT_FALSE(other.IsDataAvailableForFormat(rtf));
}

// A trace window as the developer's viewer makes one: any top-level window with the property.
class TraceWindowFake {
 public:
  TraceWindowFake() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Receive;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"QuillmereTraceWindowFake";
    RegisterClassW(&windowClass);
    window_ = CreateWindowExW(0, windowClass.lpszClassName, L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                              windowClass.hInstance, nullptr);
    SetPropA(window_, "CorvantaDebugWindow_TRACEWIN", reinterpret_cast<HANDLE>(1));
  }
  ~TraceWindowFake() {
    RemovePropA(window_, "CorvantaDebugWindow_TRACEWIN");
    DestroyWindow(window_);
  }

  // Runs work on a thread of its own (the search is made once per thread) while this thread
  // handles the window's messages, as a viewer's own thread would.
  void WhileTracing(std::function<void()> work) {
    HANDLE tracer = CreateThread(nullptr, 0, Run, &work, 0, nullptr);
    ASSERT_NE(tracer, nullptr);
    while (MsgWaitForMultipleObjects(1, &tracer, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
      MSG message;
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
    CloseHandle(tracer);
  }

  static std::vector<std::string> records;

 private:
  static DWORD WINAPI Run(void* work) {
    (*static_cast<std::function<void()>*>(work))();
    return 0;
  }

  static LRESULT CALLBACK Receive(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_COPYDATA) return DefWindowProcW(window, message, wParam, lParam);
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    records.emplace_back(static_cast<const char*>(data->lpData), data->cbData);
    return TRUE;
  }

  HWND window_ = nullptr;
};
std::vector<std::string> TraceWindowFake::records;

TEST(Win32LayersTrace, SendsRecordsToTheWindowWithTheTraceProperty) {
  TraceWindowFake viewer;
  viewer.WhileTracing([] {
    Trace("a", "b");
    Trace(std::vector<std::string>{"x", "y"}, 7);
  });
  EXPECT_EQ(TraceWindowFake::records, (std::vector<std::string>{"Quillmere: a\tb\t", "Quillmere: x\ty\t7\t"}));
}

}  // namespace
}  // namespace quillmere
