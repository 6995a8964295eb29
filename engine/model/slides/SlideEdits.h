#pragma once
// Slides made and taken out while a deck is open (Slides.Add, Slides.AddSlide,
// Slide.Duplicate, Slide.Delete) and a slide moved to another layout (Slide.Design): the
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
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "engine/model/document/PresentationDocument.h"

namespace quillmere::engine {

// The slide id the next slide added gets: one above the largest in the main
// part's list (256 for the first), or 0 when none is left below 2^31.
std::uint32_t NextSlideId(PresentationDocument& doc);
// A new slide following the layout, with the layout's placeholders (NewSlide.h),
// at a 0-based position in the slide list (past the end: last), under the
// first "slideN.xml" name no part has. nullopt when no slide id is left.
std::optional<SlideEntry> AddSlide(PresentationDocument& doc, std::size_t position, const std::string& layoutPart);
// A copy of a slide as it is now (Slide.Duplicate) right after it, under the
// first free "slideN.xml" name: the same shapes, timing and relationships
// (pictures, media, charts, links and its layout, each to the same part as
// the original's), without its notes page. nullopt when the slide is not in
// the list or no slide id is left.
std::optional<SlideEntry> DuplicateSlide(PresentationDocument& doc, const std::string& slidePart);
// False when the slide is not in the list.
bool DeleteSlide(PresentationDocument& doc, const std::string& slidePart);
// The slide follows that layout from now on; its shapes stay as they are.
void SetSlideLayout(PresentationDocument& doc, const std::string& slidePart, const std::string& layoutPart);
// "…/relationships/" of the types the deck already uses (its slide masters'),
// so that what is added to a strict deck is strict too.
std::string RelationshipTypeBase(PresentationDocument& doc);
// The first "<folder of the main part>/<folder>/<stem>N.xml" no part has:
// FreePartName(doc, "slides/slide") → "ppt/slides/slide3.xml".
std::string FreePartName(PresentationDocument& doc, std::string_view folderAndStem);
// The qualified name of the relationship id attribute of the entries of those
// lists of a part's root ("r:id"), as its entries spell it; "r:id" when none does.
std::string ListRelationshipAttribute(const pugi::xml_node& root, std::initializer_list<std::string_view> lists);

}  // namespace quillmere::engine
