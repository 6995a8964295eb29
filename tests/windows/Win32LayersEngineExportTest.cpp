// Whole exports of corpus decks through the in-process engine on Windows,
// compared with what the Linux build wrote for the same decks. The Linux test
// build (cmake/WindowsTests.cmake) writes them and names their folder in
// QUILLMERE_LINUX_EXPORTS, one sub-folder per corpus deck.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "component/PPTInfo.h"
#include "component/StatusCode.h"
#include "engine/EngineRuntime.h"
#include "support/files/Paths.h"
#include "support/platform/Sleeper.h"
#include "tests/helpers/TestFiles.h"
#include "tests/windows/ComparableExport.h"

namespace quillmere {
namespace {

namespace fs = std::filesystem;

class NoWait : public Sleeper {
 public:
  void Sleep(std::chrono::milliseconds) override {}
};

// The in-process engine as the Windows build runs it: no images drawn.
std::unique_ptr<PPTInfo> EngineInfo() {
  engine::RegisterEngine();
  engine::EngineOptions options;
  options.drawImages = false;
  return std::make_unique<PPTInfo>(
      PPTInfoOptions{std::make_shared<engine::EngineRuntime>(options), std::make_shared<NoWait>()});
}

TEST(Win32LayersEngineExport, WritesWhatTheLinuxBuildWrites) {
  const char* linuxExports = std::getenv("QUILLMERE_LINUX_EXPORTS");
  if (!linuxExports || !*linuxExports)
    GTEST_SKIP() << "QUILLMERE_LINUX_EXPORTS is not set (the Linux test build sets it)";
  // Wine shows the Linux root as Z:, which the Linux build's paths lack.
  const std::string linuxRoot = std::string(linuxExports).substr(2);
  int decks = 0;
  for (const fs::directory_entry& reference : fs::directory_iterator(linuxExports)) {
    std::string deck = reference.path().filename().string();
    SCOPED_TRACE(deck);
    fs::path out = fs::temp_directory_path() / ("quillmere-export-" + RandomName(8)) / deck;
    fs::create_directories(out);
    std::string source = std::string(QUILLMERE_CORPUS_DIR) + "/" + deck + ".pptx", xml,
                outFolder = out.generic_string();
    ASSERT_EQ(EngineInfo()->PPTPresentation(source, xml, outFolder), 0);
    std::string windows = testing::Comparable(testing::ReadFile(xml), AddPathSeparator(outFolder));
    std::string fromLinux = testing::Comparable(testing::ReadFile(reference.path() / "presentationinfo.xml"),
                                                linuxRoot + "/" + deck + "/");
    EXPECT_FALSE(windows.empty());
    testing::ExpectSameLines(windows, fromLinux);
    std::error_code ignored;
    fs::remove_all(out.parent_path(), ignored);
    ++decks;
  }
  EXPECT_GE(decks, 2);
}

// The host's paths reach the library as UTF-8 whatever the machine's ANSI code
// page: a deck and an output folder named in scripts no single code page holds
// export, and the XML names the folder as given.
TEST(Win32LayersEngineExport, PathsOutsideTheAnsiCodePageExport) {
  const std::string folderName = "Pr\xC3\xA4sentation \xCE\xA9 \xE6\x97\xA5\xE6\x9C\xAC";  // Präsentation Ω 日本
  const fs::path root = fs::temp_directory_path() / ("quillmere-" + RandomName(8)) / Utf8Path(folderName);
  fs::create_directories(root);
  const fs::path deck = root / Utf8Path("d\xC3\xA9" "ck \xE6\x97\xA5.pptx");
  fs::copy_file(std::string(QUILLMERE_CORPUS_DIR) + "/pptx__txt-text.pptx", deck);
  const std::string outFolder = Utf8Text(root / "out");
  std::unique_ptr<PPTInfo> info = EngineInfo();
  std::string deckName = Utf8Text(deck), xml;
  ASSERT_EQ(info->PPTPresentation(deckName, xml, outFolder), 0) << info->OpenFailure();
  const fs::path written = Utf8Path(xml);
  ASSERT_TRUE(fs::is_regular_file(written)) << xml;
  const std::string text = testing::ReadFile(written);
  EXPECT_NE(text.find("<SlideCount>"), std::string::npos);
  EXPECT_NE(text.find(folderName), std::string::npos);
  std::error_code ignored;
  fs::remove_all(root.parent_path(), ignored);
}

// Linux converts old binary decks with LibreOffice; the Windows build runs no helper programs and says so.
TEST(Win32LayersEngineExport, RefusesBinaryDecksWithTheReason) {
  std::unique_ptr<PPTInfo> info = EngineInfo();
  fs::path out = fs::temp_directory_path() / ("quillmere-export-" + RandomName(8));
  fs::create_directories(out);
  std::string source = std::string(QUILLMERE_CORPUS_DIR) + "/poi__42486.ppt", xml;
  EXPECT_EQ(info->PPTPresentation(source, xml, out.generic_string()), ERR_PRESENTATION_OPEN_FAILED);
  EXPECT_NE(info->OpenFailure().find("converting other formats needs LibreOffice"), std::string::npos)
      << info->OpenFailure();
  std::error_code ignored;
  fs::remove_all(out, ignored);
}

}  // namespace
}  // namespace quillmere
