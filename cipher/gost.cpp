#include "cipher/gost.h"

#include <array>
#include <bit>
#include <cstring>

#include "crypto/bytes.h"

namespace hushlake {

const TCipherClass TCipher_Gost::Class = {
    .className = "TCipher_Gost",
    .displayName = "Gost",
    .note = "",
    .blockSize = 8,
    .keySize = 32,
    .userSize = 32,
    .referenceOutputHex = "b303a03fb57b914d97512440bdcf251534059cf8ab10869ff2804784479b1ad1",
    .create = &CreateCipherInstance<TCipher_Gost>,
};

namespace {

// GOST R 34.11-94 test parameter set (RFC 4357, id-GostR3411-94-TestParamSet).
// Row k is S-box k+1; S-box 1 substitutes bits 0-3, S-box 8 bits 28-31.
constexpr std::uint8_t SBox[8][16] = {
    {4, 10, 9, 2, 13, 8, 0, 14, 6, 11, 1, 12, 7, 15, 5, 3},
    {14, 11, 4, 12, 6, 13, 15, 10, 2, 3, 8, 1, 0, 7, 5, 9},
    {5, 8, 1, 13, 10, 3, 4, 2, 14, 15, 12, 7, 6, 0, 9, 11},
    {7, 13, 10, 1, 0, 8, 9, 15, 14, 4, 6, 12, 11, 2, 5, 3},
    {6, 12, 7, 1, 5, 15, 13, 8, 4, 10, 9, 14, 0, 3, 11, 2},
    {4, 11, 10, 0, 7, 2, 1, 13, 3, 6, 8, 5, 9, 12, 15, 14},
    {13, 11, 4, 1, 3, 15, 5, 9, 0, 10, 14, 7, 6, 8, 2, 12},
    {1, 15, 13, 0, 5, 7, 10, 4, 9, 2, 3, 14, 6, 11, 8, 12},
};

using RoundTables = std::array<std::array<std::uint32_t, 256>, 4>;

// Table t maps byte t of the round input through S-boxes 2t+1 and 2t+2 and
// the rotation by 11, so the round function is four lookups and three XORs.
// Evaluated by the compiler: the block function never builds anything.
constexpr RoundTables MakeRoundTables() {
  RoundTables tables{};
  for (int t = 0; t < 4; ++t) {
    for (std::uint32_t x = 0; x < 256; ++x) {
      const std::uint32_t low = SBox[2 * t][x & 15];
      const std::uint32_t high = SBox[2 * t + 1][x >> 4];
      tables[t][x] = std::rotl(((high << 4) | low) << (8 * t), 11);
    }
  }
  return tables;
}

constexpr RoundTables Tables = MakeRoundTables();

inline std::uint32_t F(std::uint32_t x) {
  return Tables[0][x & 0xFF] ^ Tables[1][(x >> 8) & 0xFF] ^ Tables[2][(x >> 16) & 0xFF] ^
         Tables[3][x >> 24];
}

// Eight steps with subkeys k[0..7] ascending or descending; n2 takes the first.
template <bool Ascending>
inline void EightSteps(std::uint32_t& n1, std::uint32_t& n2, const std::uint32_t* k) {
  constexpr int i0 = Ascending ? 0 : 7;
  constexpr int step = Ascending ? 1 : -1;
  n2 ^= F(n1 + k[i0]);
  n1 ^= F(n2 + k[i0 + step]);
  n2 ^= F(n1 + k[i0 + 2 * step]);
  n1 ^= F(n2 + k[i0 + 3 * step]);
  n2 ^= F(n1 + k[i0 + 4 * step]);
  n1 ^= F(n2 + k[i0 + 5 * step]);
  n2 ^= F(n1 + k[i0 + 6 * step]);
  n1 ^= F(n2 + k[i0 + 7 * step]);
}

// N2 then N1, in one store: the chaining modes read the block back as one
// word, and two narrower stores would stall that load.
inline void StoreOutput(void* block, std::uint32_t n1, std::uint32_t n2) {
  StoreLE64(block, n2 | static_cast<std::uint64_t>(n1) << 32);
}

}  // namespace

void TCipher_Gost::Init(const void* key, int size, const void* iVector) {
  size = BeginInit(size);
  // The schedule is zero after BeginInit, so a short key arrives zero-padded.
  if (size > 0) std::memcpy(key_->k, key, static_cast<std::size_t>(size));
  FinishInit(iVector);
}

void TCipher_Gost::EncryptBlock(void* block) {
  const std::uint64_t n = LoadLE64(block);
  auto n1 = static_cast<std::uint32_t>(n), n2 = static_cast<std::uint32_t>(n >> 32);
  const std::uint32_t* k = key_->k;
  EightSteps<true>(n1, n2, k);
  EightSteps<true>(n1, n2, k);
  EightSteps<true>(n1, n2, k);
  EightSteps<false>(n1, n2, k);
  StoreOutput(block, n1, n2);
}

void TCipher_Gost::DecryptBlock(void* block) {
  const std::uint64_t n = LoadLE64(block);
  auto n1 = static_cast<std::uint32_t>(n), n2 = static_cast<std::uint32_t>(n >> 32);
  const std::uint32_t* k = key_->k;
  EightSteps<true>(n1, n2, k);
  EightSteps<false>(n1, n2, k);
  EightSteps<false>(n1, n2, k);
  EightSteps<false>(n1, n2, k);
  StoreOutput(block, n1, n2);
}

}  // namespace hushlake
