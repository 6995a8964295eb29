#pragma once
// The notes page PowerPoint makes for a slide that has none: a slide image
// placeholder above an empty notes (body) placeholder.

#include <memory>

#include <pugixml.hpp>

namespace quillmere::engine {

// A p:notes document holding those two placeholders, named as PowerPoint names them.
std::unique_ptr<pugi::xml_document> NewNotesPage();

}  // namespace quillmere::engine
