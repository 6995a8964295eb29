#pragma once

#include <functional>

#include "objectmodel/automation/ComError.h"

namespace quillmere::testing {

// The HRESULT a call fails with, 0 when it succeeds: what a caller's retry rule looks at.
inline HResult ErrorOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const ComError& e) {
    return e.Number();
  }
  return 0;
}

// The error a call fails with, number and description; number 0 when it succeeds.
inline ComError FailureOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const ComError& e) {
    return e;
  }
  return ComError(0, "no error");
}

}  // namespace quillmere::testing
