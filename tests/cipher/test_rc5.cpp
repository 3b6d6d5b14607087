#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cipher/rc5.h"
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

// R. Rivest, "The RC5 Encryption Algorithm" (1994), RC5-32/12/16 examples
// 1, 3 and 5 (as in Crypto++ TestData/rc5val.dat); words little-endian.
const Vector PublishedVectors[] = {
    {"00000000000000000000000000000000", "0000000000000000", "21a5dbee154b8f6d"},
    {"783348e75aeb0f2fd7b169bb8dc16787", "f7c013ac5b2b8952", "2f42b3b70369fc92"},
    {"5269f149d41ba0152497574d7f153125", "65c178b284d197cc", "eb44e415da319824"},
};

class RC5PublishedVector : public ::testing::TestWithParam<Vector> {};

TEST_P(RC5PublishedVector, EncryptsAndDecryptsTheBlock) {
  const Vector& v = GetParam();
  TCipher_RC5 cipher;
  Bytes block = EncryptBlockWithKey(cipher, Hex(v.key), Hex(v.plain));
  EXPECT_EQ(ToHex(block), v.cipher);
  cipher.DecryptBlock(block.data());
  EXPECT_EQ(ToHex(block), v.plain);
}

INSTANTIATE_TEST_SUITE_P(Rivest1994, RC5PublishedVector, ::testing::ValuesIn(PublishedVectors));

struct RoundsCase {
  int requested;
  int used;
};

// Accepted 8 to 16; anything else means 12.
const RoundsCase RoundsCases[] = {{0, 12},  {-1, 12}, {7, 12},  {8, 8},
                                  {12, 12}, {16, 16}, {17, 12}, {255, 12}};

class RC5Rounds : public ::testing::TestWithParam<RoundsCase> {};

TEST_P(RC5Rounds, InitSettlesTheRoundCount) {
  const Bytes key = Hex("783348e75aeb0f2fd7b169bb8dc16787"), plain = Hex("f7c013ac5b2b8952");
  TCipher_RC5 requested, expected;
  requested.Rounds = GetParam().requested;
  expected.Rounds = GetParam().used;
  EXPECT_EQ(EncryptBlockWithKey(requested, key, plain), EncryptBlockWithKey(expected, key, plain));
  EXPECT_EQ(requested.Rounds, GetParam().used);
}

INSTANTIATE_TEST_SUITE_P(Table, RC5Rounds, ::testing::ValuesIn(RoundsCases));

TEST(RC5, TheRoundCountChangesTheResult) {
  const Bytes key = Hex("783348e75aeb0f2fd7b169bb8dc16787"), plain = Hex("f7c013ac5b2b8952");
  TCipher_RC5 twelve, sixteen;
  sixteen.Rounds = 16;
  const Bytes a = EncryptBlockWithKey(twelve, key, plain);
  Bytes b = EncryptBlockWithKey(sixteen, key, plain);
  EXPECT_NE(a, b);
  sixteen.DecryptBlock(b.data());
  EXPECT_EQ(b, plain);
}

// The key is read as little-endian words of its own count, so zero bytes
// up to a whole word change nothing and a further zero word does.
TEST(RC5, KeyIsPaddedToWholeWordsOnly) {
  TCipher_RC5 shortKey, wordKey, longerKey;
  const Bytes plain = Hex("0011223344556677");
  const Bytes a = EncryptBlockWithKey(shortKey, Hex("0102030405"), plain);
  EXPECT_EQ(a, EncryptBlockWithKey(wordKey, Hex("0102030405000000"), plain));
  EXPECT_NE(a, EncryptBlockWithKey(longerKey, Hex("010203040500000000000000"), plain));
}

TEST(RC5, RegisteredUnderItsNameWithItsNote) {
  EXPECT_EQ(CipherClassByName("RC5"), &TCipher_RC5::Class);
  EXPECT_EQ(CipherClassNote(&TCipher_RC5::Class), "Patented by RSA");
}

}  // namespace
}  // namespace hushlake
