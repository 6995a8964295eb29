#include "cli/StatusText.h"

#include <fmt/format.h>

#include "component/StatusCode.h"
#include "support/text/Text.h"

namespace quillmere::cli {
namespace {

std::string_view Explanation(std::int32_t status) {
  switch (status) {
    case ERR_SUCCESS: return "the export succeeded";
    case ERR_POWERPOINT_NOT_INSTALLED: return "no presentation engine is installed";
    case ERR_NO_ACTIVE_PRESENTATION: return "no presentation is open";
    case ERR_POWERPOINT_NOT_VISIBLE: return "the presentation application is not visible";
    case ERR_PRESENTATION_OPEN_FAILED: return "the presentation could not be opened";
    case ERR_PRESENTATION_EXPORT_FAILURE: return "the presentation could not be exported";
    case ERR_DIALOG_OPEN: return "a dialog is open in the presentation application";
    case ERR_USER_CANCEL: return "the export was cancelled";
    case ERR_READ_ONLY: return "the presentation is read-only";
    case ERR_COM_EXCEPTION: return "the presentation engine reported an error";
    case ERR_ELEVATION_REQUIRED: return "the presentation application runs with other rights than this tool";
    case ERR_PASSWORD_PROTECTED_OPEN_FAILED: return "the presentation is password protected";
    default: return "the export ended with an unknown status";
  }
}

}  // namespace

std::string StatusMessage(std::int32_t status, std::string_view reason) {
  std::string meaning(Explanation(status));
  if (!reason.empty()) meaning += ": " + std::string(reason);
  return meaning;
}

std::string StatusLine(std::string_view deck, std::int32_t status, std::string_view reason) {
  const std::string meaning = StatusMessage(status, reason);
  std::string_view name = StatusCodeName(status);
  if (name.empty()) return fmt::format("quillmere: {}: {} (status {})", deck, meaning, status);
  return fmt::format("quillmere: {}: {} (status {}, {})", deck, meaning, status, name);
}

std::string OpenFailureReason(std::string_view description, std::string_view deck) {
  constexpr std::string_view kOpening = "could not open the file. (";
  std::string_view reason = description;
  if (std::size_t at = reason.find(kOpening); at != std::string_view::npos && reason.ends_with(')'))
    reason = reason.substr(at + kOpening.size(), reason.size() - at - kOpening.size() - 1);
  if (!deck.empty() && reason.starts_with(deck) && reason.substr(deck.size()).starts_with(": "))
    reason.remove_prefix(deck.size() + 2);
  return TrimSpaces(reason);
}

}  // namespace quillmere::cli
