// Square: the reference output and the published vectors.
#include "cipher/square.h"

#include <gtest/gtest.h>

#include "crypto/registry.h"
#include "tests/cipher/keyed_cipher_checks.h"

namespace hushlake {
namespace {

using namespace keyed_cipher_checks;

TEST(Square, ReferenceOutput) { ExpectReferenceOutput(TCipher_Square::Class); }

// The designers' reference code test (sqtest.c, ESAT/KU Leuven) and Crypto++
// TestData/squareva.dat; both use bytes 4i..4i+3 as row i, as this cipher does.
const BlockVector SquareVectors[] = {
    {"sqtest.c", "000102030405060708090a0b0c0d0e0f", "000102030405060708090a0b0c0d0e0f",
     "7c3491d94994e70f0ec2e7a5ccb5a14f"},
    {"squareva.dat 2", "000102030405060708090a0b0c0d0e0f", "00000000000000000000000000000000",
     "ff596fa668bfc3014200ae01e2bba0a0"},
    {"squareva.dat 5", "915f4619be41b2516355a50110a9ce91", "21a5dbee154b8f6d6ff33b98f448e95a",
     "3388801f66e7fcc0bce522a23a4f0c7f"},
    {"squareva.dat 7", "dc49db1375a5584f6485b413b5f12baf", "2f42b3b70369fc929ae068313f343a7a",
     "3fbe6811b998cdf3e50abde2f3c075e3"},
};

class SquareVector : public ::testing::TestWithParam<BlockVector> {};

TEST_P(SquareVector, EnciphersAndDeciphers) {
  TCipher_Square cipher;
  ExpectBlockVector(cipher, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Published, SquareVector, ::testing::ValuesIn(SquareVectors));

TEST(Square, ShortOrEmptyKeyIsZeroPadded) {
  TCipher_Square shortKey, padded;
  InitWith(shortKey, FromHex("a1b2c3d4e5f6"));
  InitWith(padded, FromHex("a1b2c3d4e5f600000000000000000000"));
  const Bytes block = FromHex("00112233445566778899aabbccddeeff");
  EXPECT_EQ(EncryptOne(shortKey, block), EncryptOne(padded, block));

  // InitKey never passes an empty key, a caller may: it is the all-zero key.
  TCipher_Square empty, zero;
  empty.Init(nullptr, 0, nullptr);
  InitWith(zero, Bytes(16, 0));
  EXPECT_EQ(EncryptOne(empty, block), EncryptOne(zero, block));
}

// The combo text matches the class name without its prefix, in any case.
TEST(Square, ComboTextSelectsTheClass) {
  EXPECT_EQ(CipherClassByName("Square"), &TCipher_Square::Class);
  EXPECT_EQ(CipherClassByName("SQUARE"), &TCipher_Square::Class);
}

}  // namespace
}  // namespace hushlake
