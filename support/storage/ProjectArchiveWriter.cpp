#include "support/storage/ProjectArchiveWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>


#include "support/files/Paths.h"
#include "support/storage/CompoundFileNames.h"
#include "support/storage/GsfLibrary.h"

namespace quillmere {
namespace {

constexpr std::size_t kChunk = 64 * 1024;
// A stream's size is a 32-bit field in the compound files we write (512-byte sectors).
constexpr std::uint64_t kMaxStreamSize = UINT32_MAX;

std::string SystemError(int error) { return std::strerror(error); }

}  // namespace

ProjectArchiveWriter::ProjectArchiveWriter(std::string archivePath) : path_(std::move(archivePath)) {
  if (!Gsf()) {
    Fail(path_ + " cannot be written: libgsf cannot be loaded");
    return;
  }
  std::string base = GetFileBaseName(path_);
  temporaryPath_ = GetParentFolder(path_) + "." + (base.size() > 200 ? std::string("archive") : base) + ".XXXXXX";
  int fd = mkstemp(temporaryPath_.data());
  if (fd < 0) {
    int error = errno;
    temporaryPath_.clear();
    Fail(path_ + " cannot be created: " + SystemError(error));
    return;
  }
  fchmod(fd, 0644);
  FILE* file = fdopen(fd, "wb");
  if (file) sink_.reset(Gsf()->output_stdio_new_FILE(temporaryPath_.c_str(), file, FALSE));
  if (!sink_) {
    if (file) fclose(file);
    else close(fd);
    Fail(path_ + " cannot be created");
    return;
  }
  levels_.push_back({GsfPtr<GsfOutfile>(Gsf()->outfile_msole_new(sink_.get())), {}});
}

ProjectArchiveWriter::~ProjectArchiveWriter() {
  if (!closed_) Abandon();
}

bool ProjectArchiveWriter::Fail(std::string why) {
  if (error_.empty()) error_ = std::move(why);
  return false;
}

bool ProjectArchiveWriter::Usable(std::string_view name) {
  if (!Ok()) return false;
  if (closed_ || levels_.empty()) return Fail("the archive is closed");
  std::string why;
  if (!StorableName(name, &why)) return Fail("\"" + std::string(name) + "\" cannot be stored: " + why);
  if (levels_.back().names.count(StoredNameKey(name)) != 0)
    return Fail("\"" + std::string(name) + "\" cannot be stored: its folder holds that name already");
  return true;
}

GsfPtr<GsfOutput> ProjectArchiveWriter::NewChild(std::string_view name, bool folder, std::time_t modified) {
  GsfOutfile* parent = levels_.back().folder.get();
  std::string text(name);
  levels_.back().names.insert(StoredNameKey(name));
  if (modified <= 0) return GsfPtr<GsfOutput>(Gsf()->outfile_new_child(parent, text.c_str(), folder));
  GDateTime* time = g_date_time_new_from_unix_utc(modified);
  GsfOutput* child = Gsf()->outfile_new_child_full(parent, text.c_str(), folder, "modtime", time, nullptr);
  g_date_time_unref(time);
  return GsfPtr<GsfOutput>(child);
}

bool ProjectArchiveWriter::BeginFolder(std::string_view name) {
  if (!Usable(name)) return false;
  GsfPtr<GsfOutput> folder = NewChild(name, true, 0);
  if (!folder) return Fail("the folder \"" + std::string(name) + "\" cannot be made");
  levels_.push_back({GsfPtr<GsfOutfile>(reinterpret_cast<GsfOutfile*>(folder.release())), {}});
  return true;
}

bool ProjectArchiveWriter::EndFolder() {
  if (!Ok()) return false;
  if (closed_ || levels_.size() < 2) return Fail("no folder is open");
  bool closed = Gsf()->output_close(reinterpret_cast<GsfOutput*>(levels_.back().folder.get()));
  levels_.pop_back();
  return closed || Fail("a folder cannot be finished");
}

bool ProjectArchiveWriter::AddFile(std::string_view name, std::string_view bytes, std::time_t modified) {
  if (!Usable(name)) return false;
  if (bytes.size() > kMaxStreamSize) return Fail("\"" + std::string(name) + "\" is larger than 4 GiB");
  GsfPtr<GsfOutput> stream = NewChild(name, false, modified);
  bool written = stream && (bytes.empty() || Gsf()->output_write(stream.get(), bytes.size(),
                                                             reinterpret_cast<const guint8*>(bytes.data())));
  if (!stream || !Gsf()->output_close(stream.get()) || !written)
    return Fail("\"" + std::string(name) + "\" cannot be written to " + path_);
  return true;
}

bool ProjectArchiveWriter::AddFileFrom(std::string_view name, const std::string& sourcePath) {
  if (!Usable(name)) return false;
  int fd = open(sourcePath.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return Fail(sourcePath + " cannot be read: " + SystemError(errno));
  struct stat st {};
  bool regular = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  if (!regular || static_cast<std::uint64_t>(st.st_size) > kMaxStreamSize) {
    close(fd);
    return Fail(sourcePath + (regular ? " is larger than 4 GiB" : " is not a regular file"));
  }
  GsfPtr<GsfOutput> stream = NewChild(name, false, st.st_mtime);
  std::string buffer(kChunk, '\0');
  bool ok = stream != nullptr;
  while (ok) {
    ssize_t n = read(fd, buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok = n == 0;
      break;
    }
    ok = Gsf()->output_write(stream.get(), static_cast<std::size_t>(n), reinterpret_cast<const guint8*>(buffer.data()));
  }
  close(fd);
  if (!stream || !Gsf()->output_close(stream.get()) || !ok)
    return Fail(sourcePath + " cannot be copied into " + path_);
  return true;
}

bool ProjectArchiveWriter::AddRelationships(const std::vector<NamePair>& pairs) {
  return AddFile(kRelationshipFileName, EncodeRelationships(pairs));
}

bool ProjectArchiveWriter::Close() {
  if (closed_) return Ok();
  while (Ok() && levels_.size() > 1) EndFolder();
  // Closing the root writes the directory and allocation tables, then closes the file.
  if (Ok() && !Gsf()->output_close(reinterpret_cast<GsfOutput*>(levels_.front().folder.get())))
    Fail(path_ + " cannot be written: " + SystemError(errno));
  if (!Ok()) {
    Abandon();
    return false;
  }
  levels_.clear();
  sink_.reset();
  closed_ = true;
  if (rename(temporaryPath_.c_str(), path_.c_str()) != 0) {
    Fail(path_ + " cannot be given its name: " + SystemError(errno));
    unlink(temporaryPath_.c_str());
  }
  return Ok();
}

void ProjectArchiveWriter::Abandon() {
  levels_.clear();
  sink_.reset();
  if (!temporaryPath_.empty()) unlink(temporaryPath_.c_str());
  closed_ = true;
}

}  // namespace quillmere
