#include "engine/package/LibreOfficeConverter.h"

namespace quillmere::engine {
namespace {

// Linux converts with LibreOffice in a child process; the Windows build runs none.
constexpr const char* kNoConversion =
    "the Windows build opens .pptx, .pptm, .ppsx and .potx files only: converting other formats needs LibreOffice";

}  // namespace

ConversionResult ConvertToPptx(const std::filesystem::path&, const std::filesystem::path&, std::chrono::seconds) {
  return {std::nullopt, kNoConversion};
}

ConversionResult ConvertToPptxWith(const std::filesystem::path&, const std::filesystem::path&,
                                   const std::filesystem::path&, std::chrono::seconds) {
  return {std::nullopt, kNoConversion};
}

}  // namespace quillmere::engine
