#include "media/ExportArchiveHandler.h"

#include "objectmodel/ExportContext.h"
#include "objectmodel/StepRunner.h"
#include "objectmodel/trace/ExportLog.h"
#include "support/files/Paths.h"
#include "support/text/Text.h"

namespace quillmere {

cProjectFileHandler ExportArchiveHandler(ExportContext& context, const std::string& outputFolder,
                                         std::string projectArchivePath) {
  std::shared_ptr<Sleeper> sleeper = context.sleeper;
  cProjectFileHandler handler(sleeper ? sleeper : MakeRealSleeper());
  handler.SetExtractToFolder(StripTrailingSeparator(outputFolder));
  handler.SetProjectFilename(projectArchivePath);
  return handler;
}

void ExtractArchiveFolder(ExportContext& context, std::string folderName, const std::string& outputFolder,
                          std::string projectArchivePath, std::string_view caller) {
  // One export asks for the same folder once per slide or tab that lacks its
  // content; its copy in the output folder serves them all.
  std::set<std::string>& extracted = context.extractedArchiveFolders;
  std::string key = LowerAscii(folderName);
  if (extracted.contains(key)) return;
  LeavingOutOnFailure([&] {
    cProjectFileHandler handler = ExportArchiveHandler(context, outputFolder, std::move(projectArchivePath));
    handler.ExtractWO(folderName);
    std::string exitCode = handler.ExitCode();
    WriteExportLog(std::string(caller) + " Exit code - " + exitCode);
    if (exitCode == "0") extracted.insert(key);
  });
}

}  // namespace quillmere
