#include "component/StatusCode.h"

namespace quillmere {

std::string_view StatusCodeName(std::int32_t status) {
  switch (status) {
    case ERR_SUCCESS: return "ERR_SUCCESS";
    case ERR_POWERPOINT_NOT_INSTALLED: return "ERR_POWERPOINT_NOT_INSTALLED";
    case ERR_NO_ACTIVE_PRESENTATION: return "ERR_NO_ACTIVE_PRESENTATION";
    case ERR_POWERPOINT_NOT_VISIBLE: return "ERR_POWERPOINT_NOT_VISIBLE";
    case ERR_PRESENTATION_OPEN_FAILED: return "ERR_PRESENTATION_OPEN_FAILED";
    case ERR_PRESENTATION_EXPORT_FAILURE: return "ERR_PRESENTATION_EXPORT_FAILURE";
    case ERR_DIALOG_OPEN: return "ERR_DIALOG_OPEN";
    case ERR_USER_CANCEL: return "ERR_USER_CANCEL";
    case ERR_READ_ONLY: return "ERR_READ_ONLY";
    case ERR_COM_EXCEPTION: return "ERR_COM_EXCEPTION";
    case ERR_ELEVATION_REQUIRED: return "ERR_ELEVATION_REQUIRED";
    case ERR_PASSWORD_PROTECTED_OPEN_FAILED: return "ERR_PASSWORD_PROTECTED_OPEN_FAILED";
    default: return {};
  }
}

}  // namespace quillmere
