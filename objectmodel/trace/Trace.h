#pragma once
// Trace lines for the developer. A line goes to the trace viewer when one was
// listening at this thread's first trace (a viewer started later is not seen
// by that thread), and its first value to the debug output when that is on.
// Tracing never throws and never waits more than 5 seconds.

#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "objectmodel/automation/Value.h"

namespace quillmere {

// One argument of Trace: a text, a number, a variant, or an array whose
// elements count as separate fields.
class TraceValue {
 public:
  TraceValue(std::string_view text) : texts_{std::string(text)} {}
  TraceValue(const char* text) : TraceValue(std::string_view(text)) {}
  TraceValue(const std::string& text) : TraceValue(std::string_view(text)) {}
  TraceValue(const std::vector<std::string>& items) : texts_(items) {}
  TraceValue(const Value& value);
  template <class N>
    requires std::is_arithmetic_v<N>
  TraceValue(N number) : texts_{NumberText(number)} {}

  const std::vector<std::string>& Texts() const { return texts_; }

 private:
  template <class N>
  static std::string NumberText(N number) {
    if constexpr (std::is_same_v<N, bool>)
      return number ? "True" : "False";
    else if constexpr (std::is_integral_v<N>)
      return std::to_string(number);
    else if constexpr (std::is_same_v<N, float>)
      return FloatText(number);
    else
      return DoubleText(static_cast<double>(number));
  }
  static std::string FloatText(float number);
  static std::string DoubleText(double number);

  std::vector<std::string> texts_;
};

// True when a trace line would go anywhere; looks for the viewer on the
// thread's first call.
bool TraceWanted();
void SendTrace(std::initializer_list<TraceValue> values) noexcept;

template <class First, class... Rest>
void Trace(const First& first, const Rest&... rest) noexcept {
  try {
    if (TraceWanted()) SendTrace({TraceValue(first), TraceValue(rest)...});
  } catch (...) {
    // A value that cannot be formatted loses its line, never the caller's work.
  }
}

// Switches the debug output (the first value of each line, on stderr) on or
// off for the whole process; off at start.
void SetTraceDebugOutput(bool toStderr) noexcept;

}  // namespace quillmere
