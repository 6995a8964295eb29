#pragma once
// The relationships parts of the slides, and of the presentation, in a copy of the deck drawn for shape
// images (engine/objects/shapes/ShapeDrawingCopy.h).

#include <string>
#include <utility>
#include <vector>

#include "engine/package/Package.h"

namespace quillmere::engine {

// A slide's own relationships without its notes page, which LibreOffice would
// open too.
std::string RelationshipsWithoutNotes(Package& package, const std::string& slidePart);

// Only the relationship to the layout, for the slides left empty.
std::string OnlyLayoutRelationship(const std::string& layoutPart);

// For a slide made of some shapes of a layout or master: every relationship
// of that part its shapes may use (pictures, media, hyperlinks, charts,
// diagrams...) under its own id, so the shapes' r:embed and r:id still hold,
// plus one to the layout the slide follows. Targets are written from the
// package root, so they lead where they did from the slide's folder; a
// target the package lacks is left out, so the shape draws without it.
std::string RelationshipsCarriedOver(Package& package, const std::string& sourcePart, const std::string& layoutPart);

// The part's own relationships and one to each slide listed (id, part name),
// whose ids this fills in with ones the part leaves free.
std::string RelationshipsWithSlides(Package& package, const std::string& part,
                                    std::vector<std::pair<std::string, std::string>>& slides);

}  // namespace quillmere::engine
