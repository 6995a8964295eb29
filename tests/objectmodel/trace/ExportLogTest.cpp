#include "objectmodel/trace/ExportLog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/registry/Settings.h"
#include "tests/helpers/IsolatedUserFolders.h"
#include "tests/helpers/TestFiles.h"
#include "tests/objectmodel/trace/TraceSocketReceiver.h"

namespace quillmere {
namespace {

namespace fs = std::filesystem;
using testing::OnNewThread;
using ExportLogTest = testing::IsolatedUserFolders;

TEST_F(ExportLogTest, AppendsCrLfLinesAndIsTraced) {
  fs::path log = Folder("data") / "Corvanta" / "Narravel" / "export.log";
  EXPECT_EQ(ExportLogPath(), log.string());
  testing::TraceSocketReceiver viewer;
  OnNewThread([] {
    WriteExportLog("first line");
    WriteExportLog("second line");
  });
  EXPECT_EQ(testing::ReadFile(log), "first line\r\nsecond line\r\n");
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
  EXPECT_EQ(testing::ReadFile(log), "kept\r\n");
  EXPECT_EQ(viewer.Next(), "Quillmere: not logged\t");

  DeleteExportLog();
  EXPECT_FALSE(fs::exists(log));
}

TEST_F(ExportLogTest, UnwritableFolderIsSkipped) {
  // A file where the log's folder should be: the line still reaches the trace, nothing is thrown or
  // overwritten, and the log works again once the folder can be made.
  fs::path blocker = Folder("data") / "Corvanta";
  std::ofstream(blocker) << "a file where the folder should be";
  testing::TraceSocketReceiver viewer;
  OnNewThread([] {
    WriteExportLog("lost");
    DeleteExportLog();
  });
  EXPECT_EQ(viewer.Next(), "Quillmere: lost\t");
  EXPECT_EQ(testing::ReadFile(blocker), "a file where the folder should be");

  fs::remove(blocker);
  OnNewThread([] { WriteExportLog("kept"); });
  EXPECT_EQ(testing::ReadFile(blocker / "Narravel" / "export.log"), "kept\r\n");
}

}  // namespace
}  // namespace quillmere
