// Diamond II and Diamond II Lite: the key generator, the box tables and
// their lifetime, and round trips over many block values.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <type_traits>

#include "cipher/diamond2.h"
#include "cipher_test_helpers.h"
#include "crypto/exceptions.h"

namespace hushlake::cipher_test {
namespace {

static_assert(std::is_base_of_v<TCipher_Diamond2, TCipher_Diamond2Lite>);

// A 20-byte key, the length of the SHA-1 and RipeMD-160 digests InitKey passes.
const ByteString DigestLikeKey = Hex("5f3a9c0e71b2d48866e0f1a2b3c4d5e6f7081929");

class Diamond2Family : public ::testing::TestWithParam<const TCipherClass*> {
 protected:
  CipherPtr Keyed(const ByteString& key) const {
    CipherPtr cipher = GetParam()->Create();
    InitWith(*cipher, key);
    return cipher;
  }
};

// The block is too wide to try every value: random blocks, then blocks that
// feed every box entry of every position, single bits, and the extremes.
TEST_P(Diamond2Family, EveryBlockTriedDeciphersBack) {
  CipherPtr cipher = Keyed(DigestLikeKey);
  const auto size = static_cast<std::size_t>(GetParam()->blockSize);
  std::vector<ByteString> blocks;
  std::mt19937 random(20240611);
  for (int i = 0; i < 20000; ++i) {
    ByteString block(size, '\0');
    for (auto& byte : block) byte = static_cast<char>(random());
    blocks.push_back(block);
  }
  for (int value = 0; value < 256; ++value) blocks.emplace_back(size, static_cast<char>(value));
  for (std::size_t bit = 0; bit < size * 8; ++bit) {
    ByteString block(size, '\0');
    block[bit / 8] = static_cast<char>(1u << (bit % 8));
    blocks.push_back(block);
    for (auto& byte : block) byte = static_cast<char>(~byte);
    blocks.push_back(block);
  }
  int unchanged = 0;
  for (const ByteString& block : blocks) {
    const ByteString encrypted = EncryptOne(*cipher, block);
    unchanged += encrypted == block ? 1 : 0;
    ASSERT_EQ(DecryptOne(*cipher, encrypted), block) << ToHex(block);
  }
  EXPECT_EQ(unchanged, 0);
}

TEST_P(Diamond2Family, FreshObjectBuildsTenRoundsOfPermutationBoxes) {
  CipherPtr cipher = Keyed(DigestLikeKey);
  auto& diamond = dynamic_cast<TCipher_Diamond2&>(*cipher);
  EXPECT_EQ(diamond.Rounds, 10);
  const auto boxes = static_cast<std::size_t>(10 * GetParam()->blockSize);
  const auto encrypt = diamond.EncryptBoxes();
  const auto decrypt = diamond.DecryptBoxes();
  ASSERT_EQ(encrypt.size(), boxes * 256);
  ASSERT_EQ(decrypt.size(), boxes * 256);
  const std::size_t blockSize = static_cast<std::size_t>(GetParam()->blockSize);
  for (std::size_t b = 0; b < boxes; ++b) {
    const std::uint8_t* forward = encrypt.data() + b * 256;
    std::array<bool, 256> seen{};
    for (int i = 0; i < 256; ++i) seen[forward[i]] = true;
    EXPECT_TRUE(std::all_of(seen.begin(), seen.end(), [](bool s) { return s; })) << "box " << b;
    // Decrypt slot (Rounds-1-r, j) inverts encrypt box (r, j).
    const std::size_t r = b / blockSize, j = b % blockSize;
    const std::uint8_t* inverse = decrypt.data() + ((9 - r) * blockSize + j) * 256;
    for (int i = 0; i < 256; ++i) ASSERT_EQ(inverse[forward[i]], i) << "box " << b;
  }
}

// Both keys feed the generator 5a 5a 5a ...; only the length bytes that
// enter at each wrap tell them apart.
TEST_P(Diamond2Family, TwoEqualBytesAndFourEqualBytesGiveDifferentBoxes) {
  CipherPtr two = Keyed(ByteString(2, '\x5A'));
  CipherPtr four = Keyed(ByteString(4, '\x5A'));
  const auto a = dynamic_cast<TCipher_Diamond2&>(*two).EncryptBoxes();
  const auto b = dynamic_cast<TCipher_Diamond2&>(*four).EncryptBoxes();
  EXPECT_FALSE(std::equal(a.begin(), a.end(), b.begin(), b.end()));
}

// An empty key never comes from InitKey; here it reads as a zero byte that
// wraps at every step, which is a fixed, working key.
TEST_P(Diamond2Family, EmptyKeyIsUsable) {
  const std::uint8_t none = 0;
  CipherPtr first = GetParam()->Create(), second = GetParam()->Create();
  first->Init(&none, 0, nullptr);
  second->Init(&none, 0, nullptr);
  const ByteString block(static_cast<std::size_t>(GetParam()->blockSize), '\x3C');
  const ByteString encrypted = EncryptOne(*first, block);
  EXPECT_EQ(encrypted, EncryptOne(*second, block));
  EXPECT_NE(encrypted, block);
  EXPECT_EQ(DecryptOne(*first, encrypted), block);
}

// Rounds is public and SetRounds may be called at any time: the block
// functions keep to the layers the boxes were built for.
TEST_P(Diamond2Family, RoundsChangedAfterInitTakeEffectAtTheNextInit) {
  CipherPtr cipher = Keyed(DigestLikeKey);
  auto& diamond = dynamic_cast<TCipher_Diamond2&>(*cipher);
  const ByteString block(static_cast<std::size_t>(GetParam()->blockSize), '\xA5');
  const ByteString before = EncryptOne(*cipher, block);
  diamond.SetRounds(15);
  EXPECT_EQ(EncryptOne(*cipher, block), before);
  InitWith(*cipher, DigestLikeKey);
  EXPECT_EQ(diamond.EncryptBoxes().size(),
            static_cast<std::size_t>(15 * GetParam()->blockSize * 256));
  const ByteString after = EncryptOne(*cipher, block);
  EXPECT_NE(after, before);
  EXPECT_EQ(DecryptOne(*cipher, after), block);
}

// Scrub is what Init starts with and what ends the key: the boxes are key
// material and go with it, and nothing may read them afterwards.
class ScrubProbe : public TCipher_Diamond2 {
 public:
  using TCipher_Diamond2::Scrub;
};

TEST(Diamond2, ScrubReleasesTheBoxesAndBlocksRefuse) {
  ScrubProbe cipher;
  InitWith(cipher, DigestLikeKey);
  ASSERT_FALSE(cipher.EncryptBoxes().empty());
  cipher.Scrub();
  EXPECT_TRUE(cipher.EncryptBoxes().empty());
  EXPECT_TRUE(cipher.DecryptBoxes().empty());
  EXPECT_FALSE(cipher.Initialized());
  ByteString block(16, '\0');
  try {
    cipher.EncryptBlock(block.data());
    FAIL() << "EncryptBlock without boxes";
  } catch (const ECipherException& e) {
    EXPECT_EQ(e.ErrorCode(), ECipherException::NotInitialized);
  }
  EXPECT_THROW(cipher.DecryptBlock(block.data()), ECipherException);
  EXPECT_THROW(cipher.EncipherBuffer(block.data(), block.data(), 16), ECipherException);
}

TEST(Diamond2, SetRoundsKeepsTheAcceptedRanges) {
  TCipher_Diamond2 full;
  TCipher_Diamond2Lite lite;
  const std::pair<int, int> fullCases[] = {{0, 10}, {4, 10}, {5, 5}, {15, 15}, {16, 10}};
  for (auto [value, used] : fullCases) {
    full.SetRounds(value);
    EXPECT_EQ(full.Rounds, used) << value;
  }
  const std::pair<int, int> liteCases[] = {{3, 10}, {4, 4}, {30, 30}, {31, 10}};
  for (auto [value, used] : liteCases) {
    lite.SetRounds(value);
    EXPECT_EQ(lite.Rounds, used) << value;
  }
}

TEST(Diamond2KeyRand, ZeroMaximumConsumesNoKeyByte) {
  const ByteString key = Hex("0102030405");
  Diamond2KeyRand withZero(BytesOf(key), 5), without(BytesOf(key), 5);
  EXPECT_EQ(withZero.Next(0), 0u);
  for (unsigned max : {255u, 17u, 1u, 200u, 3u, 255u, 255u})
    EXPECT_EQ(withZero.Next(max), without.Next(max));
}

TEST(Diamond2KeyRand, ValuesStayWithinTheMaximum) {
  Diamond2KeyRand generator(BytesOf(DigestLikeKey), static_cast<int>(DigestLikeKey.size()));
  for (int round = 0; round < 20; ++round)
    for (unsigned max = 1; max < 256; ++max) ASSERT_LE(generator.Next(max), max);
}

INSTANTIATE_TEST_SUITE_P(Classes, Diamond2Family,
                         ::testing::Values(&TCipher_Diamond2::Class, &TCipher_Diamond2Lite::Class),
                         ShortNameOf);

}  // namespace
}  // namespace hushlake::cipher_test
