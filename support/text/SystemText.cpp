#include "support/text/SystemText.h"

namespace quillmere {

// Linux systems speak UTF-8, our own encoding.
std::string SystemText(std::string_view utf8) { return std::string(utf8); }

}  // namespace quillmere
