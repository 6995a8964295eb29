#pragma once
// The relationships parts of the slides in a copy of the deck drawn for shape
// images (engine/objects/ShapeDrawingCopy.h).

#include <string>

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

}  // namespace quillmere::engine
