#pragma once
// The handler that runs while a driver opens a presentation file. It maps
// elevation and password failures to their status codes, lets a could-not-open
// failure fall through to the second attempt, and retries a busy PowerPoint.

#include <cstdint>
#include <string>

#include "objectmodel/StepRunner.h"

namespace quillmere {

struct ExportContext;

enum class OpenDriver { PresentationExport, Thumbnails };

struct OpenErrorState {
  std::int32_t status = -1;   // set when the handler decided the outcome
  bool runClosingSteps = true;  // false: return at once
  int busyRetries = 0;
};

// Steps of the first open attempt (either version branch).
inline constexpr int kFirstOpenStep2003 = 130;
inline constexpr int kFirstOpenStep2007 = 150;

StepAction HandleOpenError(ExportContext& context, OpenDriver driver, OpenErrorState& state, const ComError& error,
                           int step);

// "P" + number + ": " + description + location + step, as the drivers log it.
std::string OpenErrorLogText(OpenDriver driver, const ComError& error, int step);

}  // namespace quillmere
