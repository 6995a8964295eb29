#pragma once
// The export drivers between the public methods and the writers. Each
// returns a StatusCode and sets xmlPath to the file written.

#include <cstdint>
#include <string>

#include "component/drivers/DriverSupport.h"

namespace quillmere {

std::int32_t GetActivePresentationXML(DriverContext& ctx, std::string& xmlPath, std::string_view outputFolder);
std::int32_t GetSlideXML(DriverContext& ctx, std::string& presentationName, std::int32_t index, std::string& xmlPath,
                         std::string_view outputFolder);
std::int32_t GetPresentationXML(DriverContext& ctx, std::string& presentationName, std::string& xmlPath,
                                std::string_view outputFolder, std::string_view slideList);
std::int32_t GenerateThumbnails(DriverContext& ctx, std::string& presentationName, std::string& xmlPath,
                                std::string_view outputFolder);

}  // namespace quillmere
