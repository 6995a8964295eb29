#pragma once
// Slides made and taken out while a deck is open (Slides.Add, Slides.AddSlide,
// Slide.Delete) and a slide moved to another layout (Slide.Design): the
// temporary slides the design writer makes to read what a layout gives a
// slide. A slide added and deleted again leaves the package as it was: the
// same parts, saved byte for byte as before, and the same slide id, part
// name and relationship id free for the next slide added.
//
// Deleting a slide removes its part, its notes slide, their relationships
// parts and content types, and its entry and relationship in the main part.
// What other parts say of it (a hyperlink to it, a custom show listing it)
// stays as it is.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "engine/model/PresentationDocument.h"

namespace quillmere::engine {

// The slide id the next slide added gets: one above the largest in the main
// part's list (256 for the first), or 0 when none is left below 2^31.
std::uint32_t NextSlideId(PresentationDocument& doc);
// A new slide following the layout, with the layout's placeholders (NewSlide.h),
// at a 0-based position in the slide list (past the end: last), under the
// first "slideN.xml" name no part has. nullopt when no slide id is left.
std::optional<SlideEntry> AddSlide(PresentationDocument& doc, std::size_t position, const std::string& layoutPart);
// False when the slide is not in the list.
bool DeleteSlide(PresentationDocument& doc, const std::string& slidePart);
// The slide follows that layout from now on; its shapes stay as they are.
void SetSlideLayout(PresentationDocument& doc, const std::string& slidePart, const std::string& layoutPart);

}  // namespace quillmere::engine
