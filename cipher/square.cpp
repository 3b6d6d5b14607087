#include "cipher/square.h"

#include <array>
#include <bit>
#include <cstring>

#include "crypto/bytes.h"
#include "crypto/square_field.h"

namespace hushlake {

const TCipherClass TCipher_Square::Class = {
    .className = "TCipher_Square",
    .displayName = "Square",
    .note = "",
    .blockSize = 16,
    .keySize = 16,
    .userSize = 288,
    .referenceOutputHex = "439ca6c467e82e472295668506396ac9182120f74436f1617d1490b1a96856c7",
    .create = &CreateCipherInstance<TCipher_Square>,
};

namespace {

// Coefficients of theta, c(x) = 2 + x + x^2 + 3x^3, and of its inverse
// modulo x^4 + 1 in this field.
constexpr std::array<std::uint8_t, 4> ThetaCoefficients = {0x02, 0x01, 0x01, 0x03};
constexpr std::array<std::uint8_t, 4> InverseThetaCoefficients = {0x0E, 0x09, 0x0D, 0x0B};

constexpr bool CoefficientsAreInverse() {
  for (int j = 0; j < 4; ++j) {
    std::uint8_t sum = 0;
    for (int m = 0; m < 4; ++m)
      sum ^= SquareFieldMultiply(ThetaCoefficients[m], InverseThetaCoefficients[(j - m + 4) % 4]);
    if (sum != (j == 0 ? 1 : 0)) return false;
  }
  return true;
}
static_assert(CoefficientsAreInverse());

constexpr std::uint8_t RowByte(std::uint32_t row, int j) {
  return static_cast<std::uint8_t>(row >> (8 * j));
}

// Multiplies a row by the polynomial with the given coefficients.
constexpr std::uint32_t MultiplyRow(const std::array<std::uint8_t, 4>& c, std::uint32_t row) {
  std::uint32_t out = 0;
  for (int j = 0; j < 4; ++j) {
    std::uint8_t sum = 0;
    for (int m = 0; m < 4; ++m) sum ^= SquareFieldMultiply(c[m], RowByte(row, (j - m + 4) % 4));
    out |= std::uint32_t{sum} << (8 * j);
  }
  return out;
}

// Table m at x: what box[x] in row m of the input adds, after the
// transposition, to the row polynomial times c; the rows of one column of
// the input become one output row.
using RoundTables = std::array<std::array<std::uint32_t, 256>, 4>;

constexpr RoundTables BuildRoundTables(const std::array<std::uint8_t, 4>& c,
                                       const std::array<std::uint8_t, 256>& box) {
  RoundTables tables{};
  for (int x = 0; x < 256; ++x) {
    const std::uint32_t base = MultiplyRow(c, box[x]);
    for (int m = 0; m < 4; ++m) tables[m][x] = std::rotl(base, 8 * m);
  }
  return tables;
}

// Built by the compiler: a run that never uses Square pays nothing for them.
constexpr RoundTables EncryptTables = BuildRoundTables(ThetaCoefficients, SquareSbox);
constexpr RoundTables DecryptTables = BuildRoundTables(InverseThetaCoefficients, SquareInverseSbox);

using State = std::array<std::uint32_t, 4>;

inline State LoadState(const void* block) {
  const auto* p = static_cast<const std::uint8_t*>(block);
  return {LoadLE32(p), LoadLE32(p + 4), LoadLE32(p + 8), LoadLE32(p + 12)};
}

inline void StoreState(void* block, const State& u) {
  auto* p = static_cast<std::uint8_t*>(block);
  for (int i = 0; i < 4; ++i) StoreLE32(p + 4 * i, u[i]);
}

// The linear layer of the tables applied to box, transposition, then a key.
inline State TableRound(const RoundTables& t, const State& u, const std::uint32_t* key) {
  State out;
  for (int i = 0; i < 4; ++i) {
    const int shift = 8 * i;
    out[i] = t[0][(u[0] >> shift) & 0xFF] ^ t[1][(u[1] >> shift) & 0xFF] ^
             t[2][(u[2] >> shift) & 0xFF] ^ t[3][(u[3] >> shift) & 0xFF] ^ key[i];
  }
  return out;
}

// Box and transposition without the linear layer, then a key.
inline State LastRound(const std::array<std::uint8_t, 256>& box, const State& u,
                       const std::uint32_t* key) {
  State out;
  for (int i = 0; i < 4; ++i) {
    const int shift = 8 * i;
    out[i] = (std::uint32_t{box[(u[0] >> shift) & 0xFF]} |
              std::uint32_t{box[(u[1] >> shift) & 0xFF]} << 8 |
              std::uint32_t{box[(u[2] >> shift) & 0xFF]} << 16 |
              std::uint32_t{box[(u[3] >> shift) & 0xFF]} << 24) ^
             key[i];
  }
  return out;
}

inline void Cipher(const RoundTables& tables, const std::array<std::uint8_t, 256>& box,
                   const std::uint32_t (*keys)[4], void* block) {
  State u = LoadState(block);
  for (int i = 0; i < 4; ++i) u[i] ^= keys[0][i];
  for (int t = 1; t < TCipher_Square::Rounds; ++t) u = TableRound(tables, u, keys[t]);
  StoreState(block, LastRound(box, u, keys[TCipher_Square::Rounds]));
}

}  // namespace

std::uint32_t TCipher_Square::Theta(std::uint32_t row) {
  return MultiplyRow(ThetaCoefficients, row);
}

void TCipher_Square::Init(const void* key, int size, const void* iVector) {
  size = BeginInit(size);
  // Round key 0 is the key, zero-padded to four words.
  RoundKey plain[Rounds + 1] = {};
  if (size > 0) std::memcpy(plain[0], key, static_cast<std::size_t>(size));
  for (int t = 1; t <= Rounds; ++t) {
    const std::uint32_t* prev = plain[t - 1];
    std::uint32_t* next = plain[t];
    next[0] = prev[0] ^ std::rotr(prev[3], 8) ^ (1u << (t - 1));
    for (int i = 1; i < 4; ++i) next[i] = prev[i] ^ next[i - 1];
  }

  for (int t = 0; t < Rounds; ++t)
    for (int i = 0; i < 4; ++i) key_->encrypt[t][i] = Theta(plain[t][i]);
  std::memcpy(key_->encrypt[Rounds], plain[Rounds], sizeof(RoundKey));

  for (int t = 0; t < Rounds; ++t)
    std::memcpy(key_->decrypt[t], plain[Rounds - t], sizeof(RoundKey));
  std::memcpy(key_->decrypt[Rounds], key_->encrypt[0], sizeof(RoundKey));

  SecureWipe(plain, sizeof plain);
  FinishInit(iVector);
}

void TCipher_Square::EncryptBlock(void* block) {
  Cipher(EncryptTables, SquareSbox, key_->encrypt, block);
}

void TCipher_Square::DecryptBlock(void* block) {
  Cipher(DecryptTables, SquareInverseSbox, key_->decrypt, block);
}

}  // namespace hushlake
