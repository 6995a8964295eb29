#pragma once
// The one error-handling mechanism of the writers and drivers: a procedure is
// a sequence of numbered steps; when a step fails, the procedure's handler
// decides whether to run it again, go on with the next step, or stop.

#include <functional>
#include <string>

#include "objectmodel/automation/ComError.h"

namespace quillmere {

struct ExportContext;

enum class StepAction { Retry, Continue, Stop };

class StepRunner {
 public:
  using Handler = std::function<StepAction(const ComError& error, int step)>;
  explicit StepRunner(Handler handler) : handler_(std::move(handler)) {}

  // Runs body as step number; returns true when it completed. After a Stop,
  // every later step is skipped.
  template <class F>
  bool Step(int number, F&& body) {
    while (!stopped_) {
      StepAction action;
      try {
        body();
        return true;
      } catch (const ComError& e) {
        action = Handle(e, number);
      } catch (const std::exception& e) {
        // Anything else a step throws is handled like an unspecified failure.
        action = Handle(ComError(hr::kUnspecified, e.what()), number);
      }
      if (action == StepAction::Continue) return false;
      if (action == StepAction::Stop) stopped_ = true;
    }
    return false;
  }

  bool Stopped() const { return stopped_; }
  // The most recent error, as a procedure's pending error: number 0 when none.
  HResult LastErrorNumber() const { return lastNumber_; }
  const std::string& LastErrorDescription() const { return lastDescription_; }
  int LastErrorStep() const { return lastStep_; }

 private:
  StepAction Handle(const ComError& e, int step) {
    lastNumber_ = e.Number();
    lastDescription_ = e.Description();
    lastStep_ = step;
    return handler_(e, step);
  }

  Handler handler_;
  bool stopped_ = false;
  HResult lastNumber_ = 0;
  std::string lastDescription_;
  int lastStep_ = 0;
};

// A busy or failing call is retried while the count is at most this (six
// retries in all), this far apart.
inline constexpr int kRetryLimit = 5;
inline constexpr int kRetryDelayMs = 1500;

// The error text of a writer's log: label, number, ": ", description, location, step.
std::string ErrorLogText(const std::string& label, const ComError& error, const std::string& location, int step);

// Writes a writer's error text to export.log. A call refused as aborted is
// refused alike every time (images, when drawing them is turned off), so
// each such refusal is logged once per export, by its description.
void LogWriterError(ExportContext& context, const ComError& error, const std::string& text);

// The handler of the animation and hyperlink writers: every failing step is
// traced and logged as number, ": ", description, location and step; a busy
// PowerPoint is waited for, six times per runner at most, then the step is
// given up like any other.
StepRunner WriterSteps(ExportContext& context, std::string location);

// Runs a read whose failure only leaves out what it would have written.
template <class F>
void LeavingOutOnFailure(F&& body) {
  try {
    body();
  } catch (const std::exception&) {
    // Left out.
  }
}

// A runner for helpers without a handler of their own: a failing step is
// traced and skipped.
StepRunner SkippingSteps(std::string label);

}  // namespace quillmere
