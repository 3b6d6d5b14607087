// FROG: the AES submission's known answers on its 16-byte block, the class's
// 32-byte block, and the key rules.
#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "cipher/frog.h"
#include "crypto/string_format.h"

namespace hushlake {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Hex(std::string_view hex) {
  const ByteString raw = DecodeFromFormat(hex, FormatHEX);
  return Bytes(raw.begin(), raw.end());
}

std::string ToHex(const Bytes& bytes) {
  return EncodeToFormat(ByteString(bytes.begin(), bytes.end()), FormatHEXL);
}

struct KnownAnswer {
  const char* source;
  const char* key;
  const char* plain;
  const char* cipher;
};

void PrintTo(const KnownAnswer& v, std::ostream* out) { *out << v.source; }

// FROG AES round-1 known-answer files (TecApro, 1998), 16-byte block. The
// files print keys and blocks from their last byte; here byte 0 comes first
// (e.g. the file's KEY=8000...00 is key byte 15 = 80).
const KnownAnswer FrogAesVectors[] = {
    {"ecb_vk.txt I=1, 128-bit key", "00000000000000000000000000000080",
     "00000000000000000000000000000000", "1e1a2a532de59da7e230cc718ad2cb6c"},
    {"ecb_vt.txt I=1, 128-bit key", "00000000000000000000000000000000",
     "00000000000000000000000000000080", "82700ab3533100fcd02de6bd6988af43"},
    {"all-zero 128-bit key and block", "00000000000000000000000000000000",
     "00000000000000000000000000000000", "ce0f0611ec5ea12607d4bb435b58f0bf"},
    {"ecb_vk.txt I=1, 256-bit key",
     "0000000000000000000000000000000000000000000000000000000000000080",
     "00000000000000000000000000000000", "e100a4921e34bc89b9c6182b42c6b4b3"},
};

class FrogAesKnownAnswer : public ::testing::TestWithParam<KnownAnswer> {};

TEST_P(FrogAesKnownAnswer, EncryptsAndDecryptsTheSubmissionsBlock) {
  const KnownAnswer& v = GetParam();
  const Bytes key = Hex(v.key);
  auto keys = std::make_unique<detail::FrogKeys<16>>();
  detail::FrogSetKey<16>(key.data(), static_cast<int>(key.size()), *keys);
  Bytes block = Hex(v.plain);
  detail::FrogEncrypt<16>(block.data(), keys->encrypt);
  EXPECT_EQ(ToHex(block), v.cipher);
  detail::FrogDecrypt<16>(block.data(), keys->decrypt);
  EXPECT_EQ(ToHex(block), v.plain);
}

INSTANTIATE_TEST_SUITE_P(AesRound1, FrogAesKnownAnswer, ::testing::ValuesIn(FrogAesVectors));

Bytes EncryptWithKey(const Bytes& key, Bytes block) {
  TCipher_FROG frog;
  frog.Init(key.data(), static_cast<int>(key.size()), nullptr);
  frog.EncryptBlock(block.data());
  return block;
}

Bytes Counting(std::size_t size) {
  Bytes bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i);
  return bytes;
}

// No published values exist for the 32-byte block: computed with a separate
// prototype of the submission's algorithm at that block size, as a guard.
TEST(Frog, ThirtyTwoByteBlockRegression) {
  EXPECT_EQ(ToHex(EncryptWithKey(Counting(16), Counting(32))),
            "feddcd8ebbcab0e5e4151ec8991ab9de738bc7fcc63ff58ce082cc8cf0ce3239");
}

TEST(Frog, KeysShorterThanFiveBytesAreZeroPadded) {
  const Bytes plain = Counting(32);
  EXPECT_EQ(ToHex(EncryptWithKey(Bytes{}, plain)),
            "7724a4f6203619ac53d1ea4676c630f528634098e86ffdb214a69a9ff74b7acd");
  EXPECT_EQ(EncryptWithKey(Hex("a1b2c3"), plain), EncryptWithKey(Hex("a1b2c30000"), plain));
  // From five bytes on, the length itself enters the key set-up.
  EXPECT_NE(EncryptWithKey(Hex("a1b2c30000"), plain), EncryptWithKey(Hex("a1b2c3000000"), plain));
}

// The key set-up's promises at the class's block size, for many keys:
// SubstPermu is a permutation and the decryption key holds its inverse;
// BombPermu never names its own position nor the next one.
TEST(Frog, InternalKeysAreWellFormedAtThirtyTwoBytes) {
  auto keys = std::make_unique<detail::FrogKeys<32>>();
  for (int length = 5; length <= 125; length += 8) {
    const Bytes key = Counting(static_cast<std::size_t>(length));
    detail::FrogSetKey<32>(key.data(), length, *keys);
    for (std::size_t it = 0; it < keys->encrypt.size(); ++it) {
      const auto& enc = keys->encrypt[it];
      const auto& dec = keys->decrypt[it];
      for (int x = 0; x < 256; ++x)
        ASSERT_EQ(dec.substPermu[enc.substPermu[x]], x) << "key length " << length;
      for (int i = 0; i < 32; ++i) {
        EXPECT_NE(enc.bombPermu[i], i) << "key length " << length;
        EXPECT_NE(enc.bombPermu[i], (i + 1) % 32) << "key length " << length;
      }
    }
  }
}

}  // namespace
}  // namespace hushlake
