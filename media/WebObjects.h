#pragma once
// Shapes the authoring application tagged as web objects, Flash movies or
// videos: their WebObject, FlashObject and VideoObject elements, and the
// local content they show copied or extracted into the output folder.
//
// Projects of version 7 and later tag with "WEB_OBJECT_" names and are played
// as videos; older ones use the WO* tags and the Flash player. The slide
// writer works the version out once and hands it in.

#include <cstdint>
#include <string>

#include <pugixml.hpp>

#include "objectmodel/automation/Object.h"

namespace quillmere {

struct ExportContext;

// The media type word of a file name or address: "audio/mp3", "video/wmv",
// "video/mpg", "flash/swf", "flash/flv", "video/mov", "video/rm" or "html".
std::string GetMediaType(const std::string& name);

// The window features of a legacy web object shown in a browser window of its
// own ("menubar=yes,status=no,..."); empty unless WO_CONTROLS is 0, 1 or 2.
std::string BuildBrowserOptions(const Object& shape);

// Appends one WebObject (with its Position) to webObjects; the rest is written
// only when the shape's OVERRIDE_WO says so.
void WriteWebObject(ExportContext& context, const Object& slide, pugi::xml_node webObjects, const Object& shape,
                    std::int16_t projectVersion);
// The Flash movie of a project below version 7, copied into the output folder.
void WriteFlashObject(ExportContext& context, const Object& slide, pugi::xml_node slideElement, const Object& shape);
// The video of a project of version 7 or later.
void WriteVideoObject(ExportContext& context, const Object& slide, pugi::xml_node slideElement, const Object& shape);

// Extract a web-object folder or a Flash movie from the project archive into
// the output folder; both answer true.
bool GetSlideWO(ExportContext& context, std::string folderName, const std::string& outputFolder,
                std::string projectArchivePath);
bool GetSlideFO(ExportContext& context, std::string fileName, const std::string& outputFolder,
                std::string projectArchivePath);

}  // namespace quillmere
