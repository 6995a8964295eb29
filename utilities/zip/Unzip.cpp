#include "utilities/zip/Unzip.h"

#include <cstdio>

#include <zip.h>

#include "support/text/AutomationDate.h"
#include "support/zip/ZipEntryName.h"
#include "support/zip/ZipListing.h"
#include "utilities/zip/ZipExtraction.h"

namespace quillmere {
namespace {

// The option record held at most this many include names.
constexpr std::size_t kMaxIncludeNames = 1024;
// Print messages longer than this were never raised as Progress.
constexpr std::size_t kMaxMessageLength = 1024;
// 2026-12-08, when this layer took the place of the DLL, as an automation date.
constexpr double kLayerDate = 46364.0;

OverwriteAnswer AnswerOf(EUZOverWriteResponse response) {
  switch (response) {
    case euzOverwriteThisFile: return OverwriteAnswer::Overwrite;
    case euzOverwriteAllFiles: return OverwriteAnswer::OverwriteAll;
    case euzOverwriteNone: return OverwriteAnswer::SkipAll;
    // Any other answer keeps the file, the safe choice.
    default: return OverwriteAnswer::Skip;
  }
}

}  // namespace

const cUnzip::FileRecord& cUnzip::Record(std::int32_t index) const {
  if (index < 1 || index > FileCount()) throw ComError(kUnzipSubscriptOutOfRange, "Subscript out of range");
  return files_[static_cast<std::size_t>(index - 1)];
}

const std::string& cUnzip::FileName(std::int32_t index) const { return Record(index).name; }
const std::string& cUnzip::FileDirectory(std::int32_t index) const { return Record(index).directory; }
std::uint64_t cUnzip::FileSize(std::int32_t index) const { return Record(index).size; }
std::uint64_t cUnzip::FilePackedSize(std::int32_t index) const { return Record(index).packedSize; }
std::int32_t cUnzip::FileCompressionRatio(std::int32_t index) const { return Record(index).ratio; }
double cUnzip::FileDate(std::int32_t index) const { return Record(index).date; }
std::uint32_t cUnzip::FileCRC(std::int32_t index) const { return Record(index).crc; }
const std::string& cUnzip::FileCompressionMethod(std::int32_t index) const { return Record(index).method; }
bool cUnzip::FileEncrypted(std::int32_t index) const { return Record(index).encrypted; }
bool cUnzip::FileSelected(std::int32_t index) const { return Record(index).selected; }

void cUnzip::SetFileSelected(std::int32_t index, bool selected) {
  Record(index);
  files_[static_cast<std::size_t>(index - 1)].selected = selected;
}

std::int32_t cUnzip::Directory() {
  files_.clear();
  UnzipStatus status = kUnzipOk;
  ZipArchive zip = OpenZipArchive(zipFile_, &status);
  std::vector<ZipListedEntry> entries;
  if (zip) status = ListZipEntries(zip.get(), ZipLimits{}, entries);
  if (status != kUnzipOk) entries.clear();
  for (const ZipListedEntry& entry : entries) {
    FileRecord record;
    std::string name = BackslashName(entry.name);
    std::size_t slash = name.rfind('\\');
    record.directory = slash == std::string::npos ? std::string() : name.substr(0, slash);
    record.name = slash == std::string::npos ? name : name.substr(slash + 1);
    record.size = entry.size;
    record.packedSize = entry.packedSize;
    record.ratio = entry.ratio;
    record.date = AutomationDate(entry.modified);
    record.crc = entry.crc;
    record.method = entry.methodName;
    record.encrypted = entry.encrypted;
    files_.push_back(std::move(record));
  }
  return lastStatus_ = status;
}

std::vector<std::string> cUnzip::IncludeNames() const {
  std::vector<std::string> names;
  bool all = true;
  for (const FileRecord& record : files_) {
    if (!record.selected) {
      all = false;
      continue;
    }
    if (names.size() < kMaxIncludeNames)
      names.push_back(ForwardSlashName(record.directory.empty() ? record.name : record.directory + "/" + record.name));
  }
  // Every record selected (or none listed): the whole archive. None selected
  // also gives an empty list, which meant the whole archive to the DLL as well.
  if (all) names.clear();
  return names;
}

// True when the status is not 0, that is when the unzip FAILED. Info-ZIP
// answers 0 for success, and the interface handed that status on as a
// boolean unchanged; hosts written against it test it that way, so it stays.
// The library's own caller ignores the answer and looks for the files.
bool cUnzip::Unzip() {
  if (zipFile_.empty()) {
    lastStatus_ = kUnzipNoZipFile;
    return false;
  }
  UnzipOptions options;
  options.extractOnlyNewer = extractOnlyNewer_;
  options.spaceToUnderscore = spaceToUnderScore_;
  options.promptToOverwrite = promptToOverwrite_;
  options.quiet = messageLevel_;
  options.testOnly = testZip_;
  options.useFolderNames = useFolderNames_;
  options.overwriteExisting = overwriteExisting_;
  options.convertLineEnds = convertCRToCRLF_;
  options.caseSensitiveNames = caseSensitiveFileNames_;

  UnzipCallbacks callbacks;
  callbacks.print = [this](const std::string& message) {
    if (events_.Progress && !message.empty() && message.size() <= kMaxMessageLength)
      events_.Progress(1, BackslashName(message));
  };
  callbacks.replace = [this](const std::string& file) {
    EUZOverWriteResponse response = euzDoNotOverwrite;
    if (events_.OverwritePrompt) events_.OverwritePrompt(BackslashName(file), response);
    return AnswerOf(response);
  };
  callbacks.password = [this](std::string& password, const std::string&) {
    bool cancel = false;
    if (!events_.PasswordRequest) return false;
    events_.PasswordRequest(password, cancel);
    return !cancel;
  };
  callbacks.service = [this](const std::string& entry, std::uint64_t) {
    bool cancel = false;
    if (events_.Cancel) events_.Cancel(BackslashName(entry), cancel);
    return cancel;
  };
  lastStatus_ = ExtractZip(zipFile_, unzipFolder_, IncludeNames(), options, callbacks);
  return lastStatus_ != kUnzipOk;
}

void cUnzip::GetVersion(std::int32_t& lMajor, std::int32_t& lMinor, std::int32_t& lRevision, double& dDate,
                        std::string& sExtraInfo) const {
  const char* version = zip_libzip_version();
  int major = 0, minor = 0, revision = 0;
  std::sscanf(version, "%d.%d.%d", &major, &minor, &revision);
  lMajor = major;
  lMinor = minor;
  lRevision = revision;
  dDate = kLayerDate;
  sExtraInfo = std::string("libzip ") + version + "; traditional PKWARE and AES decryption";
}

}  // namespace quillmere
