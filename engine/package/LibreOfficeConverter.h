#pragma once
// Converts an old binary PowerPoint file or an OpenDocument presentation to
// .pptx with LibreOffice running headless, with a private profile, under a time
// limit (the whole process group is killed when it runs over).

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

#include "engine/package/LibreOfficeInstallation.h"

namespace quillmere::engine {

struct ConversionResult {
  std::optional<std::filesystem::path> pptx;  // set on success
  std::string error;                          // why not, on failure
};

// Converts with FindSoffice(). The .pptx is written to a fresh folder inside
// workFolder, which the caller cleans up; the LibreOffice profile is removed.
ConversionResult ConvertToPptx(const std::filesystem::path& input, const std::filesystem::path& workFolder,
                               std::chrono::seconds timeout = std::chrono::seconds(180));

// The same with a given soffice; an empty or unusable path means LibreOffice is not installed.
ConversionResult ConvertToPptxWith(const std::filesystem::path& soffice, const std::filesystem::path& input,
                                   const std::filesystem::path& workFolder, std::chrono::seconds timeout);

}  // namespace quillmere::engine
