// The two checks every cipher's test file feeds with a table of its own:
// published known answers and keys that must act alike. The rows, with the
// sources they come from, stay next to the rest of that cipher's tests.
#include <gtest/gtest.h>

#include "cipher_test_helpers.h"

namespace hushlake::cipher_test {
namespace {

TEST_P(PublishedVector, EncryptsAndDecryptsThePublishedBlock) {
  const KnownAnswerCase& c = GetParam();
  CipherPtr cipher = c.cls->Create();
  if (c.prepare != nullptr) c.prepare(*cipher);
  ExpectKnownAnswer(*cipher, c.vector);
}

TEST_P(EquivalentKeys, GiveTheSameCipherText) {
  const KeyCase& c = GetParam();
  CipherPtr given = c.cls->Create();
  CipherPtr same = c.cls->Create();
  EXPECT_EQ(ToHex(CbcSample(*given, c.key)), ToHex(CbcSample(*same, c.sameAs)));
}

}  // namespace
}  // namespace hushlake::cipher_test
