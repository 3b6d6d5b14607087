// The MD4 family: MD4, MD5, SHA, SHA-1, RIPEMD-128/160/256/320 and Tiger.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <cstring>
#include <vector>

#include "crypto/registry.h"
#include "crypto/string_format.h"
#include "crypto/support.h"
#include "hash/md4_family.h"
#include "hash/tiger.h"

namespace hushlake {
namespace {

std::string Hex(THash& hash) { return EncodeToFormat(hash.DigestBytes(), FormatHEXL); }

std::string DigestOf(THash& hash, std::string_view message) {
  hash.Init();
  hash.Update(message.data(), static_cast<int>(message.size()));
  hash.Final();
  return Hex(hash);
}

const THashClass* const FamilyClasses[] = {
    &THash_MD4::Class,       &THash_MD5::Class,       &THash_SHA::Class,
    &THash_SHA1::Class,      &THash_RipeMD128::Class, &THash_RipeMD160::Class,
    &THash_RipeMD256::Class, &THash_RipeMD320::Class, &THash_Tiger::Class};

class ReferenceDigest : public ::testing::TestWithParam<const THashClass*> {};

TEST_P(ReferenceDigest, OfTestInputAfterADiscardedStart) {
  const THashClass& cls = *GetParam();
  HashPtr hash = cls.Create();
  hash->Init();
  hash->Update("left over", 9);  // Init must throw this away
  hash->Init();
  hash->Update(TestInput.data(), static_cast<int>(TestInput.size()));
  hash->Final();
  ASSERT_EQ(hash->DigestSize(), static_cast<int>(cls.ReferenceDigest().size()));
  EXPECT_EQ(hash->DigestBytes(), cls.ReferenceDigest());
}

// Every own Init must key through a linked MAC and every own Final must hand
// the digest to a linked protection.
TEST_P(ReferenceDigest, InitAndFinalRunTheChainHooks) {
  const THashClass& cls = *GetParam();
  const std::string message(reinterpret_cast<const char*>(TestInput.data()), TestInput.size());
  const std::string plain = cls.HashString(message);
  EXPECT_EQ(cls.HashString(message, std::make_shared<TMAC>("")), plain);
  EXPECT_NE(cls.HashString(message, std::make_shared<TMAC>("key")), plain);
  EXPECT_NE(cls.HashString(message, THash_MD4::Class.Create()), plain);
}

INSTANTIATE_TEST_SUITE_P(Md4Family, ReferenceDigest, ::testing::ValuesIn(FamilyClasses),
                         [](const auto& test) { return std::string(test.param->className); });

// Published test values of the published algorithms, which these classes
// reproduce for messages shorter than 2^29 bytes.
struct PublishedVector {
  const THashClass* cls;
  std::string_view text;
  int repeat;  // the message is Text repeated this often
  std::string_view digest;
  std::string_view source;
};

constexpr std::string_view Digits80 =
    "12345678901234567890123456789012345678901234567890123456789012345678901234567890";
constexpr std::string_view Alnum62 =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::string_view Rfc1320 = "RFC 1320 appendix A.5";
constexpr std::string_view Rfc1321 = "RFC 1321 appendix A.5";
constexpr std::string_view RipeMdPage = "RIPEMD designers' hash results (Bosselaers, Dobbertin, Preneel)";

const PublishedVector PublishedVectors[] = {
    {&THash_MD4::Class, "", 1, "31d6cfe0d16ae931b73c59d7e0c089c0", Rfc1320},
    {&THash_MD4::Class, "abc", 1, "a448017aaf21d8525fc10ae87aa6729d", Rfc1320},
    {&THash_MD4::Class, "abcdefghijklmnopqrstuvwxyz", 1, "d79e1c308aa5bbcdeea8ed63df412da9", Rfc1320},
    {&THash_MD4::Class, Digits80, 1, "e33b4ddc9c38f2199c3e7b164fcc0536", Rfc1320},
    {&THash_MD5::Class, "", 1, "d41d8cd98f00b204e9800998ecf8427e", Rfc1321},
    {&THash_MD5::Class, "abc", 1, "900150983cd24fb0d6963f7d28e17f72", Rfc1321},
    {&THash_MD5::Class, "abcdefghijklmnopqrstuvwxyz", 1, "c3fcd3d76192e4007dfb496cca67e13b", Rfc1321},
    {&THash_MD5::Class, Digits80, 1, "57edf4a22be3c955ac49da2e2107b67a", Rfc1321},
    {&THash_SHA::Class, "abc", 1, "0164b8a914cd2a5e74c4f7ff082c4d97f1edf880",
     "FIPS 180 (1993) appendix A"},
    {&THash_SHA::Class, "a", 1000000, "3232affa48628a26653b5aaa44541fd90d690603",
     "sphlib SHA-0 test suite, one million \"a\""},
    {&THash_SHA1::Class, "abc", 1, "a9993e364706816aba3e25717850c26c9cd0d89d",
     "FIPS 180-1 appendix A"},
    {&THash_SHA1::Class, "a", 1000000, "34aa973cd4c4daa4f61eeb2bdbad27316534016f",
     "FIPS 180-1 appendix C"},
    {&THash_RipeMD128::Class, "", 1, "cdf26213a150dc3ecb610f18f6b38b46", RipeMdPage},
    {&THash_RipeMD128::Class, "abc", 1, "c14a12199c66e4ba84636b0f69144c77", RipeMdPage},
    {&THash_RipeMD128::Class, Alnum62, 1, "d1e959eb179c911faea4624c60c5c702", RipeMdPage},
    {&THash_RipeMD128::Class, "a", 1000000, "4a7f5723f954eba1216c9d8f6320431f", RipeMdPage},
    {&THash_RipeMD160::Class, "", 1, "9c1185a5c5e9fc54612808977ee8f548b2258d31", RipeMdPage},
    {&THash_RipeMD160::Class, "abc", 1, "8eb208f7e05d987a9b044a8e98c6b087f15a0bfc", RipeMdPage},
    {&THash_RipeMD160::Class, Alnum62, 1, "b0e20b6e3116640286ed3a87a5713079b21f5189", RipeMdPage},
    {&THash_RipeMD160::Class, "a", 1000000, "52783243c1697bdbe16d37f97f68f08325dc1528", RipeMdPage},
    {&THash_RipeMD256::Class, "", 1,
     "02ba4c4e5f8ecd1877fc52d64d30e37a2d9774fb1e5d026380ae0168e3c5522d", RipeMdPage},
    {&THash_RipeMD256::Class, "abc", 1,
     "afbd6e228b9d8cbbcef5ca2d03e6dba10ac0bc7dcbe4680e1e42d2e975459b65", RipeMdPage},
    {&THash_RipeMD256::Class, Alnum62, 1,
     "5740a408ac16b720b84424ae931cbb1fe363d1d0bf4017f1a89f7ea6de77a0b8", RipeMdPage},
    {&THash_RipeMD256::Class, "a", 1000000,
     "ac953744e10e31514c150d4d8d7b677342e33399788296e43ae4850ce4f97978", RipeMdPage},
    {&THash_RipeMD320::Class, "", 1,
     "22d65d5661536cdc75c1fdf5c6de7b41b9f27325ebc61e8557177d705a0ec880151c3a32a00899b8",
     RipeMdPage},
    {&THash_RipeMD320::Class, "abc", 1,
     "de4c01b3054f8930a79d09ae738e92301e5a17085beffdc1b8d116713e74f82fa942d64cdbc4682d",
     RipeMdPage},
    {&THash_RipeMD320::Class, Alnum62, 1,
     "ed544940c86d67f250d232c30b7b3e5770e0c60c8cb9a4cafe3b11388af9920e1b99230b843c86a4",
     RipeMdPage},
    {&THash_RipeMD320::Class, "a", 1000000,
     "bdee37f4371e20646b8b0d862dda16292ae36f40965e8c8509e63d1dbddecc503e2b63eb9245bb66",
     RipeMdPage},
};

class PublishedDigest : public ::testing::TestWithParam<PublishedVector> {};

TEST_P(PublishedDigest, EqualsThePublishedValue) {
  const PublishedVector& vector = GetParam();
  std::string message;
  for (int i = 0; i < vector.repeat; ++i) message += vector.text;
  HashPtr hash = vector.cls->Create();
  EXPECT_EQ(DigestOf(*hash, message), vector.digest) << vector.source;
}

INSTANTIATE_TEST_SUITE_P(Md4Family, PublishedDigest, ::testing::ValuesIn(PublishedVectors),
                         [](const auto& test) {
                           return std::string(test.param.cls->className) + "_" +
                                  std::to_string(test.index);
                         });

// Tiger with the designers' logical shift: the same S-boxes, rounds, passes,
// padding and byte order as THash_Tiger, so the published values check all
// of those, and THash_Tiger must differ from them only through the shift.
class PublishedTiger : public THash_Tiger {
 protected:
  void CompressBlock(const std::uint8_t* block) override {
    std::uint64_t state[3];
    std::memcpy(state, Chain(), sizeof(state));
    TigerCompress<TigerShift::Logical>(state, block, Passes());
    std::memcpy(Chain(), state, sizeof(state));
  }
};

struct TigerVector {
  std::string_view text;
  std::string_view digest;
  // False where every complement the key schedule shifts right has its top
  // bit clear, so both shifts agree: the one block of the empty message.
  bool shiftMatters;
};

// Tiger designers' test values (Anderson and Biham, reference code test
// program: 3 passes, padding byte 0x01), as digest bytes a, b, c little-endian.
const TigerVector TigerVectors[] = {
    {"", "3293ac630c13f0245f92bbb1766e16167a4e58492dde73f3", false},
    {"abc", "2aab1484e8c158f2bfb8c5ff41b57a525129131c957b5f93", true},
    {"Tiger", "dd00230799f5009fec6debc838bb6a27df2b9d6f110c7937", true},
    {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+-",
     "f71c8583902afb879edfe610f82c0d4786a3a534504486b5", true},
    {"ABCDEFGHIJKLMNOPQRSTUVWXYZ=abcdefghijklmnopqrstuvwxyz+0123456789",
     "48ceeb6308b87d46e95d656112cdf18d97915f9765658957", true},
    {"Tiger - A Fast New Hash Function, by Ross Anderson and Eli Biham",
     "8a866829040a410c729ad23f5ada711603b3cdd357e4c15e", true},
    {"Tiger - A Fast New Hash Function, by Ross Anderson and Eli Biham, proceedings of Fast "
     "Software Encryption 3, Cambridge.",
     "ce55a6afd591f5ebac547ff84f89227f9331dab0b611c889", true},
    {"Tiger - A Fast New Hash Function, by Ross Anderson and Eli Biham, proceedings of Fast "
     "Software Encryption 3, Cambridge, 1996.",
     "631abdd103eb9a3d245b6dfd4d77b257fc7439501d1568dd", true},
};

class TigerPublished : public ::testing::TestWithParam<TigerVector> {};

TEST_P(TigerPublished, OursDiffersOnlyThroughTheArithmeticShift) {
  const TigerVector& vector = GetParam();
  PublishedTiger published;
  EXPECT_EQ(DigestOf(published, vector.text), vector.digest);
  THash_Tiger ours;
  EXPECT_EQ(DigestOf(ours, vector.text) == vector.digest, !vector.shiftMatters);
}

INSTANTIATE_TEST_SUITE_P(Tiger, TigerPublished, ::testing::ValuesIn(TigerVectors));

TEST(Tiger, SBoxesAreThePublishedOnes) {
  EXPECT_EQ(TigerSBoxes[0][0], 0x02AAB17CF7E90C5Eu);
  EXPECT_EQ(TigerSBoxes[1][0], 0xE6A6BE5A05A12138u);
  EXPECT_EQ(TigerSBoxes[2][0], 0xF49FCC2FF1DAF39Bu);
  EXPECT_EQ(TigerSBoxes[3][0], 0x5B0E608526323C55u);
  EXPECT_EQ(TigerSBoxes[3][255], 0xC3A0396F7363A51Fu);
}

TEST(Tiger, PassesOutsideThreeToThirtyTwoFallBackToThree) {
  THash_Tiger tiger;
  const std::string threePasses = DigestOf(tiger, "abc");
  for (int passes : {0, 2, 33}) {
    tiger.SetPasses(passes);
    EXPECT_EQ(DigestOf(tiger, "abc"), threePasses) << passes;
    EXPECT_EQ(tiger.Passes(), 3);
  }
  tiger.SetPasses(4);
  const std::string fourPasses = DigestOf(tiger, "abc");
  EXPECT_EQ(tiger.Passes(), 4);
  EXPECT_NE(fourPasses, threePasses);
  tiger.SetPasses(32);
  EXPECT_NE(DigestOf(tiger, "abc"), fourPasses);
}

// A message split anywhere gives the digest of one Update; empty and
// negative sizes in between absorb nothing. The Square hash is the one class
// whose feed-forward depends on the split.
TEST(HashFamily, PiecesGiveTheDigestOfOneUpdate) {
  std::string message(1000, '\0');
  for (std::size_t i = 0; i < message.size(); ++i)
    message[i] = static_cast<char>((i * 167 + 13) ^ (i >> 3));
  ASSERT_FALSE(HashRegistry().empty());
  for (const HashRegistryEntry& entry : HashRegistry()) {
    if (entry.cls->className == "THash_Square") continue;
    SCOPED_TRACE(std::string(entry.cls->className));
    HashPtr hash = entry.cls->Create();
    const std::string whole = DigestOf(*hash, message);
    for (int piece : {1, 63, 64, 65, 127, 128, 129}) {
      hash->Init();
      for (std::size_t done = 0; done < message.size(); done += static_cast<std::size_t>(piece)) {
        const int n = static_cast<int>(std::min<std::size_t>(piece, message.size() - done));
        hash->Update(message.data() + done, n);
        hash->Update(message.data(), 0);
        hash->Update(message.data(), -7);
      }
      hash->Final();
      EXPECT_EQ(Hex(*hash), whole) << "pieces of " << piece;
    }
  }
}

TEST(HashFamily, RegisteredInOrderWithRipeMD256AsDefault) {
  std::vector<const THashClass*> registered;
  for (const HashRegistryEntry& entry : HashRegistry())
    if (std::find(std::begin(FamilyClasses), std::end(FamilyClasses), entry.cls) !=
        std::end(FamilyClasses))
      registered.push_back(entry.cls);
  EXPECT_EQ(registered, std::vector<const THashClass*>(std::begin(FamilyClasses),
                                                        std::end(FamilyClasses)));
  EXPECT_EQ(DefaultHashClass(), &THash_RipeMD256::Class);
  EXPECT_EQ(HashClassByName("Message Digest 5"), &THash_MD5::Class);
}

TEST(HashString, EmptyMd5IsTheRfc1321ValueInUpperCase) {
  EXPECT_EQ(THash_MD5::Class.HashString("", nullptr, FormatHEX),
            "D41D8CD98F00B204E9800998ECF8427E");
}

// A hash constructed in storage that outlives it, so the bytes where its
// digest was can be read after the destructor has run.
template <class T>
class DestroyedHash : public ::testing::Test {};

using FamilyTypes = ::testing::Types<THash_MD4, THash_MD5, THash_SHA, THash_SHA1, THash_RipeMD128,
                                     THash_RipeMD160, THash_RipeMD256, THash_RipeMD320, THash_Tiger>;
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
