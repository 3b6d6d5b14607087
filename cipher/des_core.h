#pragma once
// The DES primitive shared by single, multiple and whitened DES: FIPS 46-3
// with the S-boxes and P folded into eight 64-entry tables, the initial and
// final permutations as exchanges of bit groups between the two halves, and
// round keys laid out for the expansion E taken straight from the half.
#include <array>
#include <bit>
#include <cstdint>

#include "cipher/des_tables.h"
#include "crypto/bytes.h"

namespace hushlake::detail {

// One DES key's sixteen round keys, two words per round (see DesF).
struct DesRoundKeys {
  std::uint32_t words[32];
};

// The same key for both directions: decryption takes the rounds backwards.
struct DesKeyPair {
  DesRoundKeys encrypt;
  DesRoundKeys decrypt;
};
static_assert(sizeof(DesKeyPair) == 256);

// A block as two 32-bit halves; bit 1 of FIPS 46-3 is the top bit of Left.
struct DesHalves {
  std::uint32_t left, right;
};

// Expands the first 8 bytes at Key (parity bits ignored).
void ExpandDesKey(const std::uint8_t* key, DesKeyPair& keys);

namespace des_internal {

constexpr std::uint32_t PermuteP(std::uint32_t value) {
  std::uint32_t result = 0;
  for (std::size_t i = 0; i < DesP.size(); ++i)
    result |= ((value >> (32 - DesP[i])) & 1u) << (31 - i);
  return result;
}

// Entry x of table b: S-box b+1 applied to the 6-bit input x, its four bits
// put at their place in the S-box output, passed through P and rotated left
// by one bit like the halves between the permutations (see DesF).
constexpr std::array<std::array<std::uint32_t, 64>, 8> BuildSpBoxes() {
  std::array<std::array<std::uint32_t, 64>, 8> sp{};
  for (std::size_t box = 0; box < 8; ++box)
    for (std::uint32_t x = 0; x < 64; ++x) {
      const std::uint32_t row = ((x >> 4) & 2u) | (x & 1u);
      const std::uint32_t column = (x >> 1) & 15u;
      const std::uint32_t nibble = DesSBoxes[64 * box + 16 * row + column];
      sp[box][x] = std::rotl(PermuteP(nibble << (28 - 4 * box)), 1);
    }
  return sp;
}

}  // namespace des_internal

inline constexpr std::array<std::array<std::uint32_t, 64>, 8> DesSpBoxes =
    des_internal::BuildSpBoxes();

// Moves the bits of A selected by Mask << Shift and the bits of B selected
// by Mask into each other's places.
inline void ExchangeBits(std::uint32_t& a, std::uint32_t& b, int shift, std::uint32_t mask) {
  const std::uint32_t t = ((a >> shift) ^ b) & mask;
  b ^= t;
  a ^= t << shift;
}

// IP, and then both halves rotated left by one bit: the form the rounds
// work on (see DesF).
inline void InitialPermutation(DesHalves& h) {
  ExchangeBits(h.left, h.right, 4, 0x0F0F0F0Fu);
  ExchangeBits(h.left, h.right, 16, 0x0000FFFFu);
  ExchangeBits(h.right, h.left, 2, 0x33333333u);
  ExchangeBits(h.right, h.left, 8, 0x00FF00FFu);
  ExchangeBits(h.left, h.right, 1, 0x55555555u);
  h.left = std::rotl(h.left, 1);
  h.right = std::rotl(h.right, 1);
}

// The rotation undone, then IP^-1: each exchange is its own inverse, so
// the steps of IP run backwards.
inline void FinalPermutation(DesHalves& h) {
  h.left = std::rotr(h.left, 1);
  h.right = std::rotr(h.right, 1);
  ExchangeBits(h.left, h.right, 1, 0x55555555u);
  ExchangeBits(h.right, h.left, 8, 0x00FF00FFu);
  ExchangeBits(h.right, h.left, 2, 0x33333333u);
  ExchangeBits(h.left, h.right, 16, 0x0000FFFFu);
  ExchangeBits(h.left, h.right, 4, 0x0F0F0F0Fu);
}

// f(R, K), given R rotated left by one bit and returning f so rotated. E
// gives S-box b the six bits of R from position 4b-4 to 4b+1 (cyclically,
// FIPS numbering): R rotated left by 1 has those of the even boxes 2, 4, 6,
// 8 in its bytes, R rotated right by 3 those of the odd boxes 1, 3, 5, 7.
// Keys[0] and Keys[1] hold the round key's 6-bit groups at the same places.
// Holding the halves rotated saves one rotation per round.
inline std::uint32_t DesF(std::uint32_t rotatedR, const std::uint32_t* keys) {
  const std::uint32_t odd = std::rotr(rotatedR, 4) ^ keys[0];
  const std::uint32_t even = rotatedR ^ keys[1];
  const auto& sp = DesSpBoxes;
  return sp[0][(odd >> 24) & 63] ^ sp[2][(odd >> 16) & 63] ^ sp[4][(odd >> 8) & 63] ^
         sp[6][odd & 63] ^ sp[1][(even >> 24) & 63] ^ sp[3][(even >> 16) & 63] ^
         sp[5][(even >> 8) & 63] ^ sp[7][even & 63];
}

// The sixteen rounds between IP and IP^-1, leaving the halves in the order
// IP^-1 takes them (R16, L16). That order is also what the next DES
// operation's rounds start from, so chained operations skip the permutations
// in between.
inline void DesRounds(DesHalves& h, const DesRoundKeys& keys) {
  std::uint32_t l = h.left, r = h.right;
  for (int i = 0; i < 32; i += 4) {
    l ^= DesF(r, &keys.words[i]);
    r ^= DesF(l, &keys.words[i + 2]);
  }
  h = {r, l};
}

inline DesHalves LoadDesBlock(const void* block) {
  const std::uint64_t v = __builtin_bswap64(LoadLE64(block));
  return {static_cast<std::uint32_t>(v >> 32), static_cast<std::uint32_t>(v)};
}

// One 64-bit store: the chaining modes read the block back as a whole.
inline void StoreDesBlock(void* block, const DesHalves& h) {
  StoreLE64(block, __builtin_bswap64((std::uint64_t{h.left} << 32) | h.right));
}

// One full DES operation; the direction is the one Keys were made for.
inline void DesCrypt(DesHalves& h, const DesRoundKeys& keys) {
  InitialPermutation(h);
  DesRounds(h, keys);
  FinalPermutation(h);
}

}  // namespace hushlake::detail
