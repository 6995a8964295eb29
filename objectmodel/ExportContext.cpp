#include "objectmodel/ExportContext.h"

#include <chrono>

#include "objectmodel/powerpoint/PowerPointVersion.h"
#include "objectmodel/xml/NumberText.h"
#include "support/platform/Sleeper.h"

namespace quillmere {

std::int16_t ExportContext::MajorVersion() const { return MajorVersionOf(application); }

std::string ExportContext::PlatformText(float value) const { return FormatSingle(value, decimalSeparator); }

std::string ExportContext::DecimalText(float points, float scale) const {
  std::string text = PlatformText(points * scale);
  const std::string& sep = decimalSeparator;
  if (sep == "." || sep.empty()) return text;
  std::string dotted;
  dotted.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    if (text.compare(pos, sep.size(), sep) == 0) {
      dotted += '.';
      pos += sep.size();
    } else {
      dotted += text[pos++];
    }
  }
  return dotted;
}

void ExportContext::SleepFor(std::int32_t milliseconds) const {
  if (sleeper) sleeper->Sleep(std::chrono::milliseconds(milliseconds));
}

bool ExportContext::CheckAbort() const { return events && events->CheckAbort(); }

void ExportContext::ReportProgress() {
  if (progressCurrent > progressMax) progressCurrent = progressMax;
  if (events) events->ReportProgress(progressCurrent, progressMax);
}

void ExportContext::CountProgress() {
  ++progressCurrent;
  ReportProgress();
}

}  // namespace quillmere
