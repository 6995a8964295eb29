#include "media/ExportArchiveHandler.h"

#include "component/ExportState.h"
#include "component/StepRunner.h"
#include "component/trace/ExportLog.h"
#include "support/Paths.h"

namespace quillmere {

cProjectFileHandler ExportArchiveHandler(const std::string& outputFolder, std::string projectArchivePath) {
  std::shared_ptr<Sleeper> sleeper = CurrentExportState().sleeper;
  cProjectFileHandler handler(sleeper ? sleeper : MakeRealSleeper());
  handler.SetExtractToFolder(StripTrailingSeparator(outputFolder));
  handler.SetProjectFilename(projectArchivePath);
  return handler;
}

void ExtractArchiveFolder(std::string folderName, const std::string& outputFolder, std::string projectArchivePath,
                          std::string_view caller) {
  LeavingOutOnFailure([&] {
    cProjectFileHandler handler = ExportArchiveHandler(outputFolder, std::move(projectArchivePath));
    handler.ExtractWO(folderName);
    WriteExportLog(std::string(caller) + " Exit code - " + handler.ExitCode());
  });
}

}  // namespace quillmere
