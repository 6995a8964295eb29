#pragma once
// How a shape lays out its text (a:bodyPr): insets, anchoring, direction,
// wrapping and autofit, each taken from the shape or, for a placeholder, from
// its layout and master counterparts, with the schema's defaults last. A
// table cell (a:tc) gives them in its a:tcPr.

#include <pugixml.hpp>
#include <string>

#include "engine/model/document/PresentationDocument.h"

namespace quillmere::engine {

enum class AutoFit { None, ShapeToFitText, TextToFitShape };

struct TextBodyLayout {
  double marginLeft = 7.2, marginTop = 3.6, marginRight = 7.2, marginBottom = 3.6;  // points
  int verticalAnchor = 1;      // MsoVerticalAnchor
  bool centred = false;        // anchored to the horizontal centre
  int orientation = 1;         // MsoTextOrientation
  bool wordWrap = true;
  AutoFit autoFit = AutoFit::None;
};

TextBodyLayout ReadTextBodyLayout(PresentationDocument& doc, const std::string& part, const pugi::xml_node& shape);

}  // namespace quillmere::engine
