#include "support/text/SafeFileName.h"

#include <optional>
#include <vector>

#include "support/text/Text.h"
#include "support/zip/ZipEntryName.h"

namespace quillmere {

bool SafeFileName(std::string_view name, std::string* why) {
  // The zip rules already refuse what could climb out; one name must also be one segment.
  std::optional<std::vector<std::string>> segments = SafeEntryPath(name, why);
  if (!segments) return false;
  const char* reason = nullptr;
  if (name.find_first_of("/\\") != std::string_view::npos)
    reason = "the name holds a path separator";
  else if (TrimSpaces(name).empty())
    reason = "the name is blank";
  if (reason && why) *why = reason;
  return reason == nullptr;
}

}  // namespace quillmere
