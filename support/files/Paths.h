#pragma once
// Path, folder and name helpers shared by the whole library. Folders handed
// around end in a separator; the separators this library adds are the
// system's own, so that a host on Windows is handed backslashes only.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace quillmere {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';  // Windows takes '/' as well, and cuts at either
#else
inline constexpr char kPathSeparator = '/';
#endif

// This thread's temporary folder: <system temp>/corvanta/lumidesk/<8 random
// characters>/, the same name for the life of the thread, created on demand.
// The system temp folder itself when that folder cannot be made.
std::string GetTempFolder();

// Deletes this thread's temporary folder and everything in it (errors ignored).
void RemoveTempFolder();

// Empty for an empty path; otherwise the path ending in exactly one separator.
std::string AddPathSeparator(std::string_view path);

// The path without one trailing separator.
std::string StripTrailingSeparator(std::string_view path);

// Creates the folder and every missing parent; errors are ignored.
void CreateFolderPath(std::string_view path);

// The path up to and including its last separator; empty when it has none.
std::string GetParentFolder(std::string_view path);

// The name after the last separator, without its extension when asked, then without
// the suffix (compared case-insensitively) when the name is longer and ends with it.
std::string GetFileBaseName(std::string_view path, std::string_view suffix = "", bool stripExtension = false);

// The name after the last '/' or '\': tags hold paths of the author's
// machine, written the way Windows writes them.
std::string TaggedFileName(std::string_view taggedPath);

// `length` characters from A-Z, a-z, 0-9, lower-cased.
std::string RandomName(std::size_t length);

// True when a directory entry of that name exists (a dangling link counts).
bool FileExistsByFind(std::string_view path);

// A file-system path from our UTF-8 text, and the UTF-8 text of a path. On
// Windows a path made from narrow text would read it in the ANSI code page.
std::filesystem::path Utf8Path(std::string_view utf8);
std::string Utf8Text(const std::filesystem::path& path);
// The UTF-8 text of a path with the separators it holds (generic form turns a Windows backslash into '/').
std::string Utf8NativeText(const std::filesystem::path& path);

// True when path names a folder (following links).
bool FolderExists(const std::string& path);

// True when something exists at path (following links); false for an empty or unreadable path.
bool PathExists(const std::string& path);

// Copies source to target, replacing a file already there; false when nothing was copied.
bool CopyFileOverwriting(const std::string& source, const std::string& target);

}  // namespace quillmere
