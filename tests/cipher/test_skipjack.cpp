// Skipjack: NIST's vectors and how a short key acts.
#include <gtest/gtest.h>

#include "cipher/skipjack.h"
#include "cipher_test_helpers.h"

namespace hushlake::cipher_test {
namespace {

// NIST byte order: key cv0..cv9 = bytes 0..9, block = four big-endian
// 16-bit words. First the test vector of NIST's SKIPJACK and KEA algorithm
// description, version 2.0 (1998), then NIST SP 800-17 Table 6 (variable-key
// known answers, odd rounds 1 to 79), taken from the byte-reversed copy in
// Crypto++ TestVectors/skipjack.txt and put back in NIST order.
const KnownAnswer SkipjackVectors[] = {
    {"NIST algorithm description 2.0", "00998877665544332211", "33221100ddccbbaa",
     "2587cae27a12d300"},
    {"SP 800-17 Table 6 row 1", "00000000000000000040", "0000000000000000", "f99ebcd1bcf84fa1"},
    {"SP 800-17 Table 6 row 2", "00000000000000000010", "0000000000000000", "35bdaa32332cfe28"},
    {"SP 800-17 Table 6 row 3", "00000000000000000004", "0000000000000000", "4bf72675cbd03d44"},
    {"SP 800-17 Table 6 row 4", "00000000000000000001", "0000000000000000", "1d5bba5e5e759198"},
    {"SP 800-17 Table 6 row 5", "00000000000000004000", "0000000000000000", "8dc47fa4081a3863"},
    {"SP 800-17 Table 6 row 6", "00000000000000001000", "0000000000000000", "5be2d04e61160274"},
    {"SP 800-17 Table 6 row 7", "00000000000000000400", "0000000000000000", "4ebea0b3629b76a9"},
    {"SP 800-17 Table 6 row 8", "00000000000000000100", "0000000000000000", "9db36a15a02b671d"},
    {"SP 800-17 Table 6 row 9", "00000000000000400000", "0000000000000000", "94150d36dc7d48ea"},
    {"SP 800-17 Table 6 row 10", "00000000000000100000", "0000000000000000", "4f4cd6b9c29ef51a"},
    {"SP 800-17 Table 6 row 11", "00000000000000040000", "0000000000000000", "9eaa374a0dfe0b0b"},
    {"SP 800-17 Table 6 row 12", "00000000000000010000", "0000000000000000", "ee4115466c257731"},
    {"SP 800-17 Table 6 row 13", "00000000000040000000", "0000000000000000", "93f7ec22ad35a475"},
    {"SP 800-17 Table 6 row 14", "00000000000010000000", "0000000000000000", "d01da185b118a7ab"},
    {"SP 800-17 Table 6 row 15", "00000000000004000000", "0000000000000000", "f22897b08fa5a038"},
    {"SP 800-17 Table 6 row 16", "00000000000001000000", "0000000000000000", "6008ea39f0935d45"},
    {"SP 800-17 Table 6 row 17", "00000000004000000000", "0000000000000000", "e5c12bbadcf10ff4"},
    {"SP 800-17 Table 6 row 18", "00000000001000000000", "0000000000000000", "360667366e93beb2"},
    {"SP 800-17 Table 6 row 19", "00000000000400000000", "0000000000000000", "56e52f9ad0893c99"},
    {"SP 800-17 Table 6 row 20", "00000000000100000000", "0000000000000000", "51b14c8f22d55996"},
    {"SP 800-17 Table 6 row 21", "00000000400000000000", "0000000000000000", "f601cd7b40bd0035"},
    {"SP 800-17 Table 6 row 22", "00000000100000000000", "0000000000000000", "eaab482d0a841384"},
    {"SP 800-17 Table 6 row 23", "00000000040000000000", "0000000000000000", "5fdc0f9f0d7fe929"},
    {"SP 800-17 Table 6 row 24", "00000000010000000000", "0000000000000000", "4f982a87fb09c410"},
    {"SP 800-17 Table 6 row 25", "00000040000000000000", "0000000000000000", "b9ba85d550903a91"},
    {"SP 800-17 Table 6 row 26", "00000010000000000000", "0000000000000000", "ae6a834d28a70c6c"},
    {"SP 800-17 Table 6 row 27", "00000004000000000000", "0000000000000000", "909dd2a396d5d738"},
    {"SP 800-17 Table 6 row 28", "00000001000000000000", "0000000000000000", "a04bb041877705e4"},
    {"SP 800-17 Table 6 row 29", "00004000000000000000", "0000000000000000", "c7e48c24df31e952"},
    {"SP 800-17 Table 6 row 30", "00001000000000000000", "0000000000000000", "7db4d76168fafa7c"},
    {"SP 800-17 Table 6 row 31", "00000400000000000000", "0000000000000000", "b56a9b1cda073241"},
    {"SP 800-17 Table 6 row 32", "00000100000000000000", "0000000000000000", "09eb30fc852bafed"},
    {"SP 800-17 Table 6 row 33", "00400000000000000000", "0000000000000000", "2f09159996c339e5"},
    {"SP 800-17 Table 6 row 34", "00100000000000000000", "0000000000000000", "9531fa4730ba158b"},
    {"SP 800-17 Table 6 row 35", "00040000000000000000", "0000000000000000", "4110ca0431ec9588"},
    {"SP 800-17 Table 6 row 36", "00010000000000000000", "0000000000000000", "02f093e0eb8032c2"},
    {"SP 800-17 Table 6 row 37", "40000000000000000000", "0000000000000000", "61ce4785762e8980"},
    {"SP 800-17 Table 6 row 38", "10000000000000000000", "0000000000000000", "49e6834776aa219f"},
    {"SP 800-17 Table 6 row 39", "04000000000000000000", "0000000000000000", "d51f7b3a9710ce59"},
    {"SP 800-17 Table 6 row 40", "01000000000000000000", "0000000000000000", "a850b4e3c2e7d074"},
};

INSTANTIATE_TEST_SUITE_P(Skipjack, PublishedVector,
                         ::testing::ValuesIn(KnownAnswersFor(TCipher_Skipjack::Class,
                                                             SkipjackVectors)),
                         KnownAnswerName);

TEST(Skipjack, ShortKeyIsZeroPaddedToTenBytes) {
  TCipher_Skipjack shortKey, paddedKey;
  const ByteString plain = Hex("33221100ddccbbaa");
  EXPECT_EQ(EncryptWithKey(shortKey, Hex("0099887766"), plain),
            EncryptWithKey(paddedKey, Hex("00998877660000000000"), plain));
}

TEST(Skipjack, RegisteredUnderItsName) {
  EXPECT_EQ(CipherClassByName("Skipjack"), &TCipher_Skipjack::Class);
  EXPECT_EQ(CipherClassNote(&TCipher_Skipjack::Class), "");
}

}  // namespace
}  // namespace hushlake::cipher_test
