#pragma once
// The project archive's handler as the export's writers use it: extracting
// into the output folder, waiting through the export's sleeper.

#include <string>

#include "support/ProjectFileHandler.h"

namespace quillmere {

cProjectFileHandler ExportArchiveHandler(const std::string& outputFolder, std::string projectArchivePath);

}  // namespace quillmere
