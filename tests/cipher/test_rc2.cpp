// RC2: the published vectors at their effective key lengths, the class's own
// 1024 bits, and how short and empty keys act.
#include <gtest/gtest.h>

#include <string>

#include "cipher/rc2.h"
#include "cipher_test_helpers.h"

namespace hushlake::cipher_test {
namespace {

// RC2 at any effective key length; the class itself always uses 1024 bits.
class RC2AtEffectiveLength : public TCipher_RC2 {
 public:
  using TCipher_RC2::InitWithEffectiveBits;
};

struct EffectiveLengthAnswer {
  int effectiveBits;
  KnownAnswer vector;
};

void PrintTo(const EffectiveLengthAnswer& v, std::ostream* out) {
  *out << v.effectiveBits << " bits, ";
  PrintTo(v.vector, out);
}

// RFC 2268 section 5 (vectors 1, 3, 5 and 7) at their own effective key
// lengths.
const EffectiveLengthAnswer Rfc2268Vectors[] = {
    {63, {"RFC 2268 1", "0000000000000000", "0000000000000000", "ebb773f993278eff"}},
    {64, {"RFC 2268 3", "3000000000000000", "1000000000000001", "30649edf9be7d2c2"}},
    {64, {"RFC 2268 5", "88bca90e90875a", "0000000000000000", "6ccf4308974c267f"}},
    {128,
     {"RFC 2268 7", "88bca90e90875a7f0f79c384627bafb2", "0000000000000000", "2269552ab0f85ca6"}},
};

class RC2EffectiveLength : public ::testing::TestWithParam<EffectiveLengthAnswer> {};

TEST_P(RC2EffectiveLength, EncryptsAndDecryptsTheBlock) {
  const EffectiveLengthAnswer& v = GetParam();
  const ByteString key = Hex(v.vector.key);
  RC2AtEffectiveLength cipher;
  cipher.InitWithEffectiveBits(key.data(), static_cast<int>(key.size()), nullptr, v.effectiveBits);
  const ByteString block = EncryptOne(cipher, Hex(v.vector.plain));
  EXPECT_EQ(ToHex(block), v.vector.cipher);
  EXPECT_EQ(ToHex(DecryptOne(cipher, block)), v.vector.plain);
}

INSTANTIATE_TEST_SUITE_P(Rfc2268, RC2EffectiveLength, ::testing::ValuesIn(Rfc2268Vectors),
                         [](const auto& row) { return "Vector" + std::to_string(row.index); });

// The RFC has no vector at 1024 bits, this class's length; these rows were
// computed with Crypto++ RC2 and OpenSSL RC2_set_key at 1024 bits, which
// agree, from the RFC's keys.
const KnownAnswer RC2Vectors[] = {
    {"RFC 2268 key 1 at 1024 bits", "0000000000000000", "0000000000000000", "cfa18f47ea73bd79"},
    {"RFC 2268 key 7 at 1024 bits", "88bca90e90875a7f0f79c384627bafb2", "0000000000000000",
     "db66015b97954a43"},
    {"RFC 2268 key 8 at 1024 bits",
     "88bca90e90875a7f0f79c384627bafb216f80a6f85920584c42fceb0be255daf1e", "0000000000000000",
     "6c63351723f22763"},
};

INSTANTIATE_TEST_SUITE_P(RC2, PublishedVector,
                         ::testing::ValuesIn(KnownAnswersFor(TCipher_RC2::Class, RC2Vectors)),
                         KnownAnswerName);

// InitKey never hands in an empty key; one given directly acts as the byte 0.
INSTANTIATE_TEST_SUITE_P(RC2, EquivalentKeys,
                         ::testing::Values(SameKey(TCipher_RC2::Class, ByteString(),
                                                   ByteString(1, '\0'))),
                         KeyCaseName);

TEST(RC2, InitUsesTheEffectiveLengthOf1024Bits) {
  TCipher_RC2 cipher;
  EXPECT_EQ(
      ToHex(EncryptWithKey(cipher, Hex("88bca90e90875a7f0f79c384627bafb2"), ByteString(8, '\0'))),
      "db66015b97954a43");
}

// RC2 uses a key at its length: no zero-padding.
TEST(RC2, KeyIsNotZeroPadded) {
  TCipher_RC2 shortKey, paddedKey;
  const ByteString plain(8, '\x33');
  EXPECT_NE(EncryptWithKey(shortKey, Hex("0102030405"), plain),
            EncryptWithKey(paddedKey, Hex("0102030405000000"), plain));
}

// InitKey never hands in an empty key; one given directly acts as the byte 0.
TEST(RC2, EmptyKeyActsAsTheSingleByteZero) {
  TCipher_RC2 empty, zeroByte;
  InitWith(empty, ByteString());
  InitWith(zeroByte, ByteString(1, '\0'));
  EXPECT_EQ(ToHex(ByteString(empty.Vector().begin(), empty.Vector().end())),
            ToHex(ByteString(zeroByte.Vector().begin(), zeroByte.Vector().end())));
}

TEST(RC2, RegisteredUnderItsName) {
  EXPECT_EQ(CipherClassByName("RC2"), &TCipher_RC2::Class);
  EXPECT_EQ(CipherClassNote(&TCipher_RC2::Class), "");
}

}  // namespace
}  // namespace hushlake::cipher_test
