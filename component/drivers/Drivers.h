#pragma once
// The export drivers between the public methods and the writers. Each
// returns a StatusCode and sets xmlPath to the file written.

#include <cstdint>
#include <string>

#include "component/drivers/DriverSupport.h"

namespace quillmere {

struct ExportContext;

std::int32_t GetActivePresentationXML(ExportContext& context, DriverContext& ctx, std::string& xmlPath,
                                      std::string_view outputFolder);
std::int32_t GetSlideXML(ExportContext& context, DriverContext& ctx, std::string& presentationName, std::int32_t index,
                         std::string& xmlPath, std::string_view outputFolder);
std::int32_t GetPresentationXML(ExportContext& context, DriverContext& ctx, std::string& presentationName,
                                std::string& xmlPath, std::string_view outputFolder, std::string_view slideList);
std::int32_t GenerateThumbnails(ExportContext& context, DriverContext& ctx, std::string& presentationName,
                                std::string& xmlPath, std::string_view outputFolder);

}  // namespace quillmere
