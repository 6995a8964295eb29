#include <windows.h>

#include "objectmodel/ExportContext.h"
#include "support/text/windows/WideText.h"

namespace quillmere {

// The user's own setting, as the regional options show it.
std::string GetDecimalSeparator() {
  wchar_t separator[8] = {};
  if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) <= 1) return ".";
  return Narrow(separator);
}

}  // namespace quillmere
