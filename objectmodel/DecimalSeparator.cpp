#include <langinfo.h>
#include <locale.h>

#include "objectmodel/ExportContext.h"

namespace quillmere {

std::string GetDecimalSeparator() {
  locale_t loc = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0));
  if (loc == static_cast<locale_t>(0)) return ".";
  std::string sep = nl_langinfo_l(RADIXCHAR, loc);
  freelocale(loc);
  return sep.empty() ? "." : sep;
}

}  // namespace quillmere
