#pragma once
// The colour context of a slide, layout or master: the colours its theme
// slots show, directly and through the colour map in effect there.

#include <string>

#include "engine/model/document/PresentationDocument.h"
#include "engine/model/format/ColorResolution.h"

namespace quillmere::engine {

ColorContext ColorContextOf(PresentationDocument& doc, const std::string& part);

}  // namespace quillmere::engine
