#pragma once
// The public enumerations of the library.

#include <cstdint>
#include <string_view>

namespace quillmere {

enum StatusCode : std::int32_t {
  ERR_SUCCESS = 0,
  ERR_POWERPOINT_NOT_INSTALLED = 1,
  ERR_NO_ACTIVE_PRESENTATION = 2,
  ERR_POWERPOINT_NOT_VISIBLE = 3,
  ERR_PRESENTATION_OPEN_FAILED = 4,
  ERR_PRESENTATION_EXPORT_FAILURE = 5,
  ERR_DIALOG_OPEN = 6,
  ERR_USER_CANCEL = 7,
  ERR_READ_ONLY = 8,
  ERR_COM_EXCEPTION = 9,
  ERR_ELEVATION_REQUIRED = 10,
  ERR_PASSWORD_PROTECTED_OPEN_FAILED = 11,
};

enum ImageFormatType : std::int32_t { GIF = 0, JPG = 1, PNG = 2, BMP = 3, WMF = 4, EMF = 5 };

enum EUZMsgLevel : std::int32_t { euzAllMessages = 0, euzPartialMessages = 1, euzNoMessages = 2 };

enum EUZOverWriteResponse : std::int32_t {
  euzDoNotOverwrite = 100,
  euzOverwriteThisFile = 102,
  euzOverwriteAllFiles = 103,
  euzOverwriteNone = 104,
};

// The enumeration name of a status ("ERR_PASSWORD_PROTECTED_OPEN_FAILED"); empty for unknown values.
std::string_view StatusCodeName(std::int32_t status);

}  // namespace quillmere
