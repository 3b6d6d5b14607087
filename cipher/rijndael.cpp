#include "cipher/rijndael.h"

#include <algorithm>
#include <array>
#include <bit>

#include "cipher/block_words.h"
#include "cipher/rijndael_tables.h"
#include "crypto/bytes.h"

namespace hushlake {

const TCipherClass TCipher_Rijndael::Class = {
    .className = "TCipher_Rijndael",
    .displayName = "Rijndael",
    .note = "",
    .blockSize = 16,
    .keySize = 32,
    .userSize = 480,
    .referenceOutputHex = "946d2b5ee0ad1b5ca523a513958b3d2d9387f3374551f6589be7901b3687f9a9",
    .create = &CreateCipherInstance<TCipher_Rijndael>,
};

namespace {

using detail::AesInverseSbox;
using detail::AesSbox;

constexpr std::uint8_t Times2(std::uint8_t x) {
  return static_cast<std::uint8_t>((x << 1) ^ ((x & 0x80) != 0 ? 0x1B : 0x00));
}

constexpr std::uint8_t GfMultiply(std::uint8_t a, std::uint8_t b) {
  std::uint8_t product = 0;
  for (; b != 0; b = static_cast<std::uint8_t>(b >> 1), a = Times2(a))
    if ((b & 1) != 0) product ^= a;
  return product;
}

constexpr std::uint32_t Column(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3) {
  return std::uint32_t{b0} | std::uint32_t{b1} << 8 | std::uint32_t{b2} << 16 |
         std::uint32_t{b3} << 24;
}

// One table per row of the state: SubBytes and MixColumns (or their
// inverses) for one byte, rotated into place for its row. Columns are
// little-endian words, row 0 in the low byte.
using RowTables = std::array<std::array<std::uint32_t, 256>, 4>;
struct RoundTables {
  RowTables encrypt{};
  RowTables decrypt{};
};

constexpr RoundTables MakeRoundTables() {
  RoundTables t;
  for (int x = 0; x < 256; ++x) {
    const std::uint8_t s = AesSbox[x];
    const std::uint8_t i = AesInverseSbox[x];
    const std::uint32_t e = Column(GfMultiply(s, 2), s, s, GfMultiply(s, 3));
    const std::uint32_t d =
        Column(GfMultiply(i, 14), GfMultiply(i, 9), GfMultiply(i, 13), GfMultiply(i, 11));
    t.encrypt[0][x] = e;
    t.decrypt[0][x] = d;
    for (int row = 1; row < 4; ++row) {
      t.encrypt[row][x] = std::rotl(e, 8 * row);
      t.decrypt[row][x] = std::rotl(d, 8 * row);
    }
  }
  return t;
}

constexpr RoundTables Tables = MakeRoundTables();
constexpr const auto& Te = Tables.encrypt;
constexpr const auto& Td = Tables.decrypt;

inline std::uint32_t Byte0(std::uint32_t w) { return w & 0xFF; }
inline std::uint32_t Byte1(std::uint32_t w) { return (w >> 8) & 0xFF; }
inline std::uint32_t Byte2(std::uint32_t w) { return (w >> 16) & 0xFF; }
inline std::uint32_t Byte3(std::uint32_t w) { return w >> 24; }

// One output column of an inner round: row r of the input comes from column
// word r of the arguments.
inline std::uint32_t RoundColumn(const RowTables& t, std::uint32_t a, std::uint32_t b,
                                 std::uint32_t c, std::uint32_t d) {
  return t[0][Byte0(a)] ^ t[1][Byte1(b)] ^ t[2][Byte2(c)] ^ t[3][Byte3(d)];
}

// One output column of the last round, which has no (Inv)MixColumns.
inline std::uint32_t SubColumn(const std::array<std::uint8_t, 256>& box, std::uint32_t a,
                               std::uint32_t b, std::uint32_t c, std::uint32_t d) {
  return Column(box[Byte0(a)], box[Byte1(b)], box[Byte2(c)], box[Byte3(d)]);
}

std::uint32_t SubWord(std::uint32_t w) {
  return Column(AesSbox[Byte0(w)], AesSbox[Byte1(w)], AesSbox[Byte2(w)], AesSbox[Byte3(w)]);
}

// InvMixColumns alone: the decryption tables include the inverse S-box,
// which the forward S-box cancels.
std::uint32_t InverseMixColumn(std::uint32_t w) {
  return Td[0][AesSbox[Byte0(w)]] ^ Td[1][AesSbox[Byte1(w)]] ^ Td[2][AesSbox[Byte2(w)]] ^
         Td[3][AesSbox[Byte3(w)]];
}

int RoundsForKeyLength(int length) {
  if (length <= 16) return 10;
  if (length <= 24) return 12;
  return 14;
}

void ExpandEncryptionKey(const std::uint8_t* paddedKey, int keyWords, int rounds,
                         std::uint32_t* w) {
  const int total = 4 * (rounds + 1);
  for (int i = 0; i < keyWords; ++i) w[i] = LoadLE32(paddedKey + 4 * i);
  std::uint8_t roundConstant = 1;
  for (int i = keyWords; i < total; ++i) {
    std::uint32_t temp = w[i - 1];
    if (i % keyWords == 0) {
      temp = SubWord((temp >> 8) | (temp << 24)) ^ roundConstant;
      roundConstant = Times2(roundConstant);
    } else if (keyWords > 6 && i % keyWords == 4) {
      temp = SubWord(temp);
    }
    w[i] = w[i - keyWords] ^ temp;
  }
}

void DeriveDecryptionKey(const std::uint32_t* encrypt, int rounds, std::uint32_t* decrypt) {
  for (int c = 0; c < 4; ++c) {
    decrypt[c] = encrypt[4 * rounds + c];
    decrypt[4 * rounds + c] = encrypt[c];
  }
  for (int r = 1; r < rounds; ++r)
    for (int c = 0; c < 4; ++c)
      decrypt[4 * r + c] = InverseMixColumn(encrypt[4 * (rounds - r) + c]);
}

}  // namespace

void TCipher_Rijndael::Init(const void* key, int size, const void* iVector) {
  size = BeginInit(size);
  rounds_ = RoundsForKeyLength(size);
  SecureStorage<std::array<std::uint8_t, 32>> paddedKey;
  if (size > 0) std::copy_n(static_cast<const std::uint8_t*>(key), size, paddedKey->begin());
  const int keyWords = rounds_ - 6;  // 4, 6 or 8
  ExpandEncryptionKey(paddedKey->data(), keyWords, rounds_, key_->encrypt);
  DeriveDecryptionKey(key_->encrypt, rounds_, key_->decrypt);
  FinishInit(iVector);
}

void TCipher_Rijndael::EncryptBlock(void* block) {
  auto* b = static_cast<std::uint8_t*>(block);
  const std::uint32_t* rk = key_->encrypt;
  std::uint32_t s0 = LoadLE32(b) ^ rk[0];
  std::uint32_t s1 = LoadLE32(b + 4) ^ rk[1];
  std::uint32_t s2 = LoadLE32(b + 8) ^ rk[2];
  std::uint32_t s3 = LoadLE32(b + 12) ^ rk[3];
  // ShiftRows: column c takes row r from column c + r.
  for (int round = 1; round < rounds_; ++round) {
    rk += 4;
    const std::uint32_t t0 = RoundColumn(Te, s0, s1, s2, s3) ^ rk[0];
    const std::uint32_t t1 = RoundColumn(Te, s1, s2, s3, s0) ^ rk[1];
    const std::uint32_t t2 = RoundColumn(Te, s2, s3, s0, s1) ^ rk[2];
    const std::uint32_t t3 = RoundColumn(Te, s3, s0, s1, s2) ^ rk[3];
    s0 = t0;
    s1 = t1;
    s2 = t2;
    s3 = t3;
  }
  rk += 4;
  detail::StoreFourLE32(
      b, SubColumn(AesSbox, s0, s1, s2, s3) ^ rk[0], SubColumn(AesSbox, s1, s2, s3, s0) ^ rk[1],
      SubColumn(AesSbox, s2, s3, s0, s1) ^ rk[2], SubColumn(AesSbox, s3, s0, s1, s2) ^ rk[3]);
}

void TCipher_Rijndael::DecryptBlock(void* block) {
  auto* b = static_cast<std::uint8_t*>(block);
  const std::uint32_t* rk = key_->decrypt;
  std::uint32_t s0 = LoadLE32(b) ^ rk[0];
  std::uint32_t s1 = LoadLE32(b + 4) ^ rk[1];
  std::uint32_t s2 = LoadLE32(b + 8) ^ rk[2];
  std::uint32_t s3 = LoadLE32(b + 12) ^ rk[3];
  // InvShiftRows: column c takes row r from column c - r.
  for (int round = 1; round < rounds_; ++round) {
    rk += 4;
    const std::uint32_t t0 = RoundColumn(Td, s0, s3, s2, s1) ^ rk[0];
    const std::uint32_t t1 = RoundColumn(Td, s1, s0, s3, s2) ^ rk[1];
    const std::uint32_t t2 = RoundColumn(Td, s2, s1, s0, s3) ^ rk[2];
    const std::uint32_t t3 = RoundColumn(Td, s3, s2, s1, s0) ^ rk[3];
    s0 = t0;
    s1 = t1;
    s2 = t2;
    s3 = t3;
  }
  rk += 4;
  detail::StoreFourLE32(b, SubColumn(AesInverseSbox, s0, s3, s2, s1) ^ rk[0],
                        SubColumn(AesInverseSbox, s1, s0, s3, s2) ^ rk[1],
                        SubColumn(AesInverseSbox, s2, s1, s0, s3) ^ rk[2],
                        SubColumn(AesInverseSbox, s3, s2, s1, s0) ^ rk[3]);
}

}  // namespace hushlake
