#pragma once
// The layout members TextFrame and TextFrame2 share: insets, anchoring,
// orientation, wrapping and autosize. They differ only in how AutoSize counts:
// TextFrame knows only "shape to fit text".

#include <vector>

#include "engine/core/EngineObject.h"
#include "engine/model/text/TextBody.h"

namespace quillmere::engine {

template <class Frame>
TextBodyLayout LayoutOf(Frame& f) {
  return ReadTextBodyLayout(*f.shape->doc, f.shape->part, f.shape->element);
}

template <class Frame>
std::vector<Member<Frame>> TextFrameLayoutMembers(bool textToFitShapeCounts) {
  auto points = [](double TextBodyLayout::*margin) {
    return [margin](Frame& f, Args) { return Value(static_cast<float>(LayoutOf(f).*margin)); };
  };
  return {
      {.name = "MarginLeft", .get = points(&TextBodyLayout::marginLeft)},
      {.name = "MarginTop", .get = points(&TextBodyLayout::marginTop)},
      {.name = "MarginRight", .get = points(&TextBodyLayout::marginRight)},
      {.name = "MarginBottom", .get = points(&TextBodyLayout::marginBottom)},
      {.name = "VerticalAnchor", .get = [](Frame& f, Args) { return Value(LayoutOf(f).verticalAnchor); }},
      // msoAnchorNone 1, msoAnchorCenter 2.
      {.name = "HorizontalAnchor", .get = [](Frame& f, Args) { return Value(LayoutOf(f).centred ? 2 : 1); }},
      {.name = "Orientation", .get = [](Frame& f, Args) { return Value(LayoutOf(f).orientation); }},
      {.name = "WordWrap", .get = [](Frame& f, Args) { return MsoBool(LayoutOf(f).wordWrap); }},
      {.name = "AutoSize",
       .get =
           [textToFitShapeCounts](Frame& f, Args) {
             AutoFit fit = LayoutOf(f).autoFit;
             if (fit == AutoFit::TextToFitShape && !textToFitShapeCounts) fit = AutoFit::None;
             return Value(static_cast<int>(fit));
           }},
  };
}

}  // namespace quillmere::engine
