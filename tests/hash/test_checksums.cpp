// The checksum classes against catalogued CRC check values, and the rules
// of the two classes that match no catalogue entry.
#include <gtest/gtest.h>

#include <string>

#include "hash/checksums.h"
#include "hash/hash_test_helpers.h"

namespace hushlake {
namespace {

using namespace testing_support;

// The digests are the register's bytes, low byte first.
const PublishedVector Catalogued[] = {
    {&THash_CRC32::Class, "123456789", "2639f4cb",
     "CRC RevEng catalogue, CRC-32/ISO-HDLC check cbf43926"},
    {&THash_CRC32::Class, "", "00000000", "Crypto++ / RHash CRC-32 test suites"},
    {&THash_CRC32::Class, "abc", "c2412435", "Crypto++ / RHash CRC-32 test suites, 352441c2"},
    {&THash_CRC32::Class, "message digest", "7f9d1520",
     "Crypto++ / RHash CRC-32 test suites, 20159d7f"},
    {&Thash_CRC16_Standard::Class, "123456789", "3dbb",
     "CRC RevEng catalogue, CRC-16/ARC check bb3d"},
    // No bytes leave the initial register: the system's rule, not a catalogue value.
    {&THash_CRC16_CCITT::Class, "", "ffff", "the CRC-16 CCITT initial register"},
};

class CataloguedChecksum : public ::testing::TestWithParam<PublishedVector> {};

TEST_P(CataloguedChecksum, GivesTheCheckValue) {
  const PublishedVector& v = GetParam();
  EXPECT_EQ(HexDigest(*v.cls, v.Message()), v.digest) << v.source;
}

INSTANTIATE_TEST_SUITE_P(Crc, CataloguedChecksum, ::testing::ValuesIn(Catalogued),
                         PublishedVectorName);

// The data byte is shifted into the register, so two zero bytes behind the
// message flush it through: the result is the augmented CRC with register
// 0xFFFF, catalogued as CRC-16/SPI-FUJITSU (check value e5cc).
TEST(Crc16Ccitt, TwoTrailingZeroBytesGiveTheAugmentedCrc) {
  EXPECT_EQ(HexDigest(THash_CRC16_CCITT::Class, std::string("123456789\0\0", 11)), "cce5");
}

// Our choice for an odd length: the last byte is a word with a zero high byte.
TEST(Xor32, OddTrailingByteCountsAsAWordWithZeroHighByte) {
  EXPECT_EQ(HexDigest(THash_XOR32::Class, "abc"),
            HexDigest(THash_XOR32::Class, std::string("abc\0", 4)));
  EXPECT_NE(HexDigest(THash_XOR32::Class, "abc"), HexDigest(THash_XOR32::Class, "ab"));
}

}  // namespace
}  // namespace hushlake
