#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

#include "cipher/mars.h"
#include "cipher_test_helpers.h"

namespace hushlake::cipher_test {
namespace {

ByteString Pattern(std::size_t length) { return Sequence(length, 7, 29); }

// MARS AES-submission known-answer data for the revised key schedule (as
// collected in Crypto++'s TestData/marsval.dat); the 40- and 56-byte rows,
// lengths the submission's files do not cover, agree with Crypto++'s MARS.
const KnownAnswer MarsVectors[] = {
    {"AES submission KAT, 128-bit key", "80000000000000000000000000000000",
     "00000000000000000000000000000000", "b3e2ad5608ac1b6733a7cb4fdf8f9952"},
    {"AES submission KAT, 128-bit key", "00000000000000000000000000000000",
     "dcc07b8dfb0738d6e30a22dfcf27e886", "33caffbddc7f1dda0f9c15fa2f30e2ff"},
    {"AES submission KAT, 128-bit key", "86edf4da31824cabef6a4637c40b0bab",
     "4df955ad5b398d66408d620a2b27e1a9", "a4b737340ae6d2cafd930ba97d86129f"},
    {"AES submission KAT, 192-bit key", "d158860838874d9500000000000000000000000000000000",
     "93a953a82c10411dd158860838874d95", "4fa0e5f64893131712f01408d233e9f7"},
    {"AES submission KAT, 256-bit key",
     "0000000000000000000000000000000000000000000000000000000000000000",
     "62e45b4cf3477f1dd65063729d9aba8f", "0f4b897ea014d21fbc20f1054a42f719"},
    {"Crypto++ MARS, 320-bit key",
     "000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f2021222324252627",
     "00112233445566778899aabbccddeeff", "0347dc9443a5e8c8bfb293133b75b3b5"},
    {"Crypto++ MARS, 448-bit key",
     "000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f2021222324252627"
     "28292a2b2c2d2e2f3031323334353637",
     "00112233445566778899aabbccddeeff", "709d9ae04a3ac4136e3a03702e318260"},
};

INSTANTIATE_TEST_SUITE_P(Mars, PublishedVector,
                         ::testing::ValuesIn(KnownAnswersFor(TCipher_Mars::Class, MarsVectors)),
                         KnownAnswerName);

// Beyond the published 14 words, word i is folded into word i mod 14, so
// equal changes to words 0 and 14 cancel out.
KeyCase FoldedWordsCancel() {
  const ByteString key = Pattern(60);
  ByteString cancelled = key;
  for (std::size_t i = 0; i < 4; ++i) {
    cancelled[i] = static_cast<char>(cancelled[i] ^ 0x5A);
    cancelled[56 + i] = static_cast<char>(cancelled[56 + i] ^ 0x5A);
  }
  return SameKey(TCipher_Mars::Class, key, cancelled);
}

// A key is zero-padded to whole words and to at least four words (the
// schedule then sees the padded words and their count); bytes past the key
// size are cut off.
std::vector<KeyCase> MarsKeyCases() {
  const std::pair<std::size_t, std::size_t> lengths[] = {
      {0, 16}, {1, 16}, {15, 16}, {17, 20}, {55, 56}, {57, 60}, {155, 156}, {170, 156}};
  std::vector<KeyCase> cases;
  for (const auto& [given, actsAs] : lengths)
    cases.push_back(ZeroPaddedOrCut(TCipher_Mars::Class, Pattern(given), actsAs));
  cases.push_back(FoldedWordsCancel());
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Mars, EquivalentKeys, ::testing::ValuesIn(MarsKeyCases()), KeyCaseName);

// The word count still enters the schedule, and every byte up to the key
// size counts.
TEST(Mars, LongKeysKeepTheirWordCountAndEveryByte) {
  const ByteString block = Hex("00112233445566778899aabbccddeeff");
  ByteString withZeroWord = Pattern(56);
  withZeroWord.resize(60, '\0');
  EXPECT_NE(EncryptWithClass(TCipher_Mars::Class, withZeroWord, block),
            EncryptWithClass(TCipher_Mars::Class, Pattern(56), block));

  const ByteString longest = Pattern(156);
  ByteString lastByteChanged = longest;
  lastByteChanged[155] = static_cast<char>(lastByteChanged[155] ^ 1);
  EXPECT_NE(EncryptWithClass(TCipher_Mars::Class, longest, block),
            EncryptWithClass(TCipher_Mars::Class, lastByteChanged, block));
}

}  // namespace
}  // namespace hushlake::cipher_test
