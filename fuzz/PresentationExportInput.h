#pragma once
// One fuzz input as a deck: the bytes are written as a .pptx and exported as
// `quillmere presentation --no-images` does, the XML and every extracted file
// going to a folder below workFolder. Anything the sniffer does not take for
// an Open XML package is left there: old binary and OpenDocument decks would
// only reach LibreOffice's converter, which is not ours to fuzz.

#include <cstdint>
#include <filesystem>
#include <span>

namespace quillmere::fuzz {

// workFolder must exist; it is empty again on return. Returns the export's status (StatusCode.h),
// or -1 when the input is no Open XML package.
int ExportPresentationBytes(std::span<const std::uint8_t> bytes, const std::filesystem::path& workFolder);

}  // namespace quillmere::fuzz
