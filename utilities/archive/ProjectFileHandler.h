#pragma once
// cProjectFileHandler: copies media from the authoring application's project
// archive (".qpk") into a folder: narration tracks, web-object folders, movies.
// Callers set ExtractToFolder and ProjectFilename, call one extraction method,
// then read ExitCode: "0", or "-2" when neither the archive nor its backup
// could be opened, or the archive is damaged or beyond any real one (see
// ProjectArchiveWalk.h).
//
// Backup copy: the authoring application may leave a newer copy of the
// archive beside the extraction folder, named after the first 8 characters of
// that folder's name, '_' and the archive's file name; a newer backup is read
// instead of the archive and deleted once it has been extracted.
//
// Long names: an archive folder's "_rel.lst" gives short stored names (those
// with a '~') their long names; files are written under those names.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "objectmodel/automation/Object.h"
#include "support/platform/Sleeper.h"
#include "utilities/archive/ProjectArchiveWalk.h"

namespace quillmere {

class cProjectFileHandler {
 public:
  // The sleeper spaces the retries of a busy archive.
  explicit cProjectFileHandler(std::shared_ptr<Sleeper> sleeper = MakeRealSleeper());

  // The "narration" folder (and every folder the walk enters after it) with
  // the named track, then long names for the extraction folder's own files.
  void ExtractNarration(std::string& AudioFilename);
  // The named folder, wherever it lies, and the folders always taken.
  void ExtractWO(std::string& FolderName);
  // The named movie, under its long name.
  void ExtractMovie(std::string& MovieName);
  // Keeps the PowerPoint instance and switches its macros off (errors ignored).
  void SetPPTInstance(Object& Obj);
  const std::string& ExtractToFolder() const { return extractToFolder_; }
  void SetExtractToFolder(std::string folder) { extractToFolder_ = std::move(folder); }
  std::string ExitCode() const { return std::to_string(exitCode_); }
  std::int32_t Handle() const { return handle_; }
  void SetHandle(std::int32_t& value) { handle_ = value; }
  const std::string& ProjectFilename() const { return projectFilename_; }
  void SetProjectFilename(std::string& path) { projectFilename_ = path; }
  // Kept for the hosts that call it; there is no progress window.
  void HideProgress() {}
  // The file's last modification time as an automation date (local time); 0 when it is missing.
  double GetFileTime(std::string& szFilename) const;
  // Bytes 0 to truncateToByte inclusive, or the whole file when it is negative.
  std::vector<std::uint8_t> GetFileBytes(const std::string& Path, std::int32_t truncateToByte = -1) const;

 private:
  enum class Wanted { Narration, WebObject, Movie };
  void Extract(Wanted wanted, const char* enterText);
  std::string BackupArchivePath();
  bool OpenArchiveOrBackup(const std::string& backupPath, storage::Handle& storage, bool& backupUsed);
  void RenameFileToLFN(const std::string& name);

  std::shared_ptr<Sleeper> sleeper_;
  std::string extractToFolder_;
  std::string projectFilename_;
  std::int32_t exitCode_ = 0;
  std::int32_t handle_ = 0;
  Object pptInstance_;
  std::string wantedNarration_, wantedFolder_, wantedMovie_;
  std::string backupArchiveName_;
  bool insideWantedFolder_ = false;
};

}  // namespace quillmere
