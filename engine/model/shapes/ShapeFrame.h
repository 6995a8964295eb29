#pragma once
// A shape's position and size, in points or EMU as the function handing it out says.

namespace quillmere::engine {

struct Frame {
  double left = 0, top = 0, width = 0, height = 0;
};

}  // namespace quillmere::engine
