#pragma once
// The PpSlideLayout a slide answers for the type of its layout part.

#include <string_view>

namespace quillmere::engine {

// The PpSlideLayout of a p:sldLayout type token; "" (no type) and unknown
// tokens are custom layouts, as "cust" is.
int SlideLayoutOf(std::string_view layoutType);

}  // namespace quillmere::engine
