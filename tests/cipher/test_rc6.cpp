#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cipher/rc6.h"
#include "crypto/registry.h"

namespace hushlake {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Hex(std::string_view hex) {
  Bytes bytes;
  for (std::size_t n = 0; n + 1 < hex.size(); n += 2)
    bytes.push_back(
        static_cast<std::uint8_t>(std::stoi(std::string(hex.substr(n, 2)), nullptr, 16)));
  return bytes;
}

std::string ToHex(const Bytes& bytes) {
  static constexpr char Digits[] = "0123456789abcdef";
  std::string hex;
  for (std::uint8_t b : bytes) {
    hex += Digits[b >> 4];
    hex += Digits[b & 15];
  }
  return hex;
}

Bytes EncryptBlockWithKey(TCipher& cipher, const Bytes& key, Bytes block) {
  cipher.Init(key.data(), static_cast<int>(key.size()), nullptr);
  cipher.EncryptBlock(block.data());
  return block;
}

struct Vector {
  const char* key;
  const char* plain;
  const char* cipher;
};

// R. Rivest, M. Robshaw, R. Sidney, Y. L. Yin, "The RC6 Block Cipher" (AES
// submission), test vectors with 16-, 24- and 32-byte keys; words
// little-endian.
const Vector PublishedVectors[] = {
    {"00000000000000000000000000000000", "00000000000000000000000000000000",
     "8fc3a53656b1f778c129df4e9848a41e"},
    {"000000000000000000000000000000000000000000000000", "00000000000000000000000000000000",
     "6cd61bcb190b30384e8a3f168690ae82"},
    {"0000000000000000000000000000000000000000000000000000000000000000",
     "00000000000000000000000000000000", "8f5fbd0510d15fa893fa3fda6e857ec2"},
};

class RC6PublishedVector : public ::testing::TestWithParam<Vector> {};

TEST_P(RC6PublishedVector, EncryptsAndDecryptsTheBlock) {
  const Vector& v = GetParam();
  TCipher_RC6 cipher;
  Bytes block = EncryptBlockWithKey(cipher, Hex(v.key), Hex(v.plain));
  EXPECT_EQ(ToHex(block), v.cipher);
  cipher.DecryptBlock(block.data());
  EXPECT_EQ(ToHex(block), v.plain);
}

INSTANTIATE_TEST_SUITE_P(AesSubmission, RC6PublishedVector, ::testing::ValuesIn(PublishedVectors));

struct RoundsCase {
  int requested;
  int used;
};

// Accepted 16 to 24; anything else means 20.
const RoundsCase RoundsCases[] = {{0, 20},  {-1, 20}, {15, 20}, {16, 16},
                                  {20, 20}, {24, 24}, {25, 20}, {255, 20}};

class RC6Rounds : public ::testing::TestWithParam<RoundsCase> {};

TEST_P(RC6Rounds, InitSettlesTheRoundCount) {
  const Bytes key = Hex("0123456789abcdef0112233445566778"),
              plain = Hex("02132435465768798a9bacbdcedfe0f1");
  TCipher_RC6 requested, expected;
  requested.Rounds = GetParam().requested;
  expected.Rounds = GetParam().used;
  EXPECT_EQ(EncryptBlockWithKey(requested, key, plain), EncryptBlockWithKey(expected, key, plain));
  EXPECT_EQ(requested.Rounds, GetParam().used);
}

INSTANTIATE_TEST_SUITE_P(Table, RC6Rounds, ::testing::ValuesIn(RoundsCases));

TEST(RC6, TheRoundCountChangesTheResult) {
  const Bytes key = Hex("0123456789abcdef0112233445566778"),
              plain = Hex("02132435465768798a9bacbdcedfe0f1");
  TCipher_RC6 twenty, sixteen;
  sixteen.Rounds = 16;
  const Bytes a = EncryptBlockWithKey(twenty, key, plain);
  Bytes b = EncryptBlockWithKey(sixteen, key, plain);
  EXPECT_NE(a, b);
  sixteen.DecryptBlock(b.data());
  EXPECT_EQ(b, plain);
}

// The key is read as little-endian words of its own count, so zero bytes
// up to a whole word change nothing and a further zero word does.
TEST(RC6, KeyIsPaddedToWholeWordsOnly) {
  TCipher_RC6 shortKey, wordKey, longerKey;
  const Bytes plain = Hex("00112233445566778899aabbccddeeff");
  const Bytes a = EncryptBlockWithKey(shortKey, Hex("0102030405"), plain);
  EXPECT_EQ(a, EncryptBlockWithKey(wordKey, Hex("0102030405000000"), plain));
  EXPECT_NE(a, EncryptBlockWithKey(longerKey, Hex("010203040500000000000000"), plain));
}

TEST(RC6, RegisteredUnderItsNameWithItsNote) {
  EXPECT_EQ(CipherClassByName("RC6"), &TCipher_RC6::Class);
  EXPECT_EQ(CipherClassNote(&TCipher_RC6::Class), "Patented by RSA");
}

}  // namespace
}  // namespace hushlake
