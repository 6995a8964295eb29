#include "component/trace/ExportLog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/Settings.h"
#include "tests/support/IsolatedUserFolders.h"
#include "tests/trace/TraceSocketReceiver.h"

namespace quillmere {
namespace {

namespace fs = std::filesystem;
using testing::OnNewThread;
using ExportLogTest = testing::IsolatedUserFolders;

std::string Contents(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST_F(ExportLogTest, AppendsCrLfLinesAndIsTraced) {
  fs::path log = Folder("data") / "Corvanta" / "Narravel" / "export.log";
  EXPECT_EQ(ExportLogPath(), log.string());
  testing::TraceSocketReceiver viewer;
  OnNewThread([] {
    WriteExportLog("first line");
    WriteExportLog("second line");
  });
  EXPECT_EQ(Contents(log), "first line\r\nsecond line\r\n");
  EXPECT_EQ(viewer.Next(), "Quillmere: first line\t");

  DeleteExportLog();
  EXPECT_FALSE(fs::exists(log));
  DeleteExportLog();  // nothing to delete: no effect
}

TEST_F(ExportLogTest, LogImportOffStillTracesAndDeletes) {
  fs::path log = Folder("data") / "Corvanta" / "Narravel" / "export.log";
  OnNewThread([] { WriteExportLog("kept"); });
  SaveSetting("Corvanta Narravel", "Logs", "LogImport", "0");

  testing::TraceSocketReceiver viewer;
  OnNewThread([] { WriteExportLog("not logged"); });
  EXPECT_EQ(Contents(log), "kept\r\n");
  EXPECT_EQ(viewer.Next(), "Quillmere: not logged\t");

  DeleteExportLog();
  EXPECT_FALSE(fs::exists(log));
}

TEST_F(ExportLogTest, UnwritableFolderIsSkipped) {
  std::ofstream(Folder("data") / "Corvanta") << "a file where the folder should be";
  WriteExportLog("lost");
  DeleteExportLog();
  EXPECT_TRUE(fs::is_regular_file(Folder("data") / "Corvanta"));
}

}  // namespace
}  // namespace quillmere
