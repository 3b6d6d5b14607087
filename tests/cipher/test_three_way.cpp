#include <gtest/gtest.h>

#include "cipher/three_way.h"
#include "cipher_checks.h"
#include "crypto/registry.h"

namespace hushlake {
namespace {

using testing::EncryptWithKey;
using testing::Hex;
using testing::ToHex;

struct BlockVector {
  const char* key;
  const char* plain;
  const char* cipher;
};

// J. Daemen's 3-Way reference code, TEST VALUES 1 and 3 (also in Applied
// Cryptography, 2nd ed.). The published words are printed [2] [1] [0]; here
// each word is stored little-endian, word 0 first.
const BlockVector ThreeWayVectors[] = {
    {"000000000000000000000000", "010000000100000001000000", "6ec75940c49dae83f7ec21ad"},
    {"3412f0deab89674512f0debc", "89674523f0debc9a67452301", "bb5da50a6ddbdd9cb276db7c"},
};

class ThreeWayKnownAnswer : public ::testing::TestWithParam<BlockVector> {};

TEST_P(ThreeWayKnownAnswer, EncryptsAndDecryptsThePublishedBlock) {
  const BlockVector& v = GetParam();
  TCipher_3Way cipher;
  const ByteString encrypted = EncryptWithKey(cipher, Hex(v.key), Hex(v.plain));
  EXPECT_EQ(ToHex(encrypted), v.cipher);
  EXPECT_EQ(ToHex(testing::DecryptOneBlock(cipher, encrypted)), v.plain);
}

INSTANTIATE_TEST_SUITE_P(ReferenceCode, ThreeWayKnownAnswer, ::testing::ValuesIn(ThreeWayVectors));

TEST(ThreeWay, MatchesItsReferenceOutput) { testing::ExpectReferenceOutput(TCipher_3Way::Class); }

TEST(ThreeWay, ZeroPadsAShortKey) {
  TCipher_3Way shortKey, paddedKey;
  const ByteString plain = Hex("00112233445566778899aabb");
  EXPECT_EQ(EncryptWithKey(shortKey, Hex("0102030405"), plain),
            EncryptWithKey(paddedKey, Hex("010203040500000000000000"), plain));
}

TEST(ThreeWay, IsRegisteredUnderItsComboText) {
  EXPECT_EQ(CipherClassByName("3Way"), &TCipher_3Way::Class);
}

}  // namespace
}  // namespace hushlake
