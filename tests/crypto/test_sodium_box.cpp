// The libsodium interface of sealed pictures: what the format relies on.
#include <gtest/gtest.h>

#include <array>
#include <set>

#include "common/testing_stretchers.h"
#include "crypto/sealed/sodium_box.h"

namespace hushlake::sealed {
namespace {

std::array<std::uint8_t, kSaltBytes> SaltOf(std::uint8_t value) {
  std::array<std::uint8_t, kSaltBytes> salt{};
  salt.fill(value);
  return salt;
}

TEST(SodiumBox, StretchingDependsOnPassphraseAndSaltAndNothingElse) {
  const Argon2idStretcher stretcher = TestingStretchers::Fast();
  const SecretBytes a = stretcher.Stretch("correct horse", SaltOf(1));
  EXPECT_EQ(a.size(), kKeyBytes);
  EXPECT_EQ(a.Value(), stretcher.Stretch("correct horse", SaltOf(1)).Value());
  EXPECT_NE(a.Value(), stretcher.Stretch("correct horsf", SaltOf(1)).Value());
  EXPECT_NE(a.Value(), stretcher.Stretch("correct horse", SaltOf(2)).Value());
}

TEST(SodiumBox, SubkeysAreDistinctPerNumberAndRepeatable) {
  const SecretBytes master = TestingStretchers::Fast().Stretch("passphrase", SaltOf(7));
  std::set<std::vector<std::uint8_t>> seen;
  for (std::uint64_t id = 1; id <= 4; ++id) {
    const SecretBytes subkey = DeriveSubkey(master, id);
    EXPECT_EQ(subkey.Value(), DeriveSubkey(master, id).Value());
    EXPECT_NE(subkey.Value(), master.Value());
    seen.emplace(subkey.begin(), subkey.end());
  }
  EXPECT_EQ(seen.size(), 4u);
}

TEST(SodiumBox, SealedBytesOpenOnlyWhenWholeAndUnderTheirKey) {
  const SecretBytes key = PublicKeyFromText("key one");
  const SecretBytes other = PublicKeyFromText("key two");
  std::array<std::uint8_t, kNonceBytes> nonce{};
  nonce[0] = 9;
  const std::vector<std::uint8_t> plain = {'h', 'e', 'l', 'l', 'o'};
  const std::vector<std::uint8_t> sealed = Seal(key, nonce, plain);
  ASSERT_EQ(sealed.size(), plain.size() + kTagBytes);
  const auto opened = Open(key, nonce, sealed);
  ASSERT_TRUE(opened.has_value());
  EXPECT_TRUE(std::equal(opened->begin(), opened->end(), plain.begin(), plain.end()));
  EXPECT_FALSE(Open(other, nonce, sealed).has_value());
  for (std::size_t bit = 0; bit < sealed.size() * 8; ++bit) {
    std::vector<std::uint8_t> changed = sealed;
    changed[bit / 8] ^= static_cast<std::uint8_t>(1u << (bit % 8));
    EXPECT_FALSE(Open(key, nonce, changed).has_value()) << "bit " << bit;
  }
  EXPECT_FALSE(Open(key, nonce, std::span(sealed).first(kTagBytes - 1)).has_value());
  // Context bytes are authenticated, not carried: another context refuses.
  const std::vector<std::uint8_t> context = {1, 2, 3};
  const std::vector<std::uint8_t> bound = Seal(key, nonce, plain, context);
  EXPECT_EQ(bound.size(), sealed.size());
  EXPECT_TRUE(Open(key, nonce, bound, context).has_value());
  EXPECT_FALSE(Open(key, nonce, bound).has_value());
  EXPECT_FALSE(Open(key, nonce, bound, std::vector<std::uint8_t>{1, 2, 4}).has_value());
  // An empty text still carries its tag.
  const auto empty = Open(key, nonce, Seal(key, nonce, {}));
  ASSERT_TRUE(empty.has_value());
  EXPECT_TRUE(empty->empty());
}

TEST(SodiumBox, KeyStreamIsRepeatableAndBoundedDrawsStayInRange) {
  const SecretBytes key = PublicKeyFromText("stream");
  const std::array<std::uint8_t, kNonceBytes> nonce{};
  KeyStream first(key, nonce);
  KeyStream second(key, nonce);
  // Past one buffer, so a refill continues the stream instead of repeating it.
  std::set<std::uint32_t> words;
  for (int i = 0; i < 3000; ++i) {
    const std::uint32_t word = first.NextWord();
    EXPECT_EQ(word, second.NextWord());
    words.insert(word);
  }
  EXPECT_GT(words.size(), 2990u);
  std::array<int, 7> counts{};
  for (int i = 0; i < 7000; ++i) {
    const std::uint32_t value = first.Below(7);
    ASSERT_LT(value, 7u);
    ++counts[value];
  }
  for (int count : counts) EXPECT_NEAR(count, 1000, 150);
  EXPECT_EQ(first.Below(1), 0u);
}

TEST(SodiumBox, DigestInPiecesEqualsTheDigestAtOnce) {
  const std::string text = "the rest of the picture, fed in pieces of any size";
  const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
  Blake2b pieces;
  pieces.Update(bytes.first(5));
  pieces.Update(bytes.subspan(5, 0));
  pieces.Update(bytes.subspan(5));
  const auto digest = pieces.Final();
  const SecretBytes atOnce = PublicKeyFromText(text);
  EXPECT_TRUE(std::equal(digest.begin(), digest.end(), atOnce.begin(), atOnce.end()));
}

TEST(SodiumBox, FreshRandomBytesDiffer) {
  std::array<std::uint8_t, 32> a{};
  std::array<std::uint8_t, 32> b{};
  FillRandom(a);
  FillRandom(b);
  EXPECT_NE(a, b);
}

}  // namespace
}  // namespace hushlake::sealed
