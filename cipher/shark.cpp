#include "cipher/shark.h"

#include <array>
#include <cstring>

#include "crypto/bytes.h"
#include "crypto/square_field.h"

namespace hushlake {

const TCipherClass TCipher_Shark::Class = {
    .className = "TCipher_Shark",
    .displayName = "Shark",
    .note = "",
    .blockSize = 8,
    .keySize = 16,
    .userSize = 112,
    .referenceOutputHex = "d96521aac0c384609dce1f8bfbab183fa121acf85349c06f273a8915d37ae90b",
    .create = &CreateCipherInstance<TCipher_Shark>,
};

namespace {

using Matrix = std::array<std::array<std::uint8_t, 8>, 8>;

// The diffusion matrix G of the SHARK paper (Rijmen, Daemen, Preneel,
// Bosselaers, De Win, FSE 1996).
constexpr Matrix DiffusionMatrix = {{
    {0xCE, 0x95, 0x57, 0x82, 0x8A, 0x19, 0xB0, 0x01},
    {0xE7, 0xFE, 0x05, 0xD2, 0x52, 0xC1, 0x88, 0xF1},
    {0xB9, 0xDA, 0x4D, 0xD1, 0x9E, 0x17, 0x83, 0x86},
    {0xD0, 0x9D, 0x26, 0x2C, 0x5D, 0x9F, 0x6D, 0x75},
    {0x52, 0xA9, 0x07, 0x6C, 0xB9, 0x8F, 0x70, 0x17},
    {0x87, 0x28, 0x3A, 0x5A, 0xF4, 0x33, 0x0B, 0x6C},
    {0x74, 0x51, 0x15, 0xCF, 0x09, 0xA4, 0x62, 0x09},
    {0x0B, 0x31, 0x7F, 0x86, 0xBE, 0x05, 0x83, 0x34},
}};

// M, the inverse of G over the same field: the key-schedule and decryption matrix.
constexpr Matrix InverseDiffusionMatrix = {{
    {0xE7, 0x30, 0x90, 0x85, 0xD0, 0x4B, 0x91, 0x41},
    {0x53, 0x95, 0x9B, 0xA5, 0x96, 0xBC, 0xA1, 0x68},
    {0x02, 0x45, 0xF7, 0x65, 0x5C, 0x1F, 0xB6, 0x52},
    {0xA2, 0xCA, 0x22, 0x94, 0x44, 0x63, 0x2A, 0xA2},
    {0xFC, 0x67, 0x8E, 0x10, 0x29, 0x75, 0x85, 0x71},
    {0x24, 0x45, 0xA2, 0xCF, 0x2F, 0x22, 0xC1, 0x0E},
    {0xA1, 0xF1, 0x71, 0x40, 0x91, 0x27, 0x18, 0xA5},
    {0x56, 0xF4, 0xAF, 0x32, 0xD2, 0xA4, 0xDC, 0x71},
}};

constexpr bool MatricesAreInverse() {
  for (int i = 0; i < 8; ++i)
    for (int j = 0; j < 8; ++j) {
      std::uint8_t sum = 0;
      for (int k = 0; k < 8; ++k)
        sum ^= SquareFieldMultiply(DiffusionMatrix[i][k], InverseDiffusionMatrix[k][j]);
      if (sum != (i == j ? 1 : 0)) return false;
    }
  return true;
}
static_assert(MatricesAreInverse());

// Byte k of a state value counts from the most significant end.
constexpr int ShiftOfByte(int k) { return 56 - 8 * k; }
constexpr std::uint8_t ByteAt(std::uint64_t value, int k) {
  return static_cast<std::uint8_t>(value >> ShiftOfByte(k));
}

using RoundTables = std::array<std::array<std::uint64_t, 256>, 8>;

// Table k at x: the contribution of S[x] in state byte k to the whole
// product matrix * S(state), i.e. byte j holds matrix[j][k] * S[x].
constexpr RoundTables BuildRoundTables(const Matrix& matrix,
                                       const std::array<std::uint8_t, 256>& box) {
  RoundTables tables{};
  for (int k = 0; k < 8; ++k)
    for (int x = 0; x < 256; ++x) {
      std::uint64_t entry = 0;
      for (int j = 0; j < 8; ++j)
        entry |= std::uint64_t{SquareFieldMultiply(matrix[j][k], box[x])} << ShiftOfByte(j);
      tables[k][x] = entry;
    }
  return tables;
}

// Built by the compiler: a run that never uses Shark pays nothing for them.
constexpr RoundTables EncryptTables = BuildRoundTables(DiffusionMatrix, SquareSbox);
constexpr RoundTables DecryptTables = BuildRoundTables(InverseDiffusionMatrix, SquareInverseSbox);

inline std::uint64_t MixRound(const RoundTables& t, std::uint64_t s) {
  return t[0][s >> 56] ^ t[1][(s >> 48) & 0xFF] ^ t[2][(s >> 40) & 0xFF] ^ t[3][(s >> 32) & 0xFF] ^
         t[4][(s >> 24) & 0xFF] ^ t[5][(s >> 16) & 0xFF] ^ t[6][(s >> 8) & 0xFF] ^ t[7][s & 0xFF];
}

inline std::uint64_t SubstituteBytes(const std::array<std::uint8_t, 256>& box, std::uint64_t s) {
  std::uint64_t out = 0;
  for (int shift = 0; shift < 64; shift += 8)
    out |= std::uint64_t{box[(s >> shift) & 0xFF]} << shift;
  return out;
}

// Five table rounds, then the last key, the bare S-box and the final key.
inline std::uint64_t RunRounds(const RoundTables& tables, const std::array<std::uint8_t, 256>& box,
                               const std::uint64_t* keys, std::uint64_t s) {
  for (int r = 0; r < TCipher_Shark::Rounds - 1; ++r) s = MixRound(tables, s ^ keys[r]);
  return SubstituteBytes(box, s ^ keys[TCipher_Shark::Rounds - 1]) ^ keys[TCipher_Shark::Rounds];
}

// A_i of the key schedule: key bytes from position 8i+1 on (cyclic in 16),
// the first one most significant.
std::uint64_t KeyWord(const std::uint8_t* key16, int i) {
  std::uint64_t value = 0;
  for (int k = 0; k < 8; ++k) value |= std::uint64_t{key16[(8 * i + 1 + k) % 16]} << ShiftOfByte(k);
  return value;
}

}  // namespace

std::uint64_t TCipher_Shark::Transform(std::uint64_t value) {
  std::uint64_t out = 0;
  for (int i = 0; i < 8; ++i) {
    std::uint8_t sum = 0;
    for (int j = 0; j < 8; ++j)
      sum ^= SquareFieldMultiply(InverseDiffusionMatrix[i][j], ByteAt(value, j));
    out |= std::uint64_t{sum} << ShiftOfByte(i);
  }
  return out;
}

void TCipher_Shark::Init(const void* key, int size, const void* iVector) {
  size = BeginInit(size);
  std::uint8_t padded[16] = {};
  if (size > 0) std::memcpy(padded, key, static_cast<std::size_t>(size));

  std::uint64_t temporary[Rounds + 1];
  for (int i = 0; i <= Rounds; ++i) temporary[i] = EncryptTables[0][i];
  temporary[Rounds] = Transform(temporary[Rounds]);

  std::uint64_t* k = key_->encrypt;
  k[0] = KeyWord(padded, 0) ^ RunRounds(EncryptTables, SquareSbox, temporary, 0);
  for (int i = 1; i <= Rounds; ++i)
    k[i] = KeyWord(padded, i) ^ RunRounds(EncryptTables, SquareSbox, temporary, k[i - 1]);
  k[Rounds] = Transform(k[Rounds]);

  std::uint64_t* d = key_->decrypt;
  d[0] = k[Rounds];
  for (int i = 1; i < Rounds; ++i) d[i] = Transform(k[Rounds - i]);
  d[Rounds] = k[0];

  SecureWipe(padded, sizeof padded);
  FinishInit(iVector);
}

void TCipher_Shark::EncryptBlock(void* block) {
  StoreLE64(block, RunRounds(EncryptTables, SquareSbox, key_->encrypt, LoadLE64(block)));
}

void TCipher_Shark::DecryptBlock(void* block) {
  StoreLE64(block, RunRounds(DecryptTables, SquareInverseSbox, key_->decrypt, LoadLE64(block)));
}

}  // namespace hushlake
