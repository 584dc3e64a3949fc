#pragma once

#include <cstdint>

// The fixed scrambler's start key and constants. The office web service undoes settings values,
// stored passwords and the "str"/"pw"/"user_pwd" values with the same three numbers, so they
// never change once an installation has written its settings file.
namespace tdx::scramble_keys {

inline constexpr std::uint16_t kStartKey = 23357;
inline constexpr std::uint16_t kXor = 677;
inline constexpr std::uint16_t kAdd = 451;

} // namespace tdx::scramble_keys
