#pragma once
// A run's text as the host reads it: cut at the paragraph end, line breaks,
// spaces and tabs as character references the host turns back into text.

#include <string>
#include <string_view>

namespace quillmere {

std::string EscapedRunText(std::string_view text);

}  // namespace quillmere
