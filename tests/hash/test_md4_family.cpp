// The MD4 family: MD4, MD5, SHA, SHA-1, RIPEMD-128/160/256/320 and Tiger.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "crypto/support.h"
#include "hash/hash_test_helpers.h"
#include "hash/md4_family.h"
#include "hash/tiger.h"

namespace hushlake {
namespace {

using namespace testing_support;

// Tiger with the designers' logical shift: the same S-boxes, rounds, passes,
// padding and byte order as THash_Tiger, so the published values check all
// of those, and THash_Tiger must differ from them only through the shift.
class PublishedTiger : public THash_Tiger {
 public:
  using THash_Tiger::THash_Tiger;

 protected:
  void CompressBlock(const std::uint8_t* block) override {
    std::uint64_t state[3];
    std::memcpy(state, Chain(), sizeof(state));
    TigerCompress<TigerShift::Logical>(state, block, Passes());
    std::memcpy(Chain(), state, sizeof(state));
  }
};

const THashClass PublishedTigerClass = {
    .className = "PublishedTiger",
    .displayName = "Tiger (logical shift)",
    .category = "Hash",
    .digestSize = 24,
    .blockSize = 64,
    .referenceDigestHex = "",
    .create = &CreateHashInstance<PublishedTiger>,
};

constexpr std::string_view Digits80 =
    "12345678901234567890123456789012345678901234567890123456789012345678901234567890";
constexpr std::string_view Alnum62 =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::string_view Rfc1320 = "RFC 1320 appendix A.5";
constexpr std::string_view Rfc1321 = "RFC 1321 appendix A.5";
constexpr std::string_view RipeMdPage =
    "RIPEMD designers' hash results (Bosselaers, Dobbertin, Preneel)";
// Reference code test program: 3 passes, padding byte 0x01; the digest is
// the words a, b, c little-endian.
constexpr std::string_view TigerPage = "Tiger designers' test values (Anderson and Biham)";

// Published test values of the published algorithms, which these classes
// reproduce for messages shorter than 2^29 bytes.
const PublishedVector PublishedVectors[] = {
    {&THash_MD4::Class, "", "31d6cfe0d16ae931b73c59d7e0c089c0", Rfc1320},
    {&THash_MD4::Class, "abc", "a448017aaf21d8525fc10ae87aa6729d", Rfc1320},
    {&THash_MD4::Class, "abcdefghijklmnopqrstuvwxyz", "d79e1c308aa5bbcdeea8ed63df412da9", Rfc1320},
    {&THash_MD4::Class, Digits80, "e33b4ddc9c38f2199c3e7b164fcc0536", Rfc1320},
    {&THash_MD5::Class, "", "d41d8cd98f00b204e9800998ecf8427e", Rfc1321},
    {&THash_MD5::Class, "abc", "900150983cd24fb0d6963f7d28e17f72", Rfc1321},
    {&THash_MD5::Class, "abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b", Rfc1321},
    {&THash_MD5::Class, Digits80, "57edf4a22be3c955ac49da2e2107b67a", Rfc1321},
    {&THash_SHA::Class, "abc", "0164b8a914cd2a5e74c4f7ff082c4d97f1edf880",
     "FIPS 180 (1993) appendix A"},
    {&THash_SHA::Class, "a", "3232affa48628a26653b5aaa44541fd90d690603",
     "sphlib SHA-0 test suite, one million \"a\"", 1000000},
    {&THash_SHA1::Class, "abc", "a9993e364706816aba3e25717850c26c9cd0d89d",
     "FIPS 180-1 appendix A"},
    {&THash_SHA1::Class, "a", "34aa973cd4c4daa4f61eeb2bdbad27316534016f", "FIPS 180-1 appendix C",
     1000000},
    {&THash_RipeMD128::Class, "", "cdf26213a150dc3ecb610f18f6b38b46", RipeMdPage},
    {&THash_RipeMD128::Class, "abc", "c14a12199c66e4ba84636b0f69144c77", RipeMdPage},
    {&THash_RipeMD128::Class, Alnum62, "d1e959eb179c911faea4624c60c5c702", RipeMdPage},
    {&THash_RipeMD128::Class, "a", "4a7f5723f954eba1216c9d8f6320431f", RipeMdPage, 1000000},
    {&THash_RipeMD160::Class, "", "9c1185a5c5e9fc54612808977ee8f548b2258d31", RipeMdPage},
    {&THash_RipeMD160::Class, "abc", "8eb208f7e05d987a9b044a8e98c6b087f15a0bfc", RipeMdPage},
    {&THash_RipeMD160::Class, Alnum62, "b0e20b6e3116640286ed3a87a5713079b21f5189", RipeMdPage},
    {&THash_RipeMD160::Class, "a", "52783243c1697bdbe16d37f97f68f08325dc1528", RipeMdPage, 1000000},
    {&THash_RipeMD256::Class, "",
     "02ba4c4e5f8ecd1877fc52d64d30e37a2d9774fb1e5d026380ae0168e3c5522d", RipeMdPage},
    {&THash_RipeMD256::Class, "abc",
     "afbd6e228b9d8cbbcef5ca2d03e6dba10ac0bc7dcbe4680e1e42d2e975459b65", RipeMdPage},
    {&THash_RipeMD256::Class, Alnum62,
     "5740a408ac16b720b84424ae931cbb1fe363d1d0bf4017f1a89f7ea6de77a0b8", RipeMdPage},
    {&THash_RipeMD256::Class, "a",
     "ac953744e10e31514c150d4d8d7b677342e33399788296e43ae4850ce4f97978", RipeMdPage, 1000000},
    {&THash_RipeMD320::Class, "",
     "22d65d5661536cdc75c1fdf5c6de7b41b9f27325ebc61e8557177d705a0ec880151c3a32a00899b8",
     RipeMdPage},
    {&THash_RipeMD320::Class, "abc",
     "de4c01b3054f8930a79d09ae738e92301e5a17085beffdc1b8d116713e74f82fa942d64cdbc4682d",
     RipeMdPage},
    {&THash_RipeMD320::Class, Alnum62,
     "ed544940c86d67f250d232c30b7b3e5770e0c60c8cb9a4cafe3b11388af9920e1b99230b843c86a4",
     RipeMdPage},
    {&THash_RipeMD320::Class, "a",
     "bdee37f4371e20646b8b0d862dda16292ae36f40965e8c8509e63d1dbddecc503e2b63eb9245bb66", RipeMdPage,
     1000000},
    {&PublishedTigerClass, "", "3293ac630c13f0245f92bbb1766e16167a4e58492dde73f3", TigerPage},
    {&PublishedTigerClass, "abc", "2aab1484e8c158f2bfb8c5ff41b57a525129131c957b5f93", TigerPage},
    {&PublishedTigerClass, "Tiger", "dd00230799f5009fec6debc838bb6a27df2b9d6f110c7937", TigerPage},
    {&PublishedTigerClass, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+-",
     "f71c8583902afb879edfe610f82c0d4786a3a534504486b5", TigerPage},
    {&PublishedTigerClass, "ABCDEFGHIJKLMNOPQRSTUVWXYZ=abcdefghijklmnopqrstuvwxyz+0123456789",
     "48ceeb6308b87d46e95d656112cdf18d97915f9765658957", TigerPage},
    {&PublishedTigerClass, "Tiger - A Fast New Hash Function, by Ross Anderson and Eli Biham",
     "8a866829040a410c729ad23f5ada711603b3cdd357e4c15e", TigerPage},
    {&PublishedTigerClass,
     "Tiger - A Fast New Hash Function, by Ross Anderson and Eli Biham, proceedings "
     "of Fast Software Encryption 3, Cambridge.",
     "ce55a6afd591f5ebac547ff84f89227f9331dab0b611c889", TigerPage},
    {&PublishedTigerClass,
     "Tiger - A Fast New Hash Function, by Ross Anderson and Eli Biham, proceedings "
     "of Fast Software Encryption 3, Cambridge, 1996.",
     "631abdd103eb9a3d245b6dfd4d77b257fc7439501d1568dd", TigerPage},
};

class PublishedDigest : public ::testing::TestWithParam<PublishedVector> {};

TEST_P(PublishedDigest, EqualsThePublishedValue) {
  const PublishedVector& vector = GetParam();
  EXPECT_EQ(HexDigest(*vector.cls, vector.Message()), vector.digest) << vector.source;
}

INSTANTIATE_TEST_SUITE_P(Md4Family, PublishedDigest, ::testing::ValuesIn(PublishedVectors),
                         [](const auto& test) {
                           return std::string(test.param.cls->className) + "_" +
                                  std::to_string(test.index);
                         });

// Both shifts agree only where every complement the key schedule shifts
// right has its top bit clear: in the one block of the empty message.
TEST(Tiger, DiffersFromThePublishedValuesOnlyThroughTheArithmeticShift) {
  int checked = 0;
  for (const PublishedVector& vector : PublishedVectors) {
    if (vector.cls != &PublishedTigerClass) continue;
    const bool same = HexDigest(THash_Tiger::Class, vector.Message()) == vector.digest;
    EXPECT_EQ(same, vector.text.empty()) << '"' << vector.text << '"';
    ++checked;
  }
  EXPECT_EQ(checked, 8);
}

TEST(Tiger, SBoxesAreThePublishedOnes) {
  EXPECT_EQ(TigerSBoxes[0][0], 0x02AAB17CF7E90C5Eu);
  EXPECT_EQ(TigerSBoxes[1][0], 0xE6A6BE5A05A12138u);
  EXPECT_EQ(TigerSBoxes[2][0], 0xF49FCC2FF1DAF39Bu);
  EXPECT_EQ(TigerSBoxes[3][0], 0x5B0E608526323C55u);
  EXPECT_EQ(TigerSBoxes[3][255], 0xC3A0396F7363A51Fu);
}

TEST(Tiger, PassesOutsideThreeToThirtyTwoFallBackToThree) {
  THash_Tiger tiger;
  const std::string threePasses = HexDigest(tiger, "abc");
  for (int passes : {0, 2, 33}) {
    tiger.SetPasses(passes);
    EXPECT_EQ(HexDigest(tiger, "abc"), threePasses) << passes;
    EXPECT_EQ(tiger.Passes(), 3);
  }
  tiger.SetPasses(4);
  const std::string fourPasses = HexDigest(tiger, "abc");
  EXPECT_EQ(tiger.Passes(), 4);
  EXPECT_NE(fourPasses, threePasses);
  tiger.SetPasses(32);
  EXPECT_NE(HexDigest(tiger, "abc"), fourPasses);
}

TEST(HashString, EmptyMd5IsTheRfc1321ValueInUpperCase) {
  EXPECT_EQ(THash_MD5::Class.HashString("", nullptr, FormatHEX),
            "D41D8CD98F00B204E9800998ECF8427E");
}

// A hash constructed in storage that outlives it, so the bytes where its
// digest was can be read after the destructor has run.
template <class T>
class DestroyedHash : public ::testing::Test {};

using FamilyTypes =
    ::testing::Types<THash_MD4, THash_MD5, THash_SHA, THash_SHA1, THash_RipeMD128, THash_RipeMD160,
                     THash_RipeMD256, THash_RipeMD320, THash_Tiger>;
TYPED_TEST_SUITE(DestroyedHash, FamilyTypes);

TYPED_TEST(DestroyedHash, LeavesZerosWhereItsDigestWas) {
  alignas(TypeParam) std::byte storage[sizeof(TypeParam)];
  TypeParam* hash = std::construct_at(reinterpret_cast<TypeParam*>(storage));
  hash->Init();
  hash->Update(TestInput.data(), static_cast<int>(TestInput.size()));
  hash->Final();
  const auto offset = reinterpret_cast<std::byte*>(hash->Digest()) - storage;
  const int size = hash->DigestSize();
  ASSERT_NE(hash->DigestBytes(), std::string(static_cast<std::size_t>(size), '\0'));
  std::destroy_at(hash);
  const volatile std::byte* digest = storage + offset;
  for (int i = 0; i < size; ++i) {
    const std::byte value = digest[i];
    EXPECT_EQ(std::to_integer<int>(value), 0) << "byte " << i;
  }
}

}  // namespace
}  // namespace hushlake
