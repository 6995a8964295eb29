#pragma once
// Reaching the files of an export from a request: a name from the URL must
// stay inside the export's folder, whatever it spells.

#include <filesystem>
#include <optional>
#include <string_view>

namespace quillmere::service {

// The regular file that the decoded name (parts separated by '/') names
// inside folder; none when a part is empty, "." or "..", holds a backslash
// or NUL, or is a link, or the file is missing. rawTarget is the request's
// target as sent: an encoded slash or backslash in it is refused too, as
// the decoded name no longer shows where the parts were.
std::optional<std::filesystem::path> ExportFile(const std::filesystem::path& folder, std::string_view name,
                                                std::string_view rawTarget);

// Every regular file under folder, links left out, in a zip at archive.
void ZipFolder(const std::filesystem::path& folder, const std::filesystem::path& archive);

// The Content-Type for a file, by its extension.
std::string_view ContentTypeOf(const std::filesystem::path& file);

}  // namespace quillmere::service
