#pragma once
// The named colours of a:prstClr.

#include <cstdint>
#include <optional>
#include <string_view>

namespace quillmere::engine {

// 0xRRGGBB of a preset colour name ("aliceBlue", "dkRed", "ltGray", ...), or
// nothing for a name no preset has.
std::optional<std::uint32_t> PresetColor(std::string_view name);

}  // namespace quillmere::engine
