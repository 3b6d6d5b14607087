// Q128: the table our build uses, key handling and block independence. Its
// reference output (checked with every class's in test_reference_outputs.cpp)
// is our own regression value, made with this table and cross-checked against
// a separate model written from the algorithm's description; Q128 outputs
// made with other table words cannot be matched.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>

#include "cipher/q128.h"
#include "cipher_test_helpers.h"
#include "crypto/bytes.h"

namespace hushlake::cipher_test {
namespace {

// The rule our table was made with (see cipher/q128_table.cpp): SplitMix64
// from the state 0x51313238, high 32 bits of each output.
std::uint32_t NextSplitMixHigh(std::uint64_t& state) {
  state += 0x9E3779B97F4A7C15ull;
  std::uint64_t z = state;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  z ^= z >> 31;
  return static_cast<std::uint32_t>(z >> 32);
}

TEST(Q128Table, KeepsTheSixFixedWords) {
  EXPECT_EQ(Q128Table[0], 0xD6D92632u);
  EXPECT_EQ(Q128Table[1], 0x5E84404Du);
  EXPECT_EQ(Q128Table[2], 0x4F341282u);
  EXPECT_EQ(Q128Table[3], 0x71654B06u);
  EXPECT_EQ(Q128Table[1022], 0x51A7285Eu);
  EXPECT_EQ(Q128Table[1023], 0x109C2D17u);
}

TEST(Q128Table, OtherWordsComeFromTheStatedGenerator) {
  std::uint64_t state = 0x51313238u;
  for (std::size_t n = 4; n < 1022; ++n) ASSERT_EQ(Q128Table[n], NextSplitMixHigh(state)) << n;
}

// Short keys are zero-padded, long keys cut, and an empty key is the
// all-zero key.
INSTANTIATE_TEST_SUITE_P(
    Q128, EquivalentKeys,
    ::testing::Values(ZeroPaddedOrCut(TCipher_Q128::Class, Sequence(12, 1), 16),
                      ZeroPaddedOrCut(TCipher_Q128::Class, Sequence(20, 1), 16),
                      ZeroPaddedOrCut(TCipher_Q128::Class, ByteString(), 16)),
    KeyCaseName);

// The padding above is no accident of a key ignored past twelve bytes.
TEST(Q128Cipher, KeyBytesPastTheTwelfthCount) {
  TCipher_Q128 shortKey, fullKey;
  EXPECT_NE(CbcSample(shortKey, Sequence(12, 1)), CbcSample(fullKey, Sequence(16, 1)));
}

// No state between blocks: equal blocks give equal cipher blocks, and
// DecryptBlock undoes EncryptBlock for every block tried.
TEST(Q128Cipher, BlocksAreIndependentAndDecryptInverts) {
  TCipher_Q128 cipher;
  InitWith(cipher, Sequence(16, 0xA5));
  cipher.Mode = cmECB;
  const ByteString twice = Encipher(cipher, ByteString(32, '\0'));
  EXPECT_TRUE(std::equal(twice.begin(), twice.begin() + 16, twice.begin() + 16));
  std::uint64_t state = 1;
  for (int n = 0; n < 1000; ++n) {
    std::array<std::uint8_t, 16> block{}, original{};
    for (int w = 0; w < 4; ++w) StoreLE32(block.data() + 4 * w, NextSplitMixHigh(state));
    original = block;
    cipher.EncryptBlock(block.data());
    ASSERT_NE(block, original);
    cipher.DecryptBlock(block.data());
    ASSERT_EQ(block, original);
  }
}

}  // namespace
}  // namespace hushlake::cipher_test
