// Single DES against the published known answers, and its key rules.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>

#include "cipher/des.h"
#include "crypto/string_format.h"

namespace hushlake {
namespace {

ByteString Hex(std::string_view hex) { return DecodeFromFormat(hex, FormatHEX); }
std::string ToHex(const ByteString& bytes) { return EncodeToFormat(bytes, FormatHEXL); }

// A published one-block example; Source names where it comes from.
struct KnownAnswer {
  const char* source;
  const char* key;
  const char* plain;
  const char* cipher;
};

void PrintTo(const KnownAnswer& v, std::ostream* out) { *out << v.source; }

ByteString EncryptWithKey(TCipher& cipher, const ByteString& key, ByteString block) {
  cipher.Init(key.data(), static_cast<int>(key.size()), nullptr);
  cipher.EncryptBlock(block.data());
  return block;
}

ByteString DecryptWithKey(TCipher& cipher, const ByteString& key, ByteString block) {
  cipher.Init(key.data(), static_cast<int>(key.size()), nullptr);
  cipher.DecryptBlock(block.data());
  return block;
}

// FIPS 81 Appendix B (the ECB example, key 0123456789abcdef, "Now is the
// time for all ") and the NBS Special Publication 500-20 validation set:
// IP = inverse permutation, VK = variable key, PO = permutation operation,
// ST = substitution table known answer tests, numbered as there (entries as
// collected in Crypto++ TestData/descert.dat).
const KnownAnswer DesVectors[] = {
    {"FIPS 81 B block 1", "0123456789abcdef", "4e6f772069732074", "3fa40e8a984d4815"},
    {"FIPS 81 B block 3", "0123456789abcdef", "666f7220616c6c20", "893d51ec4b563b53"},
    {"SP 500-20 IP 2", "0101010101010101", "dd7f121ca5015619", "4000000000000000"},
    {"SP 500-20 IP 4", "0101010101010101", "4bd388ff6cd81d4f", "1000000000000000"},
    {"SP 500-20 IP 6", "0101010101010101", "55579380d77138ef", "0400000000000000"},
    {"SP 500-20 IP 8", "0101010101010101", "0d9f279ba5d87260", "0100000000000000"},
    {"SP 500-20 IP 10", "0101010101010101", "424250b37c3dd951", "0040000000000000"},
    {"SP 500-20 IP 12", "0101010101010101", "f15d0f286b65bd28", "0010000000000000"},
    {"SP 500-20 IP 14", "0101010101010101", "e6d5f82752ad63d1", "0004000000000000"},
    {"SP 500-20 IP 16", "0101010101010101", "f356834379d165cd", "0001000000000000"},
    {"SP 500-20 IP 18", "0101010101010101", "889de068a16f0be6", "0000400000000000"},
    {"SP 500-20 IP 20", "0101010101010101", "329a8ed523d71aec", "0000100000000000"},
    {"SP 500-20 IP 22", "0101010101010101", "12a9f5817ff2d65d", "0000040000000000"},
    {"SP 500-20 IP 24", "0101010101010101", "fbe00a8a1ef8ad72", "0000010000000000"},
    {"SP 500-20 IP 26", "0101010101010101", "64feed9c724c2faf", "0000004000000000"},
    {"SP 500-20 IP 28", "0101010101010101", "9d64555a9a10b852", "0000001000000000"},
    {"SP 500-20 IP 30", "0101010101010101", "e1652c6b138c64a5", "0000000400000000"},
    {"SP 500-20 IP 32", "0101010101010101", "aeb5f5ede22d1a36", "0000000100000000"},
    {"SP 500-20 IP 34", "0101010101010101", "df98c8276f54b04b", "0000000040000000"},
    {"SP 500-20 IP 36", "0101010101010101", "fa0752b07d9c4ab8", "0000000010000000"},
    {"SP 500-20 IP 38", "0101010101010101", "5e0905517bb59bcf", "0000000004000000"},
    {"SP 500-20 IP 40", "0101010101010101", "4d49db1532919c9f", "0000000001000000"},
    {"SP 500-20 IP 42", "0101010101010101", "ab6a20c0620d1c6f", "0000000000400000"},
    {"SP 500-20 IP 44", "0101010101010101", "866ecedd8072bb0e", "0000000000100000"},
    {"SP 500-20 IP 46", "0101010101010101", "ea51d3975595b86b", "0000000000040000"},
    {"SP 500-20 IP 48", "0101010101010101", "8dd45a2ddf90796c", "0000000000010000"},
    {"SP 500-20 IP 50", "0101010101010101", "5d86cb23639dbea9", "0000000000004000"},
    {"SP 500-20 IP 52", "0101010101010101", "ce332329248f3228", "0000000000001000"},
    {"SP 500-20 IP 54", "0101010101010101", "e643d78090ca4207", "0000000000000400"},
    {"SP 500-20 IP 56", "0101010101010101", "dd7c0bbd61fafd54", "0000000000000100"},
    {"SP 500-20 IP 58", "0101010101010101", "e07c30d7e4e26e12", "0000000000000040"},
    {"SP 500-20 IP 60", "0101010101010101", "5b711bc4ceebf2ee", "0000000000000010"},
    {"SP 500-20 IP 62", "0101010101010101", "d2fd8867d50d2dfe", "0000000000000004"},
    {"SP 500-20 IP 64", "0101010101010101", "166b40b44aba4bd6", "0000000000000001"},
    {"SP 500-20 VK 2", "4001010101010101", "0000000000000000", "0eec1487dd8c26d5"},
    {"SP 500-20 VK 4", "1001010101010101", "0000000000000000", "d3746294ca6a6cf3"},
    {"SP 500-20 VK 6", "0401010101010101", "0000000000000000", "c02faffec989d1fc"},
    {"SP 500-20 VK 8", "0180010101010101", "0000000000000000", "2055123350c00858"},
    {"SP 500-20 VK 10", "0120010101010101", "0000000000000000", "31fe17369b5288c9"},
    {"SP 500-20 VK 12", "0108010101010101", "0000000000000000", "178c83ce2b399d94"},
    {"SP 500-20 VK 14", "0102010101010101", "0000000000000000", "a8468ee3bc18f06d"},
    {"SP 500-20 VK 16", "0101400101010101", "0000000000000000", "cac09f797d031287"},
    {"SP 500-20 VK 18", "0101100101010101", "0000000000000000", "ce7a24f350e280b6"},
    {"SP 500-20 VK 20", "0101040101010101", "0000000000000000", "25610288924511c2"},
    {"SP 500-20 VK 22", "0101018001010101", "0000000000000000", "5199c29a52c9f059"},
    {"SP 500-20 VK 24", "0101012001010101", "0000000000000000", "ee371483714c02ea"},
    {"SP 500-20 VK 26", "0101010801010101", "0000000000000000", "4f644c92e192dfed"},
    {"SP 500-20 VK 28", "0101010201010101", "0000000000000000", "b3c1cc715cb879d8"},
    {"SP 500-20 VK 30", "0101010140010101", "0000000000000000", "3cfaa7a7dc8720dc"},
    {"SP 500-20 VK 32", "0101010110010101", "0000000000000000", "9db73b3c0d163f54"},
    {"SP 500-20 VK 34", "0101010104010101", "0000000000000000", "93c9b64042eaa240"},
    {"SP 500-20 VK 36", "0101010101800101", "0000000000000000", "8638809e878787a0"},
    {"SP 500-20 VK 38", "0101010101200101", "0000000000000000", "7a9be42f2009a892"},
    {"SP 500-20 VK 40", "0101010101080101", "0000000000000000", "5495c6abf1e5df51"},
    {"SP 500-20 VK 42", "0101010101020101", "0000000000000000", "024d1ffa8904e389"},
    {"SP 500-20 VK 44", "0101010101014001", "0000000000000000", "14c1d7c1cffec79e"},
    {"SP 500-20 VK 46", "0101010101011001", "0000000000000000", "e941a33f85501303"},
    {"SP 500-20 VK 48", "0101010101010401", "0000000000000000", "b7fc92f91d8e92e9"},
    {"SP 500-20 VK 50", "0101010101010180", "0000000000000000", "9cc62df43b6eed74"},
    {"SP 500-20 VK 52", "0101010101010120", "0000000000000000", "a1ab2190545b91d7"},
    {"SP 500-20 VK 54", "0101010101010108", "0000000000000000", "5a594528bebef1cc"},
    {"SP 500-20 VK 56", "0101010101010102", "0000000000000000", "869efd7f9f265a09"},
    {"SP 500-20 PO 2", "1007103489988020", "0000000000000000", "0c0cc00c83ea48fd"},
    {"SP 500-20 PO 4", "1046103489988020", "0000000000000000", "df725dcad94ea2e9"},
    {"SP 500-20 PO 6", "1086911519580101", "0000000000000000", "af527120c485cbb0"},
    {"SP 500-20 PO 8", "1007b01519190101", "0000000000000000", "c9f00ffc74079067"},
    {"SP 500-20 PO 10", "3107919498080101", "0000000000000000", "cb49a2f9e91363e3"},
    {"SP 500-20 PO 12", "3107911598090140", "0000000000000000", "406a9a6ab43399ae"},
    {"SP 500-20 PO 14", "9107911589980101", "0000000000000000", "67fd21c17dbb5d70"},
    {"SP 500-20 PO 16", "1007d01598980120", "0000000000000000", "a6b7ff68a318ddd3"},
    {"SP 500-20 PO 18", "0107910491190401", "0000000000000000", "2dfa9f4573594965"},
    {"SP 500-20 PO 20", "0107940491190401", "0000000000000000", "6e7e6221a4f34e87"},
    {"SP 500-20 PO 22", "1007911998190801", "0000000000000000", "2e5a19db4d1962d6"},
    {"SP 500-20 PO 24", "1007921098190101", "0000000000000000", "d812d961f017d320"},
    {"SP 500-20 PO 26", "1004801598190101", "0000000000000000", "abd88e8b1b7716f1"},
    {"SP 500-20 PO 28", "1004801598190108", "0000000000000000", "aed0f6ae3c25cdd8"},
    {"SP 500-20 PO 30", "1002911598190104", "0000000000000000", "61c79c71921a2ef8"},
    {"SP 500-20 PO 32", "1002911698100101", "0000000000000000", "1aeac39a61f0a464"},
    {"SP 500-20 ST 2", "0131d9619dc1376e", "5cd54ca83def57da", "7a389d10354bd271"},
    {"SP 500-20 ST 4", "3849674c2602319e", "51454b582ddf440a", "7178876e01f19b2a"},
    {"SP 500-20 ST 6", "0113b970fd34f2ce", "059b5e0851cf143a", "86a560f10ec6d85b"},
    {"SP 500-20 ST 8", "43297fad38e373fe", "762514b829bf486a", "ea676b2cb7db2b7a"},
    {"SP 500-20 ST 10", "04689104c2fd3b2f", "26955f6835af609a", "5c513c9c4886c088"},
    {"SP 500-20 ST 12", "1f08260d1ac2465e", "6b056e18759f5cca", "ef1bf03e5dfa575a"},
    {"SP 500-20 ST 14", "025816164629b007", "480d39006ee762f2", "a1f9915541020b56"},
    {"SP 500-20 ST 16", "4fb05e1515ab73a7", "072d43a077075292", "2f22e49bab7ca1ac"},
    {"SP 500-20 ST 18", "018310dc409b26d6", "1d9d5c5018f728c2", "5f4c038ed12b2e41"},
};

class DesKnownAnswer : public ::testing::TestWithParam<KnownAnswer> {};

TEST_P(DesKnownAnswer, EncryptsAndDecryptsThePublishedBlock) {
  const KnownAnswer& v = GetParam();
  TCipher_1DES des;
  EXPECT_EQ(ToHex(EncryptWithKey(des, Hex(v.key), Hex(v.plain))), v.cipher);
  EXPECT_EQ(ToHex(DecryptWithKey(des, Hex(v.key), Hex(v.cipher))), v.plain);
}

INSTANTIATE_TEST_SUITE_P(Fips81AndSp500_20, DesKnownAnswer, ::testing::ValuesIn(DesVectors));

TEST(Des, IgnoresTheParityBitsOfTheKey) {
  TCipher_1DES des;
  const ByteString plain = Hex("4e6f772069732074");
  EXPECT_EQ(ToHex(EncryptWithKey(des, Hex("0022446688aaccee"), plain)), "3fa40e8a984d4815");
}

TEST(Des, ZeroPadsAShortKey) {
  TCipher_1DES shortKey, padded;
  const ByteString plain = Hex("0123456789abcdef");
  EXPECT_EQ(EncryptWithKey(shortKey, Hex("0123456789"), plain),
            EncryptWithKey(padded, Hex("0123456789000000"), plain));
  EXPECT_EQ(EncryptWithKey(shortKey, ByteString(), plain),
            EncryptWithKey(padded, Hex("0000000000000000"), plain));
}

}  // namespace
}  // namespace hushlake
