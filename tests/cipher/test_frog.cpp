// FROG: the AES submission's known answers on its 16-byte block, the class's
// 32-byte block, and the key rules.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <memory>

#include "cipher/frog.h"
#include "cipher_test_helpers.h"

namespace hushlake::cipher_test {
namespace {

std::uint8_t* MutableBytesOf(ByteString& data) {
  return reinterpret_cast<std::uint8_t*>(data.data());
}

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
  const ByteString key = Hex(v.key);
  auto keys = std::make_unique<detail::FrogKeys<16>>();
  detail::FrogSetKey<16>(BytesOf(key), static_cast<int>(key.size()), *keys);
  ByteString block = Hex(v.plain);
  detail::FrogEncrypt<16>(MutableBytesOf(block), keys->encrypt);
  EXPECT_EQ(ToHex(block), v.cipher);
  detail::FrogDecrypt<16>(MutableBytesOf(block), keys->decrypt);
  EXPECT_EQ(ToHex(block), v.plain);
}

INSTANTIATE_TEST_SUITE_P(AesRound1, FrogAesKnownAnswer, ::testing::ValuesIn(FrogAesVectors));

// No published values exist for the 32-byte block: computed with a separate
// prototype of the submission's algorithm at that block size, as guards.
// Keys shorter than five bytes are zero-padded, the empty one too.
const KnownAnswer FrogClassRegression[] = {
    {"prototype, 32-byte block", "000102030405060708090a0b0c0d0e0f",
     "000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f",
     "feddcd8ebbcab0e5e4151ec8991ab9de738bc7fcc63ff58ce082cc8cf0ce3239"},
    {"prototype, 32-byte block, empty key", "",
     "000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f",
     "7724a4f6203619ac53d1ea4676c630f528634098e86ffdb214a69a9ff74b7acd"},
};

INSTANTIATE_TEST_SUITE_P(Frog, PublishedVector,
                         ::testing::ValuesIn(KnownAnswersFor(TCipher_FROG::Class,
                                                             FrogClassRegression)),
                         KnownAnswerName);

INSTANTIATE_TEST_SUITE_P(Frog, EquivalentKeys,
                         ::testing::Values(ZeroPaddedOrCut(TCipher_FROG::Class, Hex("a1b2c3"), 5)),
                         KeyCaseName);

// From five bytes on, the length itself enters the key set-up.
TEST(Frog, FromFiveKeyBytesTheLengthCounts) {
  const ByteString plain = Sequence(32);
  EXPECT_NE(EncryptWithClass(TCipher_FROG::Class, Hex("a1b2c30000"), plain),
            EncryptWithClass(TCipher_FROG::Class, Hex("a1b2c3000000"), plain));
}

// The key set-up's promises at the class's block size, for many keys:
// SubstPermu is a permutation and the decryption key holds its inverse;
// BombPermu never names its own position nor the next one.
TEST(Frog, InternalKeysAreWellFormedAtThirtyTwoBytes) {
  auto keys = std::make_unique<detail::FrogKeys<32>>();
  for (int length = 5; length <= 125; length += 8) {
    const ByteString key = Sequence(static_cast<std::size_t>(length));
    detail::FrogSetKey<32>(BytesOf(key), length, *keys);
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
}  // namespace hushlake::cipher_test
