#include "support/SystemText.h"

#include "support/windows/WideText.h"

namespace quillmere {

std::string SystemText(std::string_view utf8) { return AnsiText(utf8); }

}  // namespace quillmere
