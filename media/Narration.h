#pragma once
// The audio played with a slide: a track from the project archive, or a
// narration recorded in the application, copied into the output folder's
// "narration" folder.

#include <pugixml.hpp>
#include <string>

#include "objectmodel/automation/Object.h"

namespace quillmere {

struct ExportContext;

// Adds LumideskNarration to slideElement: the path of the slide's narration file, or empty.
void WriteSlideNarration(ExportContext& context, const Object& slide, pugi::xml_node slideElement);

// Extracts the track from the project archive into outputFolder's narration
// folder; true when the file is there afterwards.
bool ExtractProjectNarration(ExportContext& context, const std::string& audioFileName, const std::string& outputFolder,
                             const std::string& projectArchivePath);

// Finds the sound recorded as the slide's narration (a sound that plays
// first on the slide) and writes it into outputFolder's narration folder;
// on true audioPath names the file written.
bool FindPowerPointNarration(ExportContext& context, const std::string& outputFolder, const Object& slide,
                             std::string& audioPath);

}  // namespace quillmere
