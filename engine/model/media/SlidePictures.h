#pragma once
// The picture parts a presentation's slides show: those of their pictures,
// picture and texture fills, backgrounds and picture bullets (a:blip), and
// the SVG picture (asvg:svgBlip) beside its fallback, in slide order, then in
// the order of the slide's XML, each part once.

#include <string>
#include <vector>

#include "engine/model/document/PresentationDocument.h"

namespace quillmere::engine {

// Parts the package lacks, and links to files outside it, are left out.
std::vector<std::string> SlidePictureParts(PresentationDocument& doc);

}  // namespace quillmere::engine
