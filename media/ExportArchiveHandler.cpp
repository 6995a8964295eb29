#include "media/ExportArchiveHandler.h"

#include "component/ExportState.h"
#include "support/Paths.h"

namespace quillmere {

cProjectFileHandler ExportArchiveHandler(const std::string& outputFolder, std::string projectArchivePath) {
  std::shared_ptr<Sleeper> sleeper = CurrentExportState().sleeper;
  cProjectFileHandler handler(sleeper ? sleeper : MakeRealSleeper());
  handler.SetExtractToFolder(StripTrailingSeparator(outputFolder));
  handler.SetProjectFilename(projectArchivePath);
  return handler;
}

}  // namespace quillmere
