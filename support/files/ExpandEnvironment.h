#pragma once
// Environment references in stored texts, in the Windows form %NAME% and, on
// Linux, the shell forms ${NAME} and $NAME. Names that are not set stay as written.

#include <string>
#include <string_view>

namespace quillmere {

std::string ExpandEnvironmentStrings(std::string_view text);

}  // namespace quillmere
