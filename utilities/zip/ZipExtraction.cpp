#include "utilities/zip/ZipExtraction.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>

#include <zip.h>

#include "objectmodel/trace/ExportLog.h"
#include "support/files/Paths.h"
#include "support/text/Text.h"
#include "support/zip/ZipEntryName.h"
#include "support/zip/ZipFileWriting.h"
#include "support/zip/ZipListing.h"

namespace quillmere {
namespace {

constexpr std::size_t kChunk = 64 * 1024;

struct ZipFileClose {
  void operator()(zip_file_t* file) const { zip_fclose(file); }
};
using ZipEntryReader = std::unique_ptr<zip_file_t, ZipFileClose>;

// CR alone, LF alone and CR LF all become CR LF; the state carries a CR over
// the end of one chunk so that a CR LF split between chunks stays one line end.
class LineEndConverter {
 public:
  void Convert(const char* data, std::size_t size, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < size; ++i) {
      char c = data[i];
      if (c == '\n' && afterCr_) {
        afterCr_ = false;
        continue;
      }
      afterCr_ = c == '\r';
      if (c == '\r' || c == '\n')
        out += "\r\n";
      else
        out += c;
    }
  }

 private:
  bool afterCr_ = false;
};

bool SameName(std::string_view a, std::string_view b, bool caseSensitive) {
  return caseSensitive ? a == b : LowerAscii(a) == LowerAscii(b);
}

class Extraction {
 public:
  Extraction(zip_t* zip, const UnzipOptions& options, const UnzipCallbacks& callbacks)
      : zip_(zip), options_(options), callbacks_(callbacks) {}

  // Entries answer kUnzipCancelled to stop the run; other failures are noted and the run goes on.
  UnzipStatus Run(const std::vector<const ZipListedEntry*>& selected, const FolderHandle& root) {
    for (const ZipListedEntry* entry : selected) {
      bool cancel = callbacks_.service && callbacks_.service(entry->name, entry->size);
      if (cancel || Entry(*entry, root) == kUnzipCancelled) {
        WriteExportLog("Unzip: cancelled at entry \"" + entry->name + "\"");
        Note(kUnzipCancelled);
        break;
      }
    }
    return result_;
  }

  void Note(UnzipStatus status) {
    // The first failure says most; a warning only stands when nothing failed.
    if (result_ == kUnzipOk || (result_ == kUnzipWarning && status != kUnzipOk)) result_ = status;
  }

  void Message(const std::string& text, bool problem) {
    if (!callbacks_.print) return;
    if (options_.quiet == 0 || (options_.quiet == 1 && problem)) callbacks_.print(text);
  }

 private:
  UnzipStatus Skip(const ZipListedEntry& entry, const std::string& why) {
    WriteExportLog("Unzip: entry \"" + entry.name + "\" skipped: " + why);
    Message("   skipping: " + entry.name + " (" + why + ")", true);
    Note(kUnzipWarning);
    return kUnzipWarning;
  }

  UnzipStatus Entry(const ZipListedEntry& entry, const FolderHandle& root) {
    if (entry.isLink) return Skip(entry, "links are never made");
    std::string why;
    std::optional<std::vector<std::string>> path = SafeEntryPath(entry.name, &why);
    if (!path || !SafeEntryPath(entry.rawName, &why)) return Skip(entry, why);
    if (options_.spaceToUnderscore)
      for (std::string& segment : *path) std::replace(segment.begin(), segment.end(), ' ', '_');
    std::string file = path->back();
    path->pop_back();
    if (!options_.useFolderNames) path->clear();
    if (entry.isFolder || file.empty()) {
      if (options_.testOnly || !options_.useFolderNames) return kUnzipOk;
      if (!OpenSubfolder(root, *path, true).IsOpen()) return Fail(entry, kUnzipWriteFailed, "the folder cannot be made");
      Message("   creating: " + entry.name, false);
      return kUnzipOk;
    }
    if (options_.testOnly) return Copy(entry, nullptr, nullptr);
    FolderHandle folder = OpenSubfolder(root, *path, true);
    if (!folder.IsOpen()) return Fail(entry, kUnzipWriteFailed, "its folder cannot be made or is a link");
    if (std::optional<struct stat> existing = ExistingEntry(folder, file); existing && !MayReplace(entry, *existing))
      return kUnzipOk;
    ExtractedFile out(folder, file);
    if (!out.IsOpen()) return Fail(entry, kUnzipWriteFailed, "the file cannot be made");
    return Copy(entry, &out, &file);
  }

  UnzipStatus Fail(const ZipListedEntry& entry, UnzipStatus status, const std::string& why) {
    WriteExportLog("Unzip: entry \"" + entry.name + "\" not extracted: " + why);
    Message("error: " + entry.name + ": " + why, true);
    Note(status);
    return status;
  }

  bool MayReplace(const ZipListedEntry& entry, const struct stat& existing) {
    if (options_.extractOnlyNewer) return existing.st_mtime < entry.modified;
    if (options_.overwriteExisting || overwriteAll_) return true;
    if (!options_.promptToOverwrite || skipAll_ || !callbacks_.replace) return false;
    switch (callbacks_.replace(entry.name)) {
      case OverwriteAnswer::Overwrite: return true;
      case OverwriteAnswer::OverwriteAll: overwriteAll_ = true; return true;
      case OverwriteAnswer::SkipAll: skipAll_ = true; return false;
      case OverwriteAnswer::Skip: return false;
    }
    return false;
  }

  // Tries the password that opened the last encrypted entry, then asks.
  UnzipStatus OpenEntry(const ZipListedEntry& entry, ZipEntryReader& reader) {
    if (!entry.encrypted) {
      reader.reset(zip_fopen_index(zip_, entry.index, 0));
      return reader ? kUnzipOk : OpenFailure(entry);
    }
    bool ask = password_.empty();
    for (int asked = 0;; ask = true) {
      if (ask) {
        if (asked++ == kPasswordAttempts) break;
        std::string answer;
        if (!callbacks_.password || !callbacks_.password(answer, entry.name)) return kUnzipCancelled;
        password_ = answer.substr(0, kMaxPasswordLength);
      }
      reader.reset(zip_fopen_index_encrypted(zip_, entry.index, 0, password_.c_str()));
      if (reader) return kUnzipOk;
      int code = zip_error_code_zip(zip_get_error(zip_));
      if (code != ZIP_ER_WRONGPASSWD && code != ZIP_ER_NOPASSWD) return OpenFailure(entry);
    }
    password_.clear();
    return Fail(entry, kUnzipBadPassword, "the password is wrong");
  }

  UnzipStatus OpenFailure(const ZipListedEntry& entry) {
    int code = zip_error_code_zip(zip_get_error(zip_));
    bool unsupported = code == ZIP_ER_COMPNOTSUPP || code == ZIP_ER_ENCRNOTSUPP;
    return Fail(entry, unsupported ? kUnzipUnsupported : kUnzipDamaged, zip_strerror(zip_));
  }

  // Reads the entry to its end (libzip checks the CRC there) into out, or
  // only checks it when out is null.
  UnzipStatus Copy(const ZipListedEntry& entry, ExtractedFile* out, const std::string* file) {
    ZipEntryReader reader;
    if (UnzipStatus status = OpenEntry(entry, reader); status != kUnzipOk) return status;
    std::string buffer(kChunk, '\0');
    std::string converted;
    LineEndConverter lineEnds;
    bool text = false;
    std::uint64_t total = 0;
    for (bool first = true;; first = false) {
      zip_int64_t n = zip_fread(reader.get(), buffer.data(), buffer.size());
      if (n < 0) {
        std::string why = zip_file_strerror(reader.get());
        // A wrong traditional password passes its one-byte check now and then; the CRC then fails.
        if (entry.encrypted) password_.clear();
        return Fail(entry, entry.encrypted ? kUnzipBadPassword : kUnzipDamaged, "the data is damaged (" + why + ")");
      }
      if (n == 0) break;
      total += static_cast<std::uint64_t>(n);
      // The limits were checked against the sizes the archive declares; data beyond them is a lie.
      if (total > entry.size) return Fail(entry, kUnzipDamaged, "it holds more data than its header says");
      if (!out) continue;
      const char* data = buffer.data();
      std::size_t size = static_cast<std::size_t>(n);
      // Text is guessed from the first chunk, as a binary file holds a NUL byte early.
      if (first) text = options_.convertLineEnds && std::memchr(data, '\0', size) == nullptr;
      if (text) {
        lineEnds.Convert(data, size, converted);
        data = converted.data();
        size = converted.size();
      }
      if (!out->Write(data, size)) return Fail(entry, kUnzipWriteFailed, "the file cannot be written");
    }
    if (total != entry.size) return Fail(entry, kUnzipDamaged, "the data ends early");
    if (!out) {
      Message("    testing: " + entry.name + "   OK", false);
      return kUnzipOk;
    }
    if (!out->Commit(entry.modified)) return Fail(entry, kUnzipWriteFailed, "the file cannot be given its name " + *file);
    Message((entry.method == ZIP_CM_STORE ? " extracting: " : "  inflating: ") + entry.name, false);
    return kUnzipOk;
  }

  zip_t* zip_;
  const UnzipOptions& options_;
  const UnzipCallbacks& callbacks_;
  UnzipStatus result_ = kUnzipOk;
  std::string password_;
  bool overwriteAll_ = false;
  bool skipAll_ = false;
};

}  // namespace

UnzipStatus ExtractZip(const std::string& zipFile, const std::string& folder, const std::vector<std::string>& includes,
                       const UnzipOptions& options, const UnzipCallbacks& callbacks) {
  auto say = [&](const std::string& text) {
    if (callbacks.print && options.quiet < 2) callbacks.print(text);
  };
  UnzipStatus status = kUnzipOk;
  ZipArchive zip = OpenZipArchive(zipFile, &status);
  if (!zip) {
    say("error: cannot open zip file " + zipFile);
    return status;
  }
  std::vector<ZipListedEntry> entries;
  std::string why;
  if ((status = ListZipEntries(zip.get(), options.limits, entries)) == kUnzipOk)
    status = CheckZipLimits(entries, options.limits, &why);
  if (status != kUnzipOk) {
    if (why.empty()) why = status == kUnzipTooLarge ? "the zip has too many entries" : "the zip's directory is damaged";
    WriteExportLog("Unzip: " + zipFile + " refused: " + why);
    say("error: " + zipFile + ": " + why);
    return status;
  }

  std::vector<const ZipListedEntry*> selected;
  std::size_t unmatched = 0;
  for (const ZipListedEntry& entry : entries) {
    bool wanted = includes.empty() || std::any_of(includes.begin(), includes.end(), [&](const std::string& name) {
                    return SameName(name, entry.name, options.caseSensitiveNames);
                  });
    if (wanted) selected.push_back(&entry);
  }
  for (const std::string& name : includes)
    if (std::none_of(entries.begin(), entries.end(),
                     [&](const ZipListedEntry& e) { return SameName(name, e.name, options.caseSensitiveNames); })) {
      ++unmatched;
      if (options.quiet < 2 && callbacks.print) callbacks.print("caution: filename not matched:  " + name);
    }
  if (!includes.empty() && selected.empty()) return kUnzipNothingFound;

  FolderHandle root;
  if (!options.testOnly) {
    std::string destination = folder.empty() ? std::string(".") : folder;
    CreateFolderPath(destination);
    root = OpenExtractionFolder(destination);
    if (!root.IsOpen()) {
      WriteExportLog("Unzip: the folder " + destination + " cannot be opened");
      say("error: cannot open the folder " + destination);
      return kUnzipWriteFailed;
    }
  }
  Extraction extraction(zip.get(), options, callbacks);
  if (unmatched > 0) extraction.Note(kUnzipWarning);
  status = extraction.Run(selected, root);
  if (options.testOnly && status == kUnzipOk) extraction.Message("No errors detected in compressed data of " + zipFile + ".", false);
  return status;
}

}  // namespace quillmere
