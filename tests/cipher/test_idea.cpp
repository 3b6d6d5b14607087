#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cipher/idea.h"
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

// X. Lai and J. L. Massey's example (key 0001 0002 ... 0008) and Crypto++
// TestData/ideaval.dat; big-endian 16-bit words, byte 0 first.
const Vector PublishedVectors[] = {
    {"00010002000300040005000600070008", "0000000100020003", "11fbed2b01986de5"},
    {"00010002000300040005000600070008", "0019324b647d96af", "9f0a0ab6e10ced78"},
    {"00010002000300040005000600070008", "fae6d2beaa96826e", "85df52005608193d"},
    {"00010002000300040005000600070008", "050a0f14191e2328", "7b7314925de59c09"},
    {"3a984e2000195db32ee501c8c47cea60", "0102030405060708", "97bcd8200780da86"},
    {"9d4075c103bc322afb03e7be6ab30006", "0808080808080808", "f5db1ac45e5ef9f9"},
};

class IdeaPublishedVector : public ::testing::TestWithParam<Vector> {};

TEST_P(IdeaPublishedVector, EncryptsAndDecryptsTheBlock) {
  const Vector& v = GetParam();
  TCipher_IDEA cipher;
  Bytes block = EncryptBlockWithKey(cipher, Hex(v.key), Hex(v.plain));
  EXPECT_EQ(ToHex(block), v.cipher);
  cipher.DecryptBlock(block.data());
  EXPECT_EQ(ToHex(block), v.plain);
}

INSTANTIATE_TEST_SUITE_P(LaiMasseyAndCryptopp, IdeaPublishedVector,
                         ::testing::ValuesIn(PublishedVectors));

// Against plain modular arithmetic, with 0 standing for 65536.
TEST(IdeaArithmetic, MultiplyIsMultiplicationModulo65537) {
  const auto value = [](std::uint32_t word) { return word == 0 ? 65536u : word; };
  const std::uint16_t samples[] = {0, 1, 2, 3, 255, 256, 0x7FFF, 0x8000, 0xFFFE, 0xFFFF, 0x1234};
  for (std::uint16_t a : samples) {
    for (std::uint16_t b : samples) {
      const std::uint64_t expected = std::uint64_t{value(a)} * value(b) % 65537;
      EXPECT_EQ(value(idea::Multiply(a, b)), expected) << a << " * " << b;
    }
  }
}

TEST(IdeaArithmetic, EveryWordTimesItsInverseIsOne) {
  for (std::uint32_t x = 0; x <= 0xFFFF; ++x) {
    const auto word = static_cast<std::uint16_t>(x);
    ASSERT_EQ(idea::Multiply(word, idea::MultiplicativeInverse(word)), 1) << x;
  }
}

TEST(IdeaKey, ShortKeyIsZeroPaddedToSixteenBytes) {
  TCipher_IDEA shortKey, paddedKey;
  const Bytes plain = Hex("0011223344556677");
  EXPECT_EQ(EncryptBlockWithKey(shortKey, Hex("0102030405060708090a0b0c"), plain),
            EncryptBlockWithKey(paddedKey, Hex("0102030405060708090a0b0c00000000"), plain));
}

TEST(IdeaRegistry, RegisteredUnderItsNameWithItsNote) {
  EXPECT_EQ(CipherClassByName("IDEA"), &TCipher_IDEA::Class);
  EXPECT_EQ(CipherClassNote(&TCipher_IDEA::Class), "free for non-commercial");
}

}  // namespace
}  // namespace hushlake
