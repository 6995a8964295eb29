#pragma once
// An automation error as a late-bound call reports it: an HRESULT-style number
// and a description. Every failing member call of the object model throws one.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace quillmere {

using HResult = std::uint32_t;

namespace hr {
inline constexpr HResult kCallRejected = 0x80010001;      // RPC_E_CALL_REJECTED: busy
inline constexpr HResult kUnspecified = 0x80004005;       // E_FAIL
inline constexpr HResult kAborted = 0x80004004;           // E_ABORT
inline constexpr HResult kElevationRequired = 0x800702E4;
inline constexpr HResult kInvalidArgument = 0x80070057;
inline constexpr HResult kMemberNotFound = 0x80020003;
inline constexpr HResult kTypeMismatch = 0x800A000D;
inline constexpr HResult kObjectNotSet = 0x800A005B;
inline constexpr HResult kCannotCreateObject = 0x800A01AD;
inline constexpr HResult kObjectRequired = 0x800A01A8;
inline constexpr HResult kNotSupported = 0x800A01B6;     // "Object doesn't support this property or method"
inline constexpr HResult kFileNotFound = 0x800A0035;
}  // namespace hr

class ComError : public std::runtime_error {
 public:
  ComError(HResult number, std::string description)
      : std::runtime_error(description), number_(number), description_(std::move(description)) {}

  HResult Number() const { return number_; }
  const std::string& Description() const { return description_; }

 private:
  HResult number_;
  std::string description_;
};

// The decimal form of an error number as the log lines show it (a signed 32-bit value).
std::string ErrorNumberText(HResult number);

}  // namespace quillmere
