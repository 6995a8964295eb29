#include "support/storage/ProjectArchiveOpening.h"

namespace quillmere {

std::int32_t OpenStorageRetrying(const std::string& archivePath, Sleeper& sleeper, storage::Handle& storage) {
  std::int32_t status = storage::OpenStorage(archivePath, storage);
  for (int retries = 0; status == storage::kStorageBusy && retries < kOpenRetries; ++retries) {
    sleeper.Sleep(kOpenRetryPause);
    status = storage::OpenStorage(archivePath, storage);
  }
  return status;
}

std::string StorageStatusText(std::int32_t status) {
  switch (status) {
    case storage::kStorageOk: return "done";
    case storage::kStorageBusy: return "the archive is in use by another program";
    case storage::kStorageNotFound: return "there is no such file";
    case storage::kStorageAccessDenied: return "the archive cannot be read (no permission)";
    case storage::kStorageNotAnArchive:
      return "the file is not a project archive (no compound file), or its directory is damaged";
    case storage::kStorageReadFault: return "the archive's data is damaged";
    case storage::kStorageTooLarge:
      return "its directory claims more than " + std::to_string(storage::kMaxArchiveEntries) + " entries";
    case storage::kStorageWriteFault: return "the destination cannot be written";
    default: return "the storage call failed";
  }
}

}  // namespace quillmere
