#pragma once
// Where each deck of a batch goes: a folder of its own under the batch's
// output folder, named after the deck's file.

#include <filesystem>
#include <string>
#include <vector>

namespace quillmere::cli {

// One folder name per deck, in order: the deck's file name without its
// extension ("q3-review" for "talks/q3-review.pptx"), or "deck" when that is
// empty, "." or "..". A name already taken, ignoring case, gets "-2", "-3"...
// Every result is a single plain name, so root / name stays below root.
std::vector<std::string> DeckFolderNames(const std::vector<std::string>& decks);

}  // namespace quillmere::cli
