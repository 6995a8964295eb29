#pragma once
// What a failing status means, in the one line the tool prints for it.

#include <cstdint>
#include <string>
#include <string_view>

namespace quillmere::cli {

// "quillmere: deck.pptx: the presentation is password protected
// (status 11, ERR_PASSWORD_PROTECTED_OPEN_FAILED)"
std::string StatusLine(std::string_view deck, std::int32_t status);

}  // namespace quillmere::cli
