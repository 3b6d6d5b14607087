// Rijndael: the published AES vectors and how keys of other lengths act.
#include <gtest/gtest.h>

#include "cipher/rijndael.h"
#include "cipher_test_helpers.h"

namespace hushlake::cipher_test {
namespace {

// FIPS-197 appendices B and C, and the ECB examples of NIST SP 800-38A F.1;
// 16-, 24- and 32-byte keys select AES-128, -192 and -256.
const KnownAnswer AesVectors[] = {
    {"FIPS-197 B", "2b7e151628aed2a6abf7158809cf4f3c", "3243f6a8885a308d313198a2e0370734",
     "3925841d02dc09fbdc118597196a0b32"},
    {"FIPS-197 C.1", "000102030405060708090a0b0c0d0e0f", "00112233445566778899aabbccddeeff",
     "69c4e0d86a7b0430d8cdb78070b4c55a"},
    {"FIPS-197 C.2", "000102030405060708090a0b0c0d0e0f1011121314151617",
     "00112233445566778899aabbccddeeff", "dda97ca4864cdfe06eaf70a0ec0d7191"},
    {"FIPS-197 C.3", "000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f",
     "00112233445566778899aabbccddeeff", "8ea2b7ca516745bfeafc49904b496089"},
    {"SP 800-38A F.1.1 block 1", "2b7e151628aed2a6abf7158809cf4f3c",
     "6bc1bee22e409f96e93d7e117393172a", "3ad77bb40d7a3660a89ecaf32466ef97"},
    {"SP 800-38A F.1.1 block 3", "2b7e151628aed2a6abf7158809cf4f3c",
     "30c81c46a35ce411e5fbc1191a0a52ef", "43b1cd7f598ece23881b00e3ed030688"},
    {"SP 800-38A F.1.3 block 1", "8e73b0f7da0e6452c810f32b809079e562f8ead2522c6b7b",
     "6bc1bee22e409f96e93d7e117393172a", "bd334f1d6e45f25ff712a214571fa5cc"},
    {"SP 800-38A F.1.3 block 3", "8e73b0f7da0e6452c810f32b809079e562f8ead2522c6b7b",
     "30c81c46a35ce411e5fbc1191a0a52ef", "ef7afd2270e2e60adce0ba2face6444e"},
    {"SP 800-38A F.1.5 block 1", "603deb1015ca71be2b73aef0857d77811f352c073b6108d72d9810a30914dff4",
     "6bc1bee22e409f96e93d7e117393172a", "f3eed1bdb5d2a03c064b5a7e3db181f8"},
    {"SP 800-38A F.1.5 block 3", "603deb1015ca71be2b73aef0857d77811f352c073b6108d72d9810a30914dff4",
     "30c81c46a35ce411e5fbc1191a0a52ef", "b6ed21b99ca6f4f9f153e7b1beafed1d"},
};

INSTANTIATE_TEST_SUITE_P(Rijndael, PublishedVector,
                         ::testing::ValuesIn(KnownAnswersFor(TCipher_Rijndael::Class, AesVectors)),
                         KnownAnswerName);

// The vector given to Init does not take part in the block function.
TEST(Rijndael, BlockFunctionIgnoresTheVector) {
  const KnownAnswer& v = AesVectors[0];
  TCipher_Rijndael cipher;
  const ByteString iVector(16, '\x5A');
  InitWith(cipher, Hex(v.key), iVector.data());
  EXPECT_EQ(ToHex(EncryptOne(cipher, Hex(v.plain))), v.cipher);
  EXPECT_EQ(ToHex(DecryptOne(cipher, Hex(v.cipher))), v.plain);
}

// Keys between the three AES lengths are zero-padded to the next one; keys
// past 32 bytes are cut to 32.
INSTANTIATE_TEST_SUITE_P(Rijndael, EquivalentKeys,
                         ::testing::ValuesIn(KeysBetween16And32Bytes(TCipher_Rijndael::Class)),
                         KeyCaseName);

}  // namespace
}  // namespace hushlake::cipher_test
