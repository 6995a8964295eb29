#pragma once
// The one error SlideRenderer throws; its text says what went wrong for the
// user. The engine answers it with E_FAIL (0x80004005).

#include <stdexcept>

namespace quillmere::engine {

class RenderError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace quillmere::engine
