#pragma once
// The round S-boxes S1..S4 shared by CAST-128 and CAST-256, and the three
// round functions both build on them (RFC 2144 section 2.2, RFC 2612
// section 2.2): the data word is combined with the masking key, rotated by
// the rotation key, and its bytes (most significant first) go through
// S1..S4.
#include <array>
#include <bit>
#include <cstdint>

namespace hushlake::detail {

extern const std::array<std::array<std::uint32_t, 256>, 4> CastRoundSBoxes;

// Type 1, 2 or 3.
template <int Type>
inline std::uint32_t CastRound(std::uint32_t d, std::uint32_t km, std::uint32_t kr) {
  const auto& s = CastRoundSBoxes;
  const int rotation = static_cast<int>(kr);
  if constexpr (Type == 1) {
    const std::uint32_t i = std::rotl(km + d, rotation);
    return ((s[0][i >> 24] ^ s[1][(i >> 16) & 0xFF]) - s[2][(i >> 8) & 0xFF]) + s[3][i & 0xFF];
  } else if constexpr (Type == 2) {
    const std::uint32_t i = std::rotl(km ^ d, rotation);
    return ((s[0][i >> 24] - s[1][(i >> 16) & 0xFF]) + s[2][(i >> 8) & 0xFF]) ^ s[3][i & 0xFF];
  } else {
    static_assert(Type == 3);
    const std::uint32_t i = std::rotl(km - d, rotation);
    return ((s[0][i >> 24] + s[1][(i >> 16) & 0xFF]) ^ s[2][(i >> 8) & 0xFF]) - s[3][i & 0xFF];
  }
}

}  // namespace hushlake::detail
