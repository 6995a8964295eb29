#pragma once
// What quiz slides, interaction slides and player tabs share: where a package
// file is found, where the project archive's copy lands once extracted, and
// the quiz settings both kinds of quiz write the same way.

#include <cstdint>
#include <string>
#include <string_view>

#include <pugixml.hpp>

namespace quillmere {

struct ExportContext;

// The archive folder that holds every package, below a sub-folder per owner.
inline constexpr std::string_view kEmbeddedContentFolder = "embedded content";

// Extracts a folder of the project archive (for packages always
// kEmbeddedContentFolder) into the output folder; answers true.
bool GetSlideIQOB(ExportContext& context, std::string folderName, const std::string& outputFolder,
                  std::string projectArchivePath);

// The tagged path, or the presentation's folder followed by the file name
// when the tagged path is relative.
std::string ResolvedTaggedPath(ExportContext& context, const std::string& taggedPath);
// The presentation's folder followed by the package's file name.
std::string BesidePresentation(ExportContext& context, const std::string& fileName);

// True when a package file lies at path (a folder is no package).
bool PackageExists(const std::string& path);

// Extracts the project archive's embedded content into the output folder and
// answers where the owner's package lies there: <output folder>embedded
// content/<owner>/<file name>, whether or not the archive held it; empty when
// either part is not a plain name, so a tag cannot point out of the output folder.
std::string ArchivedPackagePath(ExportContext& context, std::string_view owner, std::string_view fileName);

// QZP_ATTEMPTS as the player counts replays: "-1" (no limit) when empty or
// "0", else one less than the attempts.
std::string ReplayCount(ExportContext& context, const std::string& attempts);

// The type and data attributes of a pass or fail element, by the tagged action.
void AddQuizAction(pugi::xml_node element, const std::string& action, const std::string& url,
                   const std::string& slideId);

enum class PackageKind { Quiz, Kindra };

// EncodedType and EncodedVersion of a quiz or interaction slide or player tab:
// the package format the project's version writes.
void AddEncodedType(pugi::xml_node element, PackageKind kind, std::int16_t projectVersion);

// A container of these writers: appended to parent, its first child a line break.
pugi::xml_node AppendPackageContainer(pugi::xml_node parent, std::string_view name);

}  // namespace quillmere
