#pragma once
// cUnzip: the host's zip lister and extractor. Directory lists ZipFile into
// file records (all selected); Unzip extracts the selected records, or the
// whole archive, into UnzipFolder, raising the events below while it works.
// The work is done by ZipExtraction over libzip, in place of Info-ZIP's UnZip.
// Indexes of the file records run from 1 to FileCount.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "objectmodel/automation/ComError.h"
#include "support/zip/ZipStatus.h"

namespace quillmere {

enum EUZMsgLevel : std::int32_t {
  euzAllMessages = 0,
  euzPartialMessages = 1,
  euzNoMessages = 2,
};

enum EUZOverWriteResponse : std::int32_t {
  euzDoNotOverwrite = 100,
  euzOverwriteThisFile = 102,
  euzOverwriteAllFiles = 103,
  euzOverwriteNone = 104,
};

// Raised for a file-record index outside 1 to FileCount.
inline constexpr HResult kUnzipSubscriptOutOfRange = 9;

// The events of __cUnzip. Names in them use '\' between folders.
struct cUnzipEvents {
  // Before each entry; set bCancel to stop the run.
  std::function<void(const std::string& sMsg, bool& bCancel)> Cancel;
  // An existing file would be replaced; eResponse starts as euzDoNotOverwrite.
  std::function<void(const std::string& sFIle, EUZOverWriteResponse& eResponse)> OverwritePrompt;
  // An encrypted entry needs a password; set bCancel to stop the run.
  std::function<void(std::string& sPassword, bool& bCancel)> PasswordRequest;
  // A message of the unzip (lCount is always 1).
  std::function<void(std::int32_t lCount, const std::string& sMsg)> Progress;
};

class cUnzip {
 public:
  cUnzipEvents& Events() { return events_; }

  bool ExtractOnlyNewer() const { return extractOnlyNewer_; }
  void SetExtractOnlyNewer(bool value) { extractOnlyNewer_ = value; }
  bool SpaceToUnderScore() const { return spaceToUnderScore_; }
  void SetSpaceToUnderScore(bool value) { spaceToUnderScore_ = value; }
  bool PromptToOverwrite() const { return promptToOverwrite_; }
  void SetPromptToOverwrite(bool value) { promptToOverwrite_ = value; }
  // Stored as given, as the option record held it.
  EUZMsgLevel MessageLevel() const { return messageLevel_; }
  void SetMessageLevel(EUZMsgLevel value) { messageLevel_ = value; }
  // Unzip then reads and checks every entry and writes nothing.
  bool TestZip() const { return testZip_; }
  void SetTestZip(bool value) { testZip_ = value; }
  // False: every file lands in UnzipFolder itself.
  bool UseFolderNames() const { return useFolderNames_; }
  void SetUseFolderNames(bool value) { useFolderNames_ = value; }
  bool OverwriteExisting() const { return overwriteExisting_; }
  void SetOverwriteExisting(bool value) { overwriteExisting_ = value; }
  bool ConvertCRToCRLF() const { return convertCRToCRLF_; }
  void SetConvertCRToCRLF(bool value) { convertCRToCRLF_ = value; }
  // How the selected records' names are matched with the entries.
  bool CaseSensitiveFileNames() const { return caseSensitiveFileNames_; }
  void SetCaseSensitiveFileNames(bool value) { caseSensitiveFileNames_ = value; }

  std::int32_t FileCount() const { return static_cast<std::int32_t>(files_.size()); }
  // The records' properties; raise kUnzipSubscriptOutOfRange outside 1 to FileCount.
  const std::string& FileName(std::int32_t index) const;
  const std::string& FileDirectory(std::int32_t index) const;  // '\' between folders
  std::uint64_t FileSize(std::int32_t index) const;
  std::uint64_t FilePackedSize(std::int32_t index) const;
  std::int32_t FileCompressionRatio(std::int32_t index) const;  // percent saved
  double FileDate(std::int32_t index) const;                    // automation date, local time
  std::uint32_t FileCRC(std::int32_t index) const;
  const std::string& FileCompressionMethod(std::int32_t index) const;
  bool FileEncrypted(std::int32_t index) const;
  bool FileSelected(std::int32_t index) const;
  void SetFileSelected(std::int32_t index, bool selected);

  // Lists ZipFile into the file records; answers an UnzipStatus (0 on success).
  std::int32_t Directory();
  // Extracts into UnzipFolder; see the definition for what the answer means.
  bool Unzip();

  void SetUnzipFolder(std::string folder) { unzipFolder_ = std::move(folder); }
  const std::string& UnzipFolder() const { return unzipFolder_; }
  const std::string& ZipFile() const { return zipFile_; }
  // libzip's version, and the date and description of the layer over it.
  void GetVersion(std::int32_t& lMajor, std::int32_t& lMinor, std::int32_t& lRevision, double& dDate,
                  std::string& sExtraInfo) const;
  void SetZipFile(std::string file) { zipFile_ = std::move(file); }

  // The UnzipStatus of the last Directory or Unzip. For callers that want to
  // know why; not part of the automation interface.
  std::int32_t LastStatus() const { return lastStatus_; }

 private:
  struct FileRecord {
    std::string name;
    std::string directory;
    std::uint64_t size = 0;
    std::uint64_t packedSize = 0;
    std::int32_t ratio = 0;
    double date = 0;
    std::uint32_t crc = 0;
    std::string method;
    bool encrypted = false;
    bool selected = true;
  };
  const FileRecord& Record(std::int32_t index) const;
  std::vector<std::string> IncludeNames() const;

  cUnzipEvents events_;
  bool extractOnlyNewer_ = false;
  bool spaceToUnderScore_ = false;
  bool promptToOverwrite_ = false;
  EUZMsgLevel messageLevel_ = euzAllMessages;
  bool testZip_ = false;
  bool useFolderNames_ = true;
  bool overwriteExisting_ = false;
  bool convertCRToCRLF_ = false;
  bool caseSensitiveFileNames_ = false;
  std::vector<FileRecord> files_;
  std::string unzipFolder_;
  std::string zipFile_;
  std::int32_t lastStatus_ = kUnzipOk;
};

}  // namespace quillmere
