// Properties every HAVAL, Sapphire II, Snefru, Square and checksum class must
// have: its class facts and reference digest, its place in the registry,
// split-independence, and its part in a protection chain.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include "crypto/registry.h"
#include "crypto/support.h"
#include "hash/checksums.h"
#include "hash/hash_other_helpers.h"
#include "hash/haval.h"
#include "hash/sapphire_hash.h"
#include "hash/snefru.h"
#include "hash/square_hash.h"

namespace hushlake {
namespace {

using testing_support::HexDigest;
using testing_support::HexDigestInPieces;
using testing_support::PatternBytes;
using testing_support::ToHex;

struct ClassFacts {
  const THashClass* cls;
  const char* className;
  const char* displayName;
  const char* category;
  int digestSize;
  int blockSize;
  const char* referenceDigest;  // of TestInput
};

// Source: the system's class table and its table of reference digests, in
// registration order.
const ClassFacts OurClasses[] = {
    {&THash_Haval128::Class, "THash_Haval128", "Haval-128", "Hash", 16, 128,
     "d8cbcdec7afdc8a5f27bd212b9339abd"},
    {&THash_Haval160::Class, "THash_Haval160", "Haval-160", "Hash", 20, 128,
     "13ddbd3233bc048d6df6635637e2a0d0531b9003"},
    {&THash_Haval192::Class, "THash_Haval192", "Haval-192", "Hash", 24, 128,
     "30aeec3fc18e6118a4f2a3e8066c3b64a6a92e7de252a0b5"},
    {&THash_Haval224::Class, "THash_Haval224", "Haval-224", "Hash", 28, 128,
     "323adcb375b58f5a6af16689995a7a98716e2277bc02293867a5cce1"},
    {&THash_Haval256::Class, "THash_Haval256", "Haval-256", "Hash", 32, 128,
     "e992c1fb79e9baa8285c7a730beb0c7cadf3f7ad26d7efe21ff4bf675769d59a"},
    {&THash_Sapphire128::Class, "THash_Sapphire128", "Sapphire II-128", "Hash", 16, 1,
     "47ae1613c93a942d26748d62432688d8"},
    {&THash_Sapphire160::Class, "THash_Sapphire160", "Sapphire II-160", "Hash", 20, 1,
     "73d91aceb175fd04907a97413c200f532c22b38c"},
    {&THash_Sapphire192::Class, "THash_Sapphire192", "Sapphire II-192", "Hash", 24, 1,
     "95413fe02b527e50b5ff57eb763d325129eb796f4a64fb17"},
    {&THash_Sapphire224::Class, "THash_Sapphire224", "Sapphire II-224", "Hash", 28, 1,
     "8f3ec55792316cdfca40183a8608089934fdeb21aba4520f4017d3d0"},
    {&THash_Sapphire256::Class, "THash_Sapphire256", "Sapphire II-256", "Hash", 32, 1,
     "e7c82b6d258afde0344293a3e2e52896a546506b1393861b40c6934b51fa66dd"},
    {&THash_Sapphire288::Class, "THash_Sapphire288", "Sapphire II-288", "Hash", 36, 1,
     "40f65a37d8cb1165dcfbde632b2cbe9c2bb7f3ed22d1ebef0fa188ed23f07f9c7e613740"},
    {&THash_Sapphire320::Class, "THash_Sapphire320", "Sapphire II-320", "Hash", 40, 1,
     "d8eda5749948ac0b0090cd8761f218dba41dcb73e43399dd37120693973395004acf86db236de76b"},
    {&THash_Snefru::Class, "THash_Snefru", "Snefru-256", "Hash", 32, 32,
     "d690ee6728d9ba02a3c790ee507319741fbf6b83eb9a6bdff57ad8c3078da434"},
    {&THash_Square::Class, "THash_Square", "Square", "Hash", 16, 16,
     "808f35ea00a7773337ce559826ddb324"},
    {&THash_XOR16::Class, "THash_XOR16", "XOR-16", "Checksum", 2, 1, "79e8"},
    {&THash_XOR32::Class, "THash_XOR32", "XOR-32", "Checksum", 4, 2, "8dad897f"},
    {&THash_CRC16_CCITT::Class, "THash_CRC16_CCITT", "CRC-16 CCITT", "Checksum", 2, 1, "b0d1"},
    {&Thash_CRC16_Standard::Class, "Thash_CRC16_Standard", "CRC-16 Standard", "Checksum", 2, 1,
     "ed75"},
    {&THash_CRC32::Class, "THash_CRC32", "CRC-32", "Checksum", 4, 1, "58ee1f31"},
};

std::string TestInputBytes() { return std::string(TestInput.begin(), TestInput.end()); }

class OurHashClass : public ::testing::TestWithParam<ClassFacts> {};

TEST_P(OurHashClass, DigestOfTestInputIsTheReferenceDigest) {
  const ClassFacts& facts = GetParam();
  EXPECT_EQ(HexDigest(*facts.cls, TestInputBytes()), facts.referenceDigest);
  EXPECT_EQ(facts.cls->referenceDigestHex, facts.referenceDigest);
  EXPECT_EQ(ToHex(facts.cls->ReferenceDigest()), facts.referenceDigest);
}

TEST_P(OurHashClass, StatesTheClassFactsOfTheClassTable) {
  const ClassFacts& facts = GetParam();
  EXPECT_EQ(facts.cls->className, facts.className);
  EXPECT_EQ(facts.cls->displayName, facts.displayName);
  EXPECT_EQ(facts.cls->category, facts.category);
  EXPECT_EQ(facts.cls->digestSize, facts.digestSize);
  EXPECT_EQ(facts.cls->blockSize, facts.blockSize);
  HashPtr hash = facts.cls->Create();
  EXPECT_EQ(&hash->ClassType(), facts.cls);
  EXPECT_EQ(hash->DigestSize(), facts.digestSize);
}

TEST_P(OurHashClass, IsFoundByItsShortNameAndItsDisplayName) {
  const ClassFacts& facts = GetParam();
  EXPECT_EQ(HashClassByName(facts.className), facts.cls);
  EXPECT_EQ(HashClassByName(facts.displayName), facts.cls);
  EXPECT_EQ(HashClassName(facts.cls), facts.displayName);
}

// Every class but the Square hash, whose feed-forward depends on the split.
TEST_P(OurHashClass, PiecesGiveTheDigestOfOneCall) {
  const ClassFacts& facts = GetParam();
  if (facts.cls == &THash_Square::Class) GTEST_SKIP() << "the split changes Square digests";
  const ByteString message = PatternBytes(1000);
  const std::string whole = HexDigest(*facts.cls, message);
  for (std::size_t piece : {1, 63, 64, 65, 127, 128, 129}) {
    SCOPED_TRACE(piece);
    EXPECT_EQ(HexDigestInPieces(*facts.cls, message, piece), whole);
  }
}

INSTANTIATE_TEST_SUITE_P(AllOfThem, OurHashClass, ::testing::ValuesIn(OurClasses),
                         [](const auto& param) { return std::string(param.param.className); });

TEST(OurHashClasses, AreRegisteredInTheFixedOrder) {
  const auto& registry = HashRegistry();
  std::vector<const THashClass*> ours;
  for (const auto& entry : registry)
    for (const ClassFacts& facts : OurClasses)
      if (entry.cls == facts.cls) ours.push_back(entry.cls);
  ASSERT_EQ(ours.size(), std::size(OurClasses));
  for (std::size_t i = 0; i < ours.size(); ++i) EXPECT_EQ(ours[i], OurClasses[i].cls) << i;
}

// A hash linked behind a TMAC: the key's digest keys the initial chaining value.
class MacKeyed : public ::testing::Test {
 protected:
  static std::string KeyedDigest(const THashClass& cls, const ByteString& key,
                                 const ByteString& message) {
    HashPtr hash = cls.Create(std::make_shared<TMAC>(key));
    hash->Init();
    hash->Update(message.data(), static_cast<int>(message.size()));
    hash->Final();
    return ToHex(hash->DigestBytes());
  }
  const ByteString message_ = PatternBytes(300);
};

TEST_F(MacKeyed, EmptyKeyChangesNothing) {
  for (const THashClass* cls : {&THash_Haval256::Class, &THash_Snefru::Class,
                                &THash_Square::Class, &THash_Sapphire256::Class}) {
    SCOPED_TRACE(cls->className);
    EXPECT_EQ(KeyedDigest(*cls, "", message_), HexDigest(*cls, message_));
  }
}

TEST_F(MacKeyed, DifferentKeysGiveDifferentDigests) {
  for (const THashClass* cls : {&THash_Haval256::Class, &THash_Snefru::Class,
                                &THash_Square::Class, &THash_Sapphire256::Class}) {
    SCOPED_TRACE(cls->className);
    const std::string first = KeyedDigest(*cls, "first key", message_);
    const std::string second = KeyedDigest(*cls, "second key", message_);
    EXPECT_NE(first, second);
    EXPECT_NE(first, HexDigest(*cls, message_));
  }
}

TEST_F(MacKeyed, KeyDigestIsXoredIntoTheInitialChainingValue) {
  const ByteString key = "the key";
  THash_Haval256 plain;
  plain.Init();
  const ByteString initial = plain.DigestBytes();
  THash_Haval256 keyed(std::make_shared<TMAC>(key));
  keyed.Init();
  ByteString expected = THash_Haval256::Class.HashString(key, nullptr, FormatCopy);
  XorBuffers(expected.data(), initial.data(), static_cast<int>(expected.size()), expected.data());
  EXPECT_EQ(ToHex(keyed.DigestBytes()), ToHex(expected));
}

// The Sapphire II hash XORs its output into the digest area, so a key's
// digest left there by Init shows up unchanged in the result.
TEST_F(MacKeyed, SapphireKeyedDigestIsTheKeyDigestXorTheUnkeyedOne) {
  const ByteString key = "the key";
  ByteString expected = THash_Sapphire320::Class.HashString(key, nullptr, FormatCopy);
  const ByteString plain = THash_Sapphire320::Class.HashString(message_, nullptr, FormatCopy);
  XorBuffers(expected.data(), plain.data(), static_cast<int>(expected.size()), expected.data());
  EXPECT_EQ(KeyedDigest(THash_Sapphire320::Class, key, message_), ToHex(expected));
}

TEST(HashAsProtection, EncodeThenDecodeRestoresTheData) {
  const ByteString original = PatternBytes(333);
  for (const THashClass* cls : {&THash_Haval160::Class, &THash_Snefru::Class,
                                &THash_Sapphire288::Class, &THash_CRC32::Class}) {
    SCOPED_TRACE(cls->className);
    ByteString data = original;
    cls->Create()->ProcessBuffer(data.data(), static_cast<int>(data.size()), caEncode);
    EXPECT_NE(data, original);
    cls->Create()->ProcessBuffer(data.data(), static_cast<int>(data.size()), caDecode);
    EXPECT_EQ(data, original);
  }
}

TEST(HashAsProtection, CalculateLeavesTheDataAndYieldsItsDigest) {
  const ByteString original = PatternBytes(333);
  ByteString data = original;
  THash_Haval224 hash;
  hash.ProcessBuffer(data.data(), static_cast<int>(data.size()), caCalculate);
  EXPECT_EQ(data, original);
  EXPECT_EQ(ToHex(hash.DigestBytes()), HexDigest(THash_Haval224::Class, original));
}

}  // namespace
}  // namespace hushlake
