#pragma once
// Windows file times (100 ns ticks since 1601) and Unix times (seconds since 1970).

#include <windows.h>

#include <ctime>

namespace quillmere {

inline constexpr long long kUnixEpochSeconds = 11644473600LL;  // 1601 to 1970

// 0 for the zero time, which stands for none.
inline std::time_t UnixTime(const FILETIME& time) {
  ULARGE_INTEGER ticks{};
  ticks.LowPart = time.dwLowDateTime;
  ticks.HighPart = time.dwHighDateTime;
  if (ticks.QuadPart == 0) return 0;
  return static_cast<std::time_t>(static_cast<long long>(ticks.QuadPart / 10000000ULL) - kUnixEpochSeconds);
}

inline FILETIME FileTime(std::time_t time) {
  ULARGE_INTEGER ticks{};
  ticks.QuadPart = static_cast<ULONGLONG>(static_cast<long long>(time) + kUnixEpochSeconds) * 10000000ULL;
  return FILETIME{ticks.LowPart, ticks.HighPart};
}

}  // namespace quillmere
