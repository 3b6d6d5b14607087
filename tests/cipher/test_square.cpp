// Square: the published vectors and short or empty keys.
#include <gtest/gtest.h>

#include "cipher/square.h"
#include "cipher_test_helpers.h"

namespace hushlake::cipher_test {
namespace {

// The designers' reference code test (sqtest.c, ESAT/KU Leuven) and Crypto++
// TestData/squareva.dat; both use bytes 4i..4i+3 as row i, as this cipher does.
const KnownAnswer SquareVectors[] = {
    {"sqtest.c", "000102030405060708090a0b0c0d0e0f", "000102030405060708090a0b0c0d0e0f",
     "7c3491d94994e70f0ec2e7a5ccb5a14f"},
    {"squareva.dat 2", "000102030405060708090a0b0c0d0e0f", "00000000000000000000000000000000",
     "ff596fa668bfc3014200ae01e2bba0a0"},
    {"squareva.dat 5", "915f4619be41b2516355a50110a9ce91", "21a5dbee154b8f6d6ff33b98f448e95a",
     "3388801f66e7fcc0bce522a23a4f0c7f"},
    {"squareva.dat 7", "dc49db1375a5584f6485b413b5f12baf", "2f42b3b70369fc929ae068313f343a7a",
     "3fbe6811b998cdf3e50abde2f3c075e3"},
};

INSTANTIATE_TEST_SUITE_P(Square, PublishedVector,
                         ::testing::ValuesIn(KnownAnswersFor(TCipher_Square::Class, SquareVectors)),
                         KnownAnswerName);

// A short key is zero-padded; an empty one (InitKey never passes it, a caller
// may) is the all-zero key.
INSTANTIATE_TEST_SUITE_P(
    Square, EquivalentKeys,
    ::testing::Values(ZeroPaddedOrCut(TCipher_Square::Class, Hex("a1b2c3d4e5f6"), 16),
                      ZeroPaddedOrCut(TCipher_Square::Class, ByteString(), 16)),
    KeyCaseName);

}  // namespace
}  // namespace hushlake::cipher_test
