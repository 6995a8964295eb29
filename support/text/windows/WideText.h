#pragma once
// Our UTF-8 text at the edge of the wide-char Win32 calls (wchar_t is UTF-16 there),
// and the system's ANSI code page where a Win32 interface still takes bytes.

#include <string>
#include <string_view>

namespace quillmere {

std::wstring Wide(std::string_view utf8);
std::string Narrow(std::wstring_view wide);
// The text in the system ANSI code page; characters it lacks become its default character.
std::string AnsiText(std::string_view utf8);

}  // namespace quillmere
