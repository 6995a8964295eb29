#pragma once
// Writes a project archive: an OLE compound file whose storages are folders
// and whose streams are files, named in UTF-16, through libgsf. The archive is
// written to a temporary file beside its target and takes the target's name
// only when Close succeeds, so readers never meet half an archive and a failed
// write leaves an older archive as it was.

#include <ctime>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include <gsf/gsf-outfile.h>

#include "support/storage/GsfObjects.h"
#include "support/storage/RelationshipFile.h"

namespace quillmere {

class ProjectArchiveWriter {
 public:
  explicit ProjectArchiveWriter(std::string archivePath);
  ~ProjectArchiveWriter();  // an archive not closed is abandoned
  ProjectArchiveWriter(const ProjectArchiveWriter&) = delete;
  ProjectArchiveWriter& operator=(const ProjectArchiveWriter&) = delete;

  // False once anything failed; Error says what.
  bool Ok() const { return error_.empty(); }
  const std::string& Error() const { return error_; }

  // Names must be storable (StorableName) and differ, ignoring case, from the
  // other names of their folder. Each call fails without writing anything
  // for a name that is not; files go into the innermost open folder.
  bool BeginFolder(std::string_view name);
  bool EndFolder();
  // modified 0: the stream carries no time stamp.
  bool AddFile(std::string_view name, std::string_view bytes, std::time_t modified = 0);
  // Streams a file from disk into the archive with its time stamp.
  bool AddFileFrom(std::string_view name, const std::string& sourcePath);
  // The folder's relationship file, as EncodeRelationships writes it.
  bool AddRelationships(const std::vector<NamePair>& pairs);

  // Ends every open folder, finishes the archive and gives it its name.
  bool Close();

 private:
  struct Level {
    GsfPtr<GsfOutfile> folder;
    std::set<std::string> names;  // StoredNameKey of every entry made in it
  };
  bool Fail(std::string why);
  bool Usable(std::string_view name);
  GsfPtr<GsfOutput> NewChild(std::string_view name, bool folder, std::time_t modified);
  void Abandon();

  std::string path_;
  std::string temporaryPath_;
  GsfPtr<GsfOutput> sink_;
  std::vector<Level> levels_;  // the root first
  std::string error_;
  bool closed_ = false;
};

}  // namespace quillmere
