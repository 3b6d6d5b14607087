// 3-Way: the published vectors and short keys.
#include <gtest/gtest.h>

#include "cipher/three_way.h"
#include "cipher_test_helpers.h"

namespace hushlake::cipher_test {
namespace {

// J. Daemen's 3-Way reference code (also in Applied Cryptography, 2nd ed.).
// The published words are printed [2] [1] [0]; here each word is stored
// little-endian, word 0 first.
const KnownAnswer ThreeWayVectors[] = {
    {"TEST VALUES 1", "000000000000000000000000", "010000000100000001000000",
     "6ec75940c49dae83f7ec21ad"},
    {"TEST VALUES 3", "3412f0deab89674512f0debc", "89674523f0debc9a67452301",
     "bb5da50a6ddbdd9cb276db7c"},
};

INSTANTIATE_TEST_SUITE_P(ThreeWay, PublishedVector,
                         ::testing::ValuesIn(KnownAnswersFor(TCipher_3Way::Class, ThreeWayVectors)),
                         KnownAnswerName);

INSTANTIATE_TEST_SUITE_P(ThreeWay, EquivalentKeys,
                         ::testing::Values(ZeroPaddedOrCut(TCipher_3Way::Class, Hex("0102030405"),
                                                           12)),
                         KeyCaseName);

}  // namespace
}  // namespace hushlake::cipher_test
