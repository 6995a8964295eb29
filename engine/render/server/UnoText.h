#pragma once
// Text between our UTF-8 strings and LibreOffice's UTF-16 strings and URLs.

#include <osl/file.hxx>
#include <rtl/ustring.hxx>

#include <stdexcept>
#include <string>
#include <string_view>

namespace quillmere::engine::render {

using ::rtl::OUString;

// Bytes that are not UTF-8 are taken as they are rather than refused.
inline OUString ToUno(std::string_view text) {
  return rtl::OStringToOUString(rtl::OString(text.data(), static_cast<sal_Int32>(text.size())), RTL_TEXTENCODING_UTF8);
}

inline std::string FromUno(const OUString& text) {
  rtl::OString utf8 = rtl::OUStringToOString(text, RTL_TEXTENCODING_UTF8);
  return std::string(utf8.getStr(), static_cast<size_t>(utf8.getLength()));
}

// The file URL of an absolute path. Throws std::runtime_error for a relative one.
inline OUString FileUrl(const std::string& absolutePath) {
  OUString url;
  if (osl::FileBase::getFileURLFromSystemPath(ToUno(absolutePath), url) != osl::FileBase::E_None)
    throw std::runtime_error("not an absolute path: " + absolutePath);
  return url;
}

}  // namespace quillmere::engine::render
