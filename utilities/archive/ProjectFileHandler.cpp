#include "utilities/archive/ProjectFileHandler.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <exception>
#include <filesystem>

#include "objectmodel/trace/ExportLog.h"
#include "objectmodel/trace/Trace.h"
#include "support/files/FileBytes.h"
#include "support/files/Paths.h"
#include "support/storage/ProjectArchiveOpening.h"
#include "support/storage/RelationshipFile.h"
#include "support/text/AutomationDate.h"
#include "support/text/SafeFileName.h"
#include "support/text/Text.h"
#include "support/text/Utf16Units.h"

namespace quillmere {
namespace {

// ExitCode when neither the archive nor its backup could be read.
constexpr std::int32_t kArchiveUnreadable = -2;
// msoAutomationSecurityLow, as the host asks of the PowerPoint it hands over.
constexpr std::int32_t kAutomationSecurityLow = 1;
// Characters of the extraction folder's name that begin the backup's name.
constexpr std::size_t kBackupPrefixLength = 8;

constexpr std::array<std::string_view, 4> kFoldersAlwaysEntered{"narration", "webobjects", "characters", "videos"};

// The files a request takes. Entering any folder sets "inside the wanted
// folder", which only passing the wanted folder clears: from then on every
// folder met is entered and every file in it taken, as the host expects.
class WantedEntries final : public ArchiveWalkPolicy {
 public:
  WantedEntries(const std::string& narration, const std::string& folder, const std::string& movie, bool& inside)
      : narration_(LowerAscii(narration)), folder_(LowerAscii(folder)), movie_(LowerAscii(movie)), inside_(inside) {}

  bool TakeFile(const std::string& storedName) override {
    std::string name = LowerAscii(storedName);
    return name == narration_ || inside_ || name == movie_ || name == kRelationshipFileName;
  }

  bool EnterFolder(const std::string& name) override {
    std::string lower = LowerAscii(name);
    bool always = std::find(kFoldersAlwaysEntered.begin(), kFoldersAlwaysEntered.end(), lower) !=
                  kFoldersAlwaysEntered.end();
    if (always || lower == folder_ || inside_) inside_ = true;
    return inside_;
  }

  void PassedFolder(const std::string& name) override {
    if (LowerAscii(name) == folder_) inside_ = false;
  }

 private:
  std::string narration_, folder_, movie_;
  bool& inside_;
};

}  // namespace

cProjectFileHandler::cProjectFileHandler(std::shared_ptr<Sleeper> sleeper) : sleeper_(std::move(sleeper)) {}

void cProjectFileHandler::ExtractNarration(std::string& AudioFilename) {
  wantedNarration_ = AudioFilename;
  Extract(Wanted::Narration, "ExtractNarration Enter");
}

void cProjectFileHandler::ExtractWO(std::string& FolderName) {
  wantedFolder_ = FolderName;
  Extract(Wanted::WebObject, "ExtractWO Enter");
}

void cProjectFileHandler::ExtractMovie(std::string& MovieName) {
  wantedMovie_ = MovieName;
  Extract(Wanted::Movie, "ExtractMovieEnter");
}

void cProjectFileHandler::SetPPTInstance(Object& Obj) {
  pptInstance_ = Obj;
  try {
    pptInstance_.Put("AutomationSecurity", kAutomationSecurityLow);
  } catch (const std::exception&) {
    // A PowerPoint without the property (or none at all) is kept as it is.
  }
}

double cProjectFileHandler::GetFileTime(std::string& szFilename) const {
  std::error_code error;
  std::filesystem::file_time_type written = std::filesystem::last_write_time(Utf8Path(szFilename), error);
  if (error) return 0.0;
  return AutomationDate(std::chrono::system_clock::to_time_t(std::chrono::file_clock::to_sys(written)));
}

std::vector<std::uint8_t> cProjectFileHandler::GetFileBytes(const std::string& Path,
                                                            std::int32_t truncateToByte) const {
  return ReadFileBytes(Path, truncateToByte);
}

std::string cProjectFileHandler::BackupArchivePath() {
  std::string folder = StripTrailingSeparator(extractToFolder_);
  backupArchiveName_ = std::string(Utf16Slice(GetFileBaseName(folder), 0, kBackupPrefixLength)) + "_" +
                       GetFileBaseName(projectFilename_);
  return AddPathSeparator(GetParentFolder(folder)) + backupArchiveName_;
}

void cProjectFileHandler::Extract(Wanted wanted, const char* enterText) {
  exitCode_ = 0;
  Trace(enterText);
  std::string archive = projectFilename_;
  std::string backup = BackupArchivePath();
  double archiveTime = GetFileTime(archive);
  double backupTime = FileExistsByFind(backup) ? GetFileTime(backup) : 0.0;

  storage::Handle handle = 0;
  bool backupUsed = archiveTime < backupTime && FileExistsByFind(backup) &&
                    storage::OpenStorage(backup, handle) == storage::kStorageOk;
  if (!backupUsed) {
    Trace("XT: Openning storage...");
    if (!FileExistsByFind(archive)) return;
    if (!OpenArchiveOrBackup(backup, handle, backupUsed)) {
      exitCode_ = kArchiveUnreadable;
      return;
    }
  }

  std::string folder = StripTrailingSeparator(extractToFolder_);
  std::error_code ignored;
  if (!FolderExists(folder)) std::filesystem::create_directory(Utf8Path(folder), ignored);
  WantedEntries policy(wantedNarration_, wantedFolder_, wantedMovie_, insideWantedFolder_);
  ArchiveWalkResult walk;
  {
    storage::ScopedFolder open(handle);
    walk = WalkProjectArchive(handle, folder, policy);
  }
  if (wanted == Wanted::Narration) RenameFileToLFN("");
  if (wanted == Wanted::Movie) RenameFileToLFN(wantedMovie_);
  exitCode_ = walk.stopped ? kArchiveUnreadable : 0;
  // A backup that served is spent; a damaged one stays for the authoring application to judge.
  if (backupUsed && !walk.stopped && FileExistsByFind(backup)) std::filesystem::remove(Utf8Path(backup), ignored);
}

bool cProjectFileHandler::OpenArchiveOrBackup(const std::string& backupPath, storage::Handle& handle,
                                              bool& backupUsed) {
  std::int32_t status = OpenStorageRetrying(projectFilename_, *sleeper_, handle);
  if (status == storage::kStorageOk) return true;
  WriteExportLog("Project archive: " + projectFilename_ + " cannot be opened: " + StorageStatusText(status));
  if (!FileExistsByFind(backupPath)) return false;
  status = storage::OpenStorage(backupPath, handle);
  if (status != storage::kStorageOk) {
    WriteExportLog("Project archive: the backup " + backupPath + " cannot be opened: " + StorageStatusText(status));
    return false;
  }
  backupUsed = true;
  return true;
}

void cProjectFileHandler::RenameFileToLFN(const std::string& name) {
  std::string folder = StripTrailingSeparator(extractToFolder_);
  std::string list = folder + "/" + std::string(kRelationshipFileName);
  if (!FileExistsByFind(list)) {
    Trace("RenameFileToLFN: No relationship file");
    return;
  }
  std::string wanted = LowerAscii(name);
  std::error_code ignored;
  for (const NamePair& pair : ReadRelationshipFile(list)) {
    if ((!wanted.empty() && wanted != LowerAscii(pair.shortName)) || pair.shortName == pair.longName) continue;
    std::string why;
    if (!SafeFileName(pair.shortName, &why) || !SafeFileName(pair.longName, &why)) {
      WriteExportLog("Project archive: \"" + pair.shortName + "|" + pair.longName + "\" in " + list +
                     " refused: " + why);
      continue;
    }
    // A short-named file that is not there was written under its long name already.
    std::filesystem::rename(Utf8Path(folder + "/" + pair.shortName), Utf8Path(folder + "/" + pair.longName), ignored);
  }
  std::filesystem::remove(Utf8Path(list), ignored);
}

}  // namespace quillmere
