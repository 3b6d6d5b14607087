// RC5: the published examples, the round count and how the key is padded.
#include <gtest/gtest.h>

#include "cipher/rc5.h"
#include "cipher_test_helpers.h"

namespace hushlake::cipher_test {
namespace {

// R. Rivest, "The RC5 Encryption Algorithm" (1994), RC5-32/12/16 examples
// 1, 3 and 5 (as in Crypto++ TestData/rc5val.dat); words little-endian.
const KnownAnswer RC5Vectors[] = {
    {"Rivest 1994 example 1", "00000000000000000000000000000000", "0000000000000000",
     "21a5dbee154b8f6d"},
    {"Rivest 1994 example 3", "783348e75aeb0f2fd7b169bb8dc16787", "f7c013ac5b2b8952",
     "2f42b3b70369fc92"},
    {"Rivest 1994 example 5", "5269f149d41ba0152497574d7f153125", "65c178b284d197cc",
     "eb44e415da319824"},
};

INSTANTIATE_TEST_SUITE_P(RC5, PublishedVector,
                         ::testing::ValuesIn(KnownAnswersFor(TCipher_RC5::Class, RC5Vectors)),
                         KnownAnswerName);

struct RoundsCase {
  int requested;
  int used;
};

void PrintTo(const RoundsCase& c, std::ostream* out) {
  *out << c.requested << " rounds asked, " << c.used << " used";
}

// Accepted 8 to 16; anything else means 12.
const RoundsCase RoundsCases[] = {{0, 12},  {-1, 12}, {7, 12},  {8, 8},
                                  {12, 12}, {16, 16}, {17, 12}, {255, 12}};

class RC5Rounds : public ::testing::TestWithParam<RoundsCase> {};

TEST_P(RC5Rounds, InitSettlesTheRoundCount) {
  const ByteString key = Hex("783348e75aeb0f2fd7b169bb8dc16787"), plain = Hex("f7c013ac5b2b8952");
  TCipher_RC5 requested, expected;
  requested.Rounds = GetParam().requested;
  expected.Rounds = GetParam().used;
  EXPECT_EQ(EncryptWithKey(requested, key, plain), EncryptWithKey(expected, key, plain));
  EXPECT_EQ(requested.Rounds, GetParam().used);
}

INSTANTIATE_TEST_SUITE_P(Table, RC5Rounds, ::testing::ValuesIn(RoundsCases));

TEST(RC5, TheRoundCountChangesTheResult) {
  const ByteString key = Hex("783348e75aeb0f2fd7b169bb8dc16787"), plain = Hex("f7c013ac5b2b8952");
  TCipher_RC5 twelve, sixteen;
  sixteen.Rounds = 16;
  const ByteString a = EncryptWithKey(twelve, key, plain);
  ByteString b = EncryptWithKey(sixteen, key, plain);
  EXPECT_NE(a, b);
  sixteen.DecryptBlock(b.data());
  EXPECT_EQ(b, plain);
}

// The key is read as little-endian words of its own count, so zero bytes
// up to a whole word change nothing and a further zero word does.
TEST(RC5, KeyIsPaddedToWholeWordsOnly) {
  TCipher_RC5 shortKey, wordKey, longerKey;
  const ByteString plain = Hex("0011223344556677");
  const ByteString a = EncryptWithKey(shortKey, Hex("0102030405"), plain);
  EXPECT_EQ(a, EncryptWithKey(wordKey, Hex("0102030405000000"), plain));
  EXPECT_NE(a, EncryptWithKey(longerKey, Hex("010203040500000000000000"), plain));
}

TEST(RC5, RegisteredUnderItsNameWithItsNote) {
  EXPECT_EQ(CipherClassByName("RC5"), &TCipher_RC5::Class);
  EXPECT_EQ(CipherClassNote(&TCipher_RC5::Class), "Patented by RSA");
}

}  // namespace
}  // namespace hushlake::cipher_test
