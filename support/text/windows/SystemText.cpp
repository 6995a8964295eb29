#include "support/text/SystemText.h"

#include "support/text/windows/WideText.h"

namespace quillmere {

std::string SystemText(std::string_view utf8) { return AnsiText(utf8); }

}  // namespace quillmere
