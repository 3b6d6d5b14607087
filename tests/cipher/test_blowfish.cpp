// Blowfish: the published vectors and how short, empty and long keys act.
#include <gtest/gtest.h>

#include "cipher/blowfish.h"
#include "cipher_test_helpers.h"

namespace hushlake::cipher_test {
namespace {

// Eric Young's Blowfish test vectors as published by B. Schneier
// (vectors.txt): the "ecb" rows use 8-byte keys, the "set_key" rows the
// first k bytes of f0e1d2c3b4a5968778695a4b3c2d1e0f0011223344556677, which
// Blowfish uses at their length.
const KnownAnswer BlowfishVectors[] = {
    {"ecb row 1", "0000000000000000", "0000000000000000", "4ef997456198dd78"},
    {"ecb row 3", "3000000000000000", "1000000000000001", "7d856f9a613063f2"},
    {"ecb row 5", "0123456789abcdef", "1111111111111111", "61f9c3802281b096"},
    {"ecb row 9", "7ca110454a1a6e57", "01a1d6d039776742", "59c68245eb05282b"},
    {"ecb row 11", "07a1133e4a0b2686", "0248d43806f67172", "1730e5778bea1da4"},
    {"ecb row 13", "04b915ba43feb5b6", "42fd443059577fa2", "353882b109ce8f1a"},
    {"ecb row 15", "0170f175468fb5e6", "0756d8e0774761d2", "432193b78951fc98"},
    {"ecb row 17", "07a7137045da2a16", "3bdd119049372802", "2eedda93ffd39c79"},
    {"ecb row 19", "37d06bb516cb7546", "164d5e404f275232", "5f99d04f5b163969"},
    {"ecb row 21", "584023641aba6176", "004bd6ef09176062", "452031c1e4fada8e"},
    {"ecb row 23", "49793ebc79b3258f", "437540c8698f3cfa", "53c55f9cb49fc019"},
    {"ecb row 25", "49e95d6d4ca229bf", "02fe55778117f12a", "cf9c5d7a4986adb5"},
    {"ecb row 27", "1c587f1c13924fef", "305532286d6f295a", "55cb3774d13ef201"},
    {"ecb row 29", "1f1f1f1f0e0e0e0e", "0123456789abcdef", "a790795108ea3cae"},
    {"ecb row 31", "0000000000000000", "ffffffffffffffff", "014933e0cdaff6e4"},
    {"ecb row 33", "0123456789abcdef", "0000000000000000", "245946885754369a"},
    {"set_key k[1]", "f0", "fedcba9876543210", "f9ad597c49db005e"},
    {"set_key k[3]", "f0e1d2", "fedcba9876543210", "e9c2b70a1bc65cf3"},
    {"set_key k[5]", "f0e1d2c3b4", "fedcba9876543210", "b39e44481bdb1e6e"},
    {"set_key k[7]", "f0e1d2c3b4a596", "fedcba9876543210", "8bb77032f960629d"},
    {"set_key k[9]", "f0e1d2c3b4a5968778", "fedcba9876543210", "15750e7a4f4ec577"},
    {"set_key k[11]", "f0e1d2c3b4a5968778695a", "fedcba9876543210", "3a833c9affc537f6"},
    {"set_key k[13]", "f0e1d2c3b4a5968778695a4b3c", "fedcba9876543210", "884f80625060b8b4"},
    {"set_key k[15]", "f0e1d2c3b4a5968778695a4b3c2d1e", "fedcba9876543210", "79d9373a714ca34f"},
    {"set_key k[17]", "f0e1d2c3b4a5968778695a4b3c2d1e0f00", "fedcba9876543210", "03429e838ce2d14b"},
    {"set_key k[19]", "f0e1d2c3b4a5968778695a4b3c2d1e0f001122", "fedcba9876543210",
     "afd5aed1c1bc96a8"},
    {"set_key k[21]", "f0e1d2c3b4a5968778695a4b3c2d1e0f0011223344", "fedcba9876543210",
     "e6f51ed79b9db21f"},
    {"set_key k[23]", "f0e1d2c3b4a5968778695a4b3c2d1e0f00112233445566", "fedcba9876543210",
     "80c7d7d45a5479ad"},
};

INSTANTIATE_TEST_SUITE_P(Blowfish, PublishedVector,
                         ::testing::ValuesIn(KnownAnswersFor(TCipher_Blowfish::Class,
                                                             BlowfishVectors)),
                         KnownAnswerName);

// An empty key has no bytes to cycle into P; it is taken as a single zero
// byte, which makes it the all-zero key of the first published row. A key
// past KeySize (56 bytes) acts as its first 56 bytes.
INSTANTIATE_TEST_SUITE_P(
    Blowfish, EquivalentKeys,
    ::testing::Values(SameKey(TCipher_Blowfish::Class, ByteString(), ByteString(1, '\0')),
                      ZeroPaddedOrCut(TCipher_Blowfish::Class, ByteString(), 8),
                      ZeroPaddedOrCut(TCipher_Blowfish::Class, Sequence(65, 3, 5), 56)),
    KeyCaseName);

}  // namespace
}  // namespace hushlake::cipher_test
