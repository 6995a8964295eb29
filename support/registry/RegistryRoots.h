#pragma once
// The registry's root keys and value types, with the numbers the host passes.

#include <cstdint>

namespace quillmere {

inline constexpr std::int32_t kHKeyClassesRoot = static_cast<std::int32_t>(0x80000000u);
inline constexpr std::int32_t kHKeyCurrentUser = static_cast<std::int32_t>(0x80000001u);
inline constexpr std::int32_t kHKeyLocalMachine = static_cast<std::int32_t>(0x80000002u);
inline constexpr std::int32_t kHKeyUsers = static_cast<std::int32_t>(0x80000003u);

inline constexpr std::int32_t kRegSz = 1;
inline constexpr std::int32_t kRegExpandSz = 2;
inline constexpr std::int32_t kRegBinary = 3;  // bytes, carried as text
inline constexpr std::int32_t kRegDword = 4;

}  // namespace quillmere
