#include "cipher/twofish.h"

#include <algorithm>
#include <array>
#include <bit>

#include "cipher/block_words.h"
#include "cipher/twofish_tables.h"
#include "crypto/bytes.h"

namespace hushlake {

const TCipherClass TCipher_Twofish::Class = {
    .className = "TCipher_Twofish",
    .displayName = "Twofish",
    .note = "",
    .blockSize = 16,
    .keySize = 32,
    .userSize = 4256,
    .referenceOutputHex = "a5535703ef3348799f22b4549705841987bd831c4dae1213607c7cd198450219",
    .create = &CreateCipherInstance<TCipher_Twofish>,
};

void TCipher_Twofish::Init(const void* key, int size, const void* iVector) {
  size = BeginInit(size);
  detail::ExpandTwofishKey(static_cast<const std::uint8_t*>(key), size,
                           detail::TwofishOddWords::Halved, *key_);
  FinishInit(iVector);
}

void TCipher_Twofish::EncryptBlock(void* block) { detail::EncryptTwofishBlock(*key_, block); }

void TCipher_Twofish::DecryptBlock(void* block) { detail::DecryptTwofishBlock(*key_, block); }

namespace detail {

namespace {

constexpr unsigned MdsPolynomial = 0x169;  // x^8 + x^6 + x^5 + x^3 + 1
constexpr unsigned RsPolynomial = 0x14D;   // x^8 + x^6 + x^3 + x^2 + 1
constexpr std::uint32_t Rho = 0x01010101;

constexpr std::uint8_t GfMultiply(unsigned a, unsigned b, unsigned polynomial) {
  unsigned product = 0;
  for (; b != 0; b >>= 1) {
    if ((b & 1) != 0) product ^= a;
    a <<= 1;
    if ((a & 0x100) != 0) a ^= polynomial;
  }
  return static_cast<std::uint8_t>(product);
}

constexpr std::uint8_t ByteOf(std::uint32_t word, int j) {
  return static_cast<std::uint8_t>(word >> (8 * j));
}

using WordTables = std::array<std::array<std::uint32_t, 256>, 4>;

// Column j of the MDS matrix times every byte value, row i in byte i of the
// word, so that MDS times a vector is the XOR of four lookups.
constexpr WordTables MakeMdsColumns() {
  WordTables columns{};
  for (int j = 0; j < 4; ++j)
    for (unsigned y = 0; y < 256; ++y)
      for (int i = 0; i < 4; ++i)
        columns[j][y] |= std::uint32_t{GfMultiply(TwofishMds[4 * i + j], y, MdsPolynomial)}
                         << (8 * i);
  return columns;
}

constexpr WordTables MdsColumns = MakeMdsColumns();

constexpr const std::array<std::uint8_t, 256>* Q[2] = {&TwofishQ0, &TwofishQ1};
// The permutation applied to byte j before key word L[s] is added, for
// stages s = 3 (256-bit keys only) down to 0, and the last one before MDS.
constexpr int StageQ[4][4] = {{0, 0, 1, 1}, {0, 1, 0, 1}, {1, 1, 0, 0}, {1, 0, 0, 1}};
constexpr int FinalQ[4] = {1, 0, 1, 0};

std::uint8_t KeyedPermutation(int j, std::uint8_t x, const std::uint32_t* list, int words) {
  for (int s = words - 1; s >= 0; --s) x = (*Q[StageQ[s][j]])[x] ^ ByteOf(list[s], j);
  return (*Q[FinalQ[j]])[x];
}

// The function h of the Twofish paper: keyed permutations, then MDS.
std::uint32_t H(std::uint32_t x, const std::uint32_t* list, int words) {
  std::uint32_t result = 0;
  for (int j = 0; j < 4; ++j)
    result ^= MdsColumns[j][KeyedPermutation(j, ByteOf(x, j), list, words)];
  return result;
}

// One S-box key word: RS times eight key bytes over GF(2^8) mod 0x14D.
std::uint32_t RsWord(const std::uint8_t* keyBytes) {
  std::uint32_t word = 0;
  for (int row = 0; row < 4; ++row) {
    std::uint8_t value = 0;
    for (int c = 0; c < 8; ++c)
      value ^= GfMultiply(TwofishRs[8 * row + c], keyBytes[c], RsPolynomial);
    word |= std::uint32_t{value} << (8 * row);
  }
  return word;
}

int KeyWords(int length) {
  if (length <= 16) return 2;
  if (length <= 24) return 3;
  return 4;
}

struct KeyMaterial {
  std::uint8_t padded[32];
  std::uint32_t even[4], odd[4], sboxKey[4];
};

inline std::uint32_t G0(const TwofishSchedule& k, std::uint32_t x) {
  return k.sbox[0][x & 0xFF] ^ k.sbox[1][(x >> 8) & 0xFF] ^ k.sbox[2][(x >> 16) & 0xFF] ^
         k.sbox[3][x >> 24];
}

// g of the word rotated left by 8 bits.
inline std::uint32_t G1(const TwofishSchedule& k, std::uint32_t x) {
  return k.sbox[0][x >> 24] ^ k.sbox[1][x & 0xFF] ^ k.sbox[2][(x >> 8) & 0xFF] ^
         k.sbox[3][(x >> 16) & 0xFF];
}

}  // namespace

void ExpandTwofishKey(const std::uint8_t* key, int length, TwofishOddWords rule,
                      TwofishSchedule& schedule) {
  length = std::clamp(length, 0, 32);
  const int words = KeyWords(length);
  SecureStorage<KeyMaterial> work;
  KeyMaterial& m = *work;
  if (length > 0) std::copy_n(key, length, m.padded);
  for (int i = 0; i < words; ++i) {
    m.even[i] = LoadLE32(m.padded + 8 * i);
    m.odd[i] = LoadLE32(m.padded + 8 * i + 4);
    m.sboxKey[words - 1 - i] = RsWord(m.padded + 8 * i);
  }
  for (std::uint32_t i = 0; i < 20; ++i) {
    const std::uint32_t a = H(2 * i * Rho, m.even, words);
    const std::uint32_t b = std::rotl(H((2 * i + 1) * Rho, m.odd, words), 8);
    schedule.subkeys[2 * i] = a + b;
    const std::uint32_t odd = rule == TwofishOddWords::Published ? a + 2 * b : a + (b >> 1);
    schedule.subkeys[2 * i + 1] = std::rotl(odd, 9);
  }
  for (int j = 0; j < 4; ++j)
    for (unsigned x = 0; x < 256; ++x)
      schedule.sbox[j][x] =
          MdsColumns[j][KeyedPermutation(j, static_cast<std::uint8_t>(x), m.sboxKey, words)];
}

void EncryptTwofishBlock(const TwofishSchedule& k, void* block) {
  auto* p = static_cast<std::uint8_t*>(block);
  const std::uint32_t* key = k.subkeys;
  std::uint32_t a = LoadLE32(p) ^ key[0];
  std::uint32_t b = LoadLE32(p + 4) ^ key[1];
  std::uint32_t c = LoadLE32(p + 8) ^ key[2];
  std::uint32_t d = LoadLE32(p + 12) ^ key[3];
  // Two rounds per pass; the halves trade places by naming instead of swaps.
  for (const std::uint32_t* round = key + 8; round < key + 40; round += 4) {
    std::uint32_t t0 = G0(k, a);
    std::uint32_t t1 = G1(k, b);
    c = std::rotr(c ^ (t0 + t1 + round[0]), 1);
    d = std::rotl(d, 1) ^ (t0 + 2 * t1 + round[1]);
    t0 = G0(k, c);
    t1 = G1(k, d);
    a = std::rotr(a ^ (t0 + t1 + round[2]), 1);
    b = std::rotl(b, 1) ^ (t0 + 2 * t1 + round[3]);
  }
  StoreFourLE32(p, c ^ key[4], d ^ key[5], a ^ key[6], b ^ key[7]);
}

void DecryptTwofishBlock(const TwofishSchedule& k, void* block) {
  auto* p = static_cast<std::uint8_t*>(block);
  const std::uint32_t* key = k.subkeys;
  std::uint32_t c = LoadLE32(p) ^ key[4];
  std::uint32_t d = LoadLE32(p + 4) ^ key[5];
  std::uint32_t a = LoadLE32(p + 8) ^ key[6];
  std::uint32_t b = LoadLE32(p + 12) ^ key[7];
  for (const std::uint32_t* round = key + 36; round >= key + 8; round -= 4) {
    std::uint32_t t0 = G0(k, c);
    std::uint32_t t1 = G1(k, d);
    a = std::rotl(a, 1) ^ (t0 + t1 + round[2]);
    b = std::rotr(b ^ (t0 + 2 * t1 + round[3]), 1);
    t0 = G0(k, a);
    t1 = G1(k, b);
    c = std::rotl(c, 1) ^ (t0 + t1 + round[0]);
    d = std::rotr(d ^ (t0 + 2 * t1 + round[1]), 1);
  }
  StoreFourLE32(p, a ^ key[0], b ^ key[1], c ^ key[2], d ^ key[3]);
}

}  // namespace detail

}  // namespace hushlake
