#pragma once
// Sound and movie files handed to the host beside presentationinfo.xml.

#include <string>

namespace quillmere {

struct ExportContext;

// Copies the file into the output folder under its own name; returns the copy's path.
std::string CopyIntoOutputFolder(ExportContext& context, const std::string& source);
// True when the file starts with an ID3 tag ("id3", any case).
bool IsMp3File(const std::string& path);
// Moves the file to the same name with the extension ".mp3"; returns the new path.
std::string RenameToMp3(const std::string& path);

}  // namespace quillmere
