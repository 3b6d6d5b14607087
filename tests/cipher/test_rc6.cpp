// RC6: the published vectors, the round count and how the key is padded.
#include <gtest/gtest.h>

#include "cipher/rc6.h"
#include "cipher_test_helpers.h"

namespace hushlake::cipher_test {
namespace {

// R. Rivest, M. Robshaw, R. Sidney, Y. L. Yin, "The RC6 Block Cipher" (AES
// submission), test vectors with 16-, 24- and 32-byte keys; words
// little-endian.
const KnownAnswer RC6Vectors[] = {
    {"AES submission, 16-byte key", "00000000000000000000000000000000",
     "00000000000000000000000000000000", "8fc3a53656b1f778c129df4e9848a41e"},
    {"AES submission, 24-byte key", "000000000000000000000000000000000000000000000000",
     "00000000000000000000000000000000", "6cd61bcb190b30384e8a3f168690ae82"},
    {"AES submission, 32-byte key",
     "0000000000000000000000000000000000000000000000000000000000000000",
     "00000000000000000000000000000000", "8f5fbd0510d15fa893fa3fda6e857ec2"},
};

INSTANTIATE_TEST_SUITE_P(RC6, PublishedVector,
                         ::testing::ValuesIn(KnownAnswersFor(TCipher_RC6::Class, RC6Vectors)),
                         KnownAnswerName);

struct RoundsCase {
  int requested;
  int used;
};

void PrintTo(const RoundsCase& c, std::ostream* out) {
  *out << c.requested << " rounds asked, " << c.used << " used";
}

// Accepted 16 to 24; anything else means 20.
const RoundsCase RoundsCases[] = {{0, 20},  {-1, 20}, {15, 20}, {16, 16},
                                  {20, 20}, {24, 24}, {25, 20}, {255, 20}};

class RC6Rounds : public ::testing::TestWithParam<RoundsCase> {};

TEST_P(RC6Rounds, InitSettlesTheRoundCount) {
  const ByteString key = Hex("0123456789abcdef0112233445566778"),
                   plain = Hex("02132435465768798a9bacbdcedfe0f1");
  TCipher_RC6 requested, expected;
  requested.Rounds = GetParam().requested;
  expected.Rounds = GetParam().used;
  EXPECT_EQ(EncryptWithKey(requested, key, plain), EncryptWithKey(expected, key, plain));
  EXPECT_EQ(requested.Rounds, GetParam().used);
}

INSTANTIATE_TEST_SUITE_P(Table, RC6Rounds, ::testing::ValuesIn(RoundsCases));

TEST(RC6, TheRoundCountChangesTheResult) {
  const ByteString key = Hex("0123456789abcdef0112233445566778"),
                   plain = Hex("02132435465768798a9bacbdcedfe0f1");
  TCipher_RC6 twenty, sixteen;
  sixteen.Rounds = 16;
  const ByteString a = EncryptWithKey(twenty, key, plain);
  ByteString b = EncryptWithKey(sixteen, key, plain);
  EXPECT_NE(a, b);
  sixteen.DecryptBlock(b.data());
  EXPECT_EQ(b, plain);
}

// The key is read as little-endian words of its own count, so zero bytes
// up to a whole word change nothing and a further zero word does.
TEST(RC6, KeyIsPaddedToWholeWordsOnly) {
  TCipher_RC6 shortKey, wordKey, longerKey;
  const ByteString plain = Hex("00112233445566778899aabbccddeeff");
  const ByteString a = EncryptWithKey(shortKey, Hex("0102030405"), plain);
  EXPECT_EQ(a, EncryptWithKey(wordKey, Hex("0102030405000000"), plain));
  EXPECT_NE(a, EncryptWithKey(longerKey, Hex("010203040500000000000000"), plain));
}

TEST(RC6, RegisteredUnderItsNameWithItsNote) {
  EXPECT_EQ(CipherClassByName("RC6"), &TCipher_RC6::Class);
  EXPECT_EQ(CipherClassNote(&TCipher_RC6::Class), "Patented by RSA");
}

}  // namespace
}  // namespace hushlake::cipher_test
