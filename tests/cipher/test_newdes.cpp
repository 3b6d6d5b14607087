// NewDES: no published test vectors exist, so stored values guard the
// cipher, and the key rule is checked.
#include <gtest/gtest.h>

#include <cstddef>

#include "cipher/newdes.h"
#include "cipher_test_helpers.h"

namespace hushlake::cipher_test {
namespace {

// Computed with a separate byte-by-byte prototype of Scott's description
// (key bytes cycled over the 17 half-rounds); guards, not published values.
const KnownAnswer NewDesRegression[] = {
    {"prototype, 15-byte key", "000102030405060708090a0b0c0d0e", "0123456789abcdef",
     "4bc7e8c57312b8bf"},
    {"prototype, empty key", "", "0000000000000000", "a2176054f58b3458"},
};

INSTANTIATE_TEST_SUITE_P(NewDes, PublishedVector,
                         ::testing::ValuesIn(KnownAnswersFor(TCipher_NewDES::Class,
                                                             NewDesRegression)),
                         KnownAnswerName);

INSTANTIATE_TEST_SUITE_P(NewDes, EquivalentKeys,
                         ::testing::Values(ZeroPaddedOrCut(TCipher_NewDES::Class,
                                                           Hex("01020304050607"), 15)),
                         KeyCaseName);

// The decryption key is the encryption key reordered; any key and block
// must come back, with every key byte position in play.
TEST(NewDes, DecryptUndoesEncryptForEveryKeyByte) {
  const ByteString plain = Hex("f0e1d2c3b4a59687");
  const ByteString baseKey = Hex("000102030405060708090a0b0c0d0e");
  TCipher_NewDES base;
  const ByteString baseEncrypted = EncryptWithKey(base, baseKey, plain);
  for (std::size_t position = 0; position < baseKey.size(); ++position) {
    ByteString key = baseKey;
    key[position] = static_cast<char>(0xA5);
    TCipher_NewDES cipher;
    const ByteString encrypted = EncryptWithKey(cipher, key, plain);
    EXPECT_NE(encrypted, baseEncrypted) << "key byte " << position;
    EXPECT_EQ(DecryptOne(cipher, encrypted), plain) << "key byte " << position;
  }
}

}  // namespace
}  // namespace hushlake::cipher_test
