#pragma once
// The presentation Presentations.Add makes: no slides, one 4:3 slide master
// with the Office theme and one blank layout (what Slides.Add with
// ppLayoutBlank needs), made in memory with no file behind it.

#include <memory>

#include "engine/model/document/PresentationDocument.h"

namespace quillmere::engine {

std::shared_ptr<PresentationDocument> NewBlankPresentation();

}  // namespace quillmere::engine
