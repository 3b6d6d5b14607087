#include <gtest/gtest.h>

#include "cipher/safer.h"
#include "cipher_checks.h"
#include "crypto/registry.h"

namespace hushlake {
namespace {

using testing::EncryptWithKey;
using testing::Hex;
using testing::ToHex;

TCipher_SAFER& AsSafer(const CipherPtr& cipher) { return dynamic_cast<TCipher_SAFER&>(*cipher); }

class SaferReferenceOutput : public ::testing::TestWithParam<const TCipherClass*> {};

TEST_P(SaferReferenceOutput, MatchesTheClassReference) {
  testing::ExpectReferenceOutput(*GetParam());
}

INSTANTIATE_TEST_SUITE_P(Offered, SaferReferenceOutput,
                         ::testing::Values(&TCipher_SAFER_K128::Class, &TCipher_SAFER_SK128::Class),
                         testing::ClassParamName());

struct SaferVector {
  const TCipherClass* cls;
  int rounds;  // 0: the class default
  const char* key;
  const char* plain;
  const char* cipher;
};

// The designers' examples, file check.ref of the SAFER reference
// implementation (R. De Moliner, J. L. Massey, ETH Zurich). The K-64 and
// SK-64 examples run 6 rounds, the classes' default; SK-128 runs 10, the
// default too; the only K-128 examples use 12 rounds ("safer -r 12").
const SaferVector SaferVectors[] = {
    // safer -e -ecb -kx <key> -r 6
    {&TCipher_SAFER_K64::Class, 0, "0000000000000000", "0000000000000000", "032808c90ee7ab7f"},
    {&TCipher_SAFER_K64::Class, 0, "0000000000000000", "0001020304050607", "91c1daf295c70fa3"},
    {&TCipher_SAFER_K64::Class, 0, "0102030405060708", "0000000000000000", "5ab27f7214a33ae1"},
    {&TCipher_SAFER_K64::Class, 0, "0102030405060708", "0001020304050607", "b04dcd2271fd2d64"},
    {&TCipher_SAFER_K64::Class, 0, "0807060504030201", "0000000000000000", "035c3a62d6fb2412"},
    {&TCipher_SAFER_K64::Class, 0, "0807060504030201", "0001020304050607", "02c8e459fa6f8093"},
    // safer -e -ecb -kx <key> -s -r 6
    {&TCipher_SAFER_SK64::Class, 0, "0000000000000001", "0000000000000000", "fb9073d344573b0c"},
    {&TCipher_SAFER_SK64::Class, 0, "0000000000000001", "0001020304050607", "e57555f74a99a355"},
    {&TCipher_SAFER_SK64::Class, 0, "0102030405060708", "0000000000000000", "e9a99a944b2d8e57"},
    {&TCipher_SAFER_SK64::Class, 0, "0102030405060708", "0001020304050607", "d632c36a75a67a5c"},
    // safer -e -ecb -kx <key> -r 12
    {&TCipher_SAFER_K128::Class, 12, "08070605040302010807060504030201", "0000000000000000",
     "c1a28977476f047a"},
    {&TCipher_SAFER_K128::Class, 12, "08070605040302010807060504030201", "0001020304050607",
     "c807ddd19fbccc94"},
    {&TCipher_SAFER_K128::Class, 12, "01020304050607080807060504030201", "0000000000000000",
     "1289032cb3b95de6"},
    {&TCipher_SAFER_K128::Class, 12, "01020304050607080807060504030201", "0001020304050607",
     "5a429239d514a01d"},
    // safer -e -ecb -kx <key> -s -r 10
    {&TCipher_SAFER_SK128::Class, 0, "00000000000000010000000000000001", "0000000000000000",
     "f9b0ab1bdc61bde6"},
    {&TCipher_SAFER_SK128::Class, 0, "00000000000000010000000000000001", "0001020304050607",
     "2e92dd30dc3cb417"},
    {&TCipher_SAFER_SK128::Class, 0, "01020304050607080000000000000000", "0000000000000000",
     "689c4d3545e1b8d1"},
    {&TCipher_SAFER_SK128::Class, 0, "01020304050607080000000000000000", "0001020304050607",
     "213d38b104d032f2"},
    {&TCipher_SAFER_SK128::Class, 0, "00000000000000000102030405060708", "0000000000000000",
     "01c2fe3105a81d10"},
    {&TCipher_SAFER_SK128::Class, 0, "00000000000000000102030405060708", "0001020304050607",
     "8e544007a8b13470"},
};

class SaferKnownAnswer : public ::testing::TestWithParam<SaferVector> {};

TEST_P(SaferKnownAnswer, EncryptsAndDecryptsThePublishedBlock) {
  const SaferVector& v = GetParam();
  CipherPtr cipher = v.cls->Create();
  AsSafer(cipher).Rounds = v.rounds;
  const ByteString encrypted = EncryptWithKey(*cipher, Hex(v.key), Hex(v.plain));
  EXPECT_EQ(ToHex(encrypted), v.cipher);
  EXPECT_EQ(ToHex(testing::DecryptOneBlock(*cipher, encrypted)), v.plain);
}

INSTANTIATE_TEST_SUITE_P(CheckRef, SaferKnownAnswer, ::testing::ValuesIn(SaferVectors));

// Keys of 8 bytes or less: one zero-padded register for both halves, still
// 10 rounds, so a short key acts as itself repeated.
class SaferShortKey : public ::testing::TestWithParam<const TCipherClass*> {};

TEST_P(SaferShortKey, UsesOneRegisterForBothHalvesWithTenRounds) {
  const ByteString plain = Hex("0011223344556677");
  CipherPtr shortKey = GetParam()->Create(), doubled = GetParam()->Create();
  EXPECT_EQ(EncryptWithKey(*shortKey, Hex("0102030405"), plain),
            EncryptWithKey(*doubled, Hex("01020304050000000102030405000000"), plain));
  EXPECT_EQ(AsSafer(shortKey).Rounds, 10);
}

TEST_P(SaferShortKey, ZeroPadsAKeyOfNineToFifteenBytes) {
  const ByteString plain = Hex("0011223344556677");
  CipherPtr shortKey = GetParam()->Create(), padded = GetParam()->Create();
  EXPECT_EQ(EncryptWithKey(*shortKey, Hex("0102030405060708090a0b"), plain),
            EncryptWithKey(*padded, Hex("0102030405060708090a0b0000000000"), plain));
}

INSTANTIATE_TEST_SUITE_P(Offered, SaferShortKey,
                         ::testing::Values(&TCipher_SAFER_K128::Class, &TCipher_SAFER_SK128::Class),
                         testing::ClassParamName());

// With an 8-byte key and 6 rounds the 128-bit classes are their 64-bit kin.
TEST(Safer, An8ByteKeyAt6RoundsGivesTheK64Examples) {
  TCipher_SAFER_K128 k128;
  TCipher_SAFER_SK128 sk128;
  k128.Rounds = 6;
  sk128.Rounds = 6;
  EXPECT_EQ(ToHex(EncryptWithKey(k128, Hex("0102030405060708"), Hex("0001020304050607"))),
            "b04dcd2271fd2d64");
  EXPECT_EQ(ToHex(EncryptWithKey(sk128, Hex("0102030405060708"), Hex("0001020304050607"))),
            "d632c36a75a67a5c");
}

struct RoundsCase {
  const TCipherClass* cls;
  int requested;
  int used;
};

// Accepted 4 to 13; outside, the default of the class's mode.
const RoundsCase SaferRounds[] = {
    {&TCipher_SAFER::Class, 0, 8},       {&TCipher_SAFER::Class, 14, 8},
    {&TCipher_SAFER_K40::Class, 0, 5},   {&TCipher_SAFER_SK40::Class, 3, 5},
    {&TCipher_SAFER_K64::Class, 0, 6},   {&TCipher_SAFER_SK64::Class, 99, 6},
    {&TCipher_SAFER_K128::Class, 0, 10}, {&TCipher_SAFER_SK128::Class, -1, 10},
    {&TCipher_SAFER_K128::Class, 4, 4},  {&TCipher_SAFER_SK40::Class, 13, 13},
    {&TCipher_SAFER_K64::Class, 12, 12}, {&TCipher_SAFER_SK128::Class, 14, 10},
};

class SaferSetRounds : public ::testing::TestWithParam<RoundsCase> {};

TEST_P(SaferSetRounds, InitClampsTheRoundCount) {
  const RoundsCase& c = GetParam();
  CipherPtr cipher = c.cls->Create();
  AsSafer(cipher).Rounds = c.requested;
  cipher->Init("key", 3, nullptr);
  EXPECT_EQ(AsSafer(cipher).Rounds, c.used);
}

INSTANTIATE_TEST_SUITE_P(Table, SaferSetRounds, ::testing::ValuesIn(SaferRounds));

TEST(Safer, EveryClassHasItsModeAndRoundTripsAtEveryRoundCount) {
  const struct {
    const TCipherClass* cls;
    TSAFERMode mode;
  } classes[] = {{&TCipher_SAFER::Class, smDefault},     {&TCipher_SAFER_K40::Class, smK40},
                 {&TCipher_SAFER_SK40::Class, smSK40},   {&TCipher_SAFER_K64::Class, smK64},
                 {&TCipher_SAFER_SK64::Class, smSK64},   {&TCipher_SAFER_K128::Class, smK128},
                 {&TCipher_SAFER_SK128::Class, smSK128}};
  const ByteString key = Hex("f0e1d2c3b4a5968778695a4b3c2d1e0f"), plain = Hex("0123456789abcdef");
  for (const auto& [cls, mode] : classes) {
    for (int rounds = 4; rounds <= TCipher_SAFER::MaxRounds; ++rounds) {
      CipherPtr cipher = cls->Create();
      EXPECT_EQ(AsSafer(cipher).SAFERMode(), mode);
      AsSafer(cipher).Rounds = rounds;
      const ByteString encrypted = EncryptWithKey(*cipher, key, plain);
      EXPECT_NE(encrypted, plain);
      EXPECT_EQ(testing::DecryptOneBlock(*cipher, encrypted), plain) << cls->className << rounds;
    }
  }
}

// K40 extends its five key bytes to a nine-byte register of its own instead
// of a parity byte, so it is not K64 with a zero-padded key.
TEST(Safer, K40IsNotK64WithAPaddedKey) {
  TCipher_SAFER_K40 k40;
  TCipher_SAFER_K64 k64;
  k64.Rounds = 5;
  const ByteString plain = Hex("0011223344556677");
  EXPECT_NE(EncryptWithKey(k40, Hex("0102030405"), plain),
            EncryptWithKey(k64, Hex("0102030405000000"), plain));
}

TEST(Safer, RegisteredNamesAndNotes) {
  EXPECT_EQ(CipherClassByName("SAFER-K128"), &TCipher_SAFER_K128::Class);
  EXPECT_EQ(CipherClassByName("SAFER-SK128"), &TCipher_SAFER_SK128::Class);
  EXPECT_EQ(CipherClassByName("SAFER"), nullptr);  // the base is not registered
  EXPECT_EQ(CipherClassNote(&TCipher_SAFER_SK40::Class), "Keyscheduling");
  EXPECT_EQ(CipherClassNote(&TCipher_SAFER_SK64::Class), "Keyscheduling");
  EXPECT_EQ(CipherClassNote(&TCipher_SAFER_SK128::Class), "Keyscheduling");
  EXPECT_EQ(CipherClassNote(&TCipher_SAFER_K128::Class), "");
}

}  // namespace
}  // namespace hushlake
