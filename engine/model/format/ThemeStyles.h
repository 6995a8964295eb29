#pragma once
// The theme's style matrix (a:fmtScheme): what a shape's p:style references
// (a:fillRef, a:lnRef, a:effectRef with an idx) stand for.

#include <pugixml.hpp>
#include <string>
#include <string_view>

#include "engine/model/document/PresentationDocument.h"

namespace quillmere::engine {

// The root of the theme a slide, layout or master uses (its master's,
// InheritedPartsOf), or an empty node; empty for notes too.
pugi::xml_node ThemeRootOf(PresentationDocument& doc, const std::string& part);

// The a:effectStyle, a:ln or fill entry a style reference (a:effectRef,
// a:lnRef, a:fillRef) names by its idx; fill indexes from 1001 are background
// fills. Empty when there is no reference or its idx is 0.
pugi::xml_node ThemeStyleEntry(PresentationDocument& doc, const std::string& part, const pugi::xml_node& reference);
// The entry the shape's p:style names with `ref` ("effectRef", "lnRef", "fillRef").
pugi::xml_node StyleMatrixEntry(PresentationDocument& doc, const std::string& part, const pugi::xml_node& shape,
                                std::string_view ref);

// A typeface as PowerPoint names it: a theme font reference ("+mj-lt",
// "+mn-ea", ...) becomes the theme's major or minor font of that script.
std::string ResolvedTypeface(PresentationDocument& doc, const std::string& part, std::string_view typeface);

// The colour a style reference carries, which stands for phClr in the entry.
pugi::xml_node ReferenceColor(const pugi::xml_node& reference);
// The colour of the shape's p:style reference `ref`.
pugi::xml_node StyleReferenceColor(const pugi::xml_node& shape, std::string_view ref);

}  // namespace quillmere::engine
