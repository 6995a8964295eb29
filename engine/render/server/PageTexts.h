#pragma once
// What LibreOffice reads as the text of a page's shapes, for the "text"
// request: every shape that can hold text, in z-order, group members in
// their group's place, a table as each of its cells. Failures throw a
// UNO exception.

#include <com/sun/star/drawing/XShapes.hpp>

#include <vector>

#include "engine/render/PageTextWords.h"

namespace quillmere::engine::render {

std::vector<renderprotocol::ShapeText> TextsOfShapes(const css::uno::Reference<css::drawing::XShapes>& shapes);

}  // namespace quillmere::engine::render
