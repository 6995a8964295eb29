#pragma once
// LibreOffice (7.4) draws a placeholder whose p:cNvPr says hidden="1" as if
// it were shown; it hides only other shapes. PowerPoint draws neither. The
// copy of an edited deck it draws slides from therefore leaves such
// placeholders out, so that a shape hidden through Visible is not drawn:
// the background export hides every shape of a slide, its title among them.

#include "engine/model/document/PresentationDocument.h"
#include "engine/package/Package.h"

namespace quillmere::engine {

// The slides edited since the deck was opened that hide a top-level
// placeholder, each as it is now without its hidden placeholders.
Package::ReplacedParts SlidesWithoutHiddenPlaceholders(PresentationDocument& doc);

}  // namespace quillmere::engine
