#pragma once
// One fuzz input as a compound file: the bytes are written as a project
// archive, sniffed as a deck would be, listed and extracted whole as the
// `archive` commands do, and searched for a narration track by
// cProjectFileHandler, everything going to folders below workFolder.

#include <cstdint>
#include <filesystem>
#include <span>

namespace quillmere::fuzz {

// workFolder must exist; it is empty again on return.
void ReadProjectArchiveBytes(std::span<const std::uint8_t> bytes, const std::filesystem::path& workFolder);

}  // namespace quillmere::fuzz
