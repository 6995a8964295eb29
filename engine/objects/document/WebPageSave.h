#pragma once
// A presentation saved as a web page (SaveAs with ppSaveAsHTML): the page,
// and beside it the folder of its supporting files holding each picture the
// slides show as the deck holds it, byte for byte ("image001.png",
// "image002.jpg", ...; SlidePictures.h, PictureFileType.h). Nothing is drawn:
// a picture of a type a page cannot show as it is, or whose part is empty or
// unreadable, is left out. Nothing is written outside the page and that folder.

#include <filesystem>
#include <string_view>

#include "engine/model/document/PresentationDocument.h"

namespace quillmere::engine {

// What PowerPoint appends to a web page's base name to name its supporting-files folder.
inline constexpr std::string_view kSupportingFilesSuffix = "_files";

// The page's folder must exist; the supporting-files folder is made, and
// pictures an earlier save left in it are removed. Throws ComError.
void SaveAsWebPage(PresentationDocument& doc, const std::filesystem::path& page, std::string_view title);

}  // namespace quillmere::engine
