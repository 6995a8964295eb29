#include "support/text/Guid.h"

#include <array>
#include <cstdint>
#include <exception>
#include <random>

namespace quillmere {
namespace {

// The 16 bytes in the order StringFromGUID2 prints them, marked as a random
// GUID of the RFC 4122 variant.
std::array<std::uint8_t, 16> RandomGuidBytes() {
  std::random_device source;
  std::array<std::uint8_t, 16> bytes{};
  for (std::size_t i = 0; i < bytes.size(); i += 4) {
    std::uint32_t word = source();
    for (std::size_t j = 0; j < 4; ++j) bytes[i + j] = static_cast<std::uint8_t>(word >> (8 * j));
  }
  bytes[6] = static_cast<std::uint8_t>((bytes[6] & 0x0F) | 0x40);
  bytes[8] = static_cast<std::uint8_t>((bytes[8] & 0x3F) | 0x80);
  return bytes;
}

}  // namespace

std::string NewGuidText(std::size_t length) {
  std::array<std::uint8_t, 16> bytes;
  try {
    bytes = RandomGuidBytes();
  } catch (const std::exception&) {
    return {};
  }
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string text;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i == 4 || i == 6 || i == 8 || i == 10) text += '-';
    text += kHex[bytes[i] >> 4];
    text += kHex[bytes[i] & 0x0F];
  }
  return length >= text.size() ? text : text.substr(text.size() - length);
}

}  // namespace quillmere
