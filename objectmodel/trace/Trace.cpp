#include "objectmodel/trace/Trace.h"

#include <atomic>

#include "objectmodel/automation/ComError.h"
#include "objectmodel/trace/TraceWindow.h"
#include "objectmodel/xml/NumberText.h"

namespace quillmere {
namespace {

constexpr std::string_view kRecordPrefix = "Quillmere: ";
std::atomic<bool> debugToStderr{false};

void SendTraceText(std::initializer_list<TraceValue> values) {
  std::string record(kRecordPrefix);
  for (const TraceValue& value : values)
    for (const std::string& text : value.Texts()) record += text + '\t';
  SendTraceRecord(record);
}

std::string DebugLine(const TraceValue& first) {
  std::string line;
  for (const std::string& text : first.Texts()) line += (line.empty() ? "" : "\t") + text;
  return line;
}

}  // namespace

TraceValue::TraceValue(const Value& value) {
  try {
    texts_.push_back(value.AsString());
  } catch (const ComError&) {
    texts_.emplace_back();  // an object has no text form
  }
}

std::string TraceValue::FloatText(float number) { return FormatSingle(number); }
std::string TraceValue::DoubleText(double number) { return FormatDouble(number); }

bool TraceWanted() {
  return TraceWindowAvailable() || DebugOutputWanted(debugToStderr.load(std::memory_order_relaxed));
}

void SendTrace(std::initializer_list<TraceValue> values) noexcept {
  try {
    if (TraceWindowAvailable()) SendTraceText(values);
    bool toStderr = debugToStderr.load(std::memory_order_relaxed);
    if (DebugOutputWanted(toStderr) && values.size() > 0) WriteDebugOutput(DebugLine(*values.begin()), toStderr);
  } catch (...) {
    // Tracing must not disturb the caller.
  }
}

void SetTraceDebugOutput(bool toStderr) noexcept { debugToStderr.store(toStderr, std::memory_order_relaxed); }

}  // namespace quillmere
