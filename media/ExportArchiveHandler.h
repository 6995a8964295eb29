#pragma once
// The project archive's handler as the export's writers use it: extracting
// into the output folder, waiting through the export's sleeper.

#include <string>
#include <string_view>

#include "utilities/archive/ProjectFileHandler.h"

namespace quillmere {

struct ExportContext;

cProjectFileHandler ExportArchiveHandler(ExportContext& context, const std::string& outputFolder,
                                         std::string projectArchivePath);

// Extracts the archive's folder of that name into the output folder and logs
// "<caller> Exit code - " with the handler's exit code; failures are only
// logged. A folder already extracted in this export is not read again.
void ExtractArchiveFolder(ExportContext& context, std::string folderName, const std::string& outputFolder,
                          std::string projectArchivePath, std::string_view caller);

}  // namespace quillmere
