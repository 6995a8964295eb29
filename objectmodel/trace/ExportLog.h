#pragma once
// export.log: the log lines of the current import, in the user's
// application-data folder, one line (ended by CR LF) per message. Nothing here
// ever throws; a folder or file that cannot be written loses the line.

#include <string>
#include <string_view>

namespace quillmere {

// <XDG_DATA_HOME or ~/.local/share>/Corvanta/Narravel/export.log; empty when
// no application-data folder is known.
std::string ExportLogPath();

// Traces the message, then appends it to export.log when the host's LogImport
// option is "1" (also when it is missing).
void WriteExportLog(std::string_view message) noexcept;

// Deletes export.log whatever the LogImport option says.
void DeleteExportLog() noexcept;

}  // namespace quillmere
