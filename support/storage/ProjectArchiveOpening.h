#pragma once
// Opening a project archive that its authoring application may be saving at
// that moment: a busy archive is tried again a few times, a short wait apart,
// before the caller gives up on it.

#include <chrono>
#include <cstdint>
#include <string>

#include "support/platform/Sleeper.h"
#include "support/storage/ProjectStorage.h"

namespace quillmere {

inline constexpr int kOpenRetries = 5;  // six tries in all
inline constexpr std::chrono::milliseconds kOpenRetryPause{200};

// OpenStorage, tried again while it answers kStorageBusy and retries are left,
// each retry after kOpenRetryPause through the sleeper.
std::int32_t OpenStorageRetrying(const std::string& archivePath, Sleeper& sleeper, storage::Handle& storage);

// What a storage status means, for messages ("the archive is in use").
std::string StorageStatusText(std::int32_t status);

}  // namespace quillmere
