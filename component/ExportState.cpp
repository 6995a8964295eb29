#include "component/ExportState.h"

#include <clocale>
#include <langinfo.h>
#include <locale.h>

#include "support/Sleeper.h"

namespace quillmere {

ExportState& CurrentExportState() {
  thread_local ExportState state;
  return state;
}

std::string GetDecimalSeparator() {
  locale_t loc = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0));
  if (loc == static_cast<locale_t>(0)) return ".";
  std::string sep = nl_langinfo_l(RADIXCHAR, loc);
  freelocale(loc);
  return sep.empty() ? "." : sep;
}

void SleepFor(std::int32_t milliseconds) {
  if (auto& s = CurrentExportState().sleeper) s->Sleep(std::chrono::milliseconds(milliseconds));
}

}  // namespace quillmere
