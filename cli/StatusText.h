#pragma once
// What a failing status means, in the one line the tool prints for it.

#include <cstdint>
#include <string>
#include <string_view>

namespace quillmere::cli {

// "quillmere: deck.pptx: the presentation is password protected
// (status 11, ERR_PASSWORD_PROTECTED_OPEN_FAILED)"; a reason, when known,
// follows the meaning: "... could not be opened: the zip is damaged (status 4, ...)".
std::string StatusLine(std::string_view deck, std::int32_t status, std::string_view reason = {});

// What the status means, with the reason after it when known: "the
// presentation could not be opened: the zip is damaged".
std::string StatusMessage(std::int32_t status, std::string_view reason = {});

// Why a deck could not be opened, from what PowerPoint said: the words in its
// "could not open the file. (...)", without the deck's path before them.
std::string OpenFailureReason(std::string_view description, std::string_view deck);

}  // namespace quillmere::cli
