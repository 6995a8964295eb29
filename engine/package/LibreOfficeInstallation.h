#pragma once
// Finding LibreOffice and starting it headless with a private profile: shared
// by the one-shot converter and the persistent render server.

#include <filesystem>
#include <string>
#include <vector>

namespace quillmere::engine {

// The soffice executable found on PATH or in the usual install folders; empty when none.
std::filesystem::path FindSoffice();

// A regular file this process may execute.
bool IsExecutable(const std::filesystem::path& file);

// The options every headless start takes, the private profile first: two
// instances sharing a profile block or fail, so each gets its own folder.
std::vector<std::string> HeadlessOfficeArguments(const std::filesystem::path& absoluteProfileFolder);

// The folder the soffice program really lives in (links followed); empty when it does not exist.
std::filesystem::path OfficeProgramFolder(const std::filesystem::path& soffice);

// The version the installation's configuration gives itself ("7.4": ooSetupVersion in
// share/registry/main.xcd beside its program folder); empty when it is not found.
std::string InstalledOfficeVersion(const std::filesystem::path& soffice);

// The build the installation names in program/versionrc ("40(Build:2)"); empty when it is not found.
std::string InstalledOfficeBuildId(const std::filesystem::path& soffice);

// Prepares a new private profile so that the office's first start in it is an ordinary one. The
// office takes a profile that has not recorded the version it last ran for one just upgraded and
// runs its graphics self-tests, seconds of drawing, at every start (a headless office never records
// it); and without the build its extension cache was made for, it clears that cache and asks to be
// started again. A profile that has settings already is left alone.
void SeedOfficeProfile(const std::filesystem::path& soffice, const std::filesystem::path& profile);

// What LibreOffice printed into its log, shortened for an error text: its
// "Error:" lines when it printed any, as the rest is start-up noise.
std::string OfficeOutputSummary(const std::filesystem::path& log);

}  // namespace quillmere::engine
