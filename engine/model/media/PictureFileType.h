#pragma once
// The file type of a picture part, read from its bytes: part names and
// content types written by other tools are often wrong ("image1.png" holding
// a JPEG), and a web page's supporting files are named by what they hold.

#include <string_view>

namespace quillmere::engine {

// The extension PowerPoint gives such a file: "png", "jpg", "gif", "emf",
// "wmf", "emz" or "wmz" (a gzip-compressed metafile, told apart by the part's
// name), "svg", "bmp" or "tif"; "" for anything else (HD Photo, PDF, empty or
// unknown bytes).
std::string_view PictureFileExtension(std::string_view bytes, std::string_view partName);

}  // namespace quillmere::engine
