// What the HAVAL, Sapphire II, Snefru, Square and checksum classes add to the
// properties every class has: their class facts, how a MAC key enters them,
// and their part as a protection.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "crypto/support.h"
#include "hash/checksums.h"
#include "hash/hash_test_helpers.h"
#include "hash/haval.h"
#include "hash/sapphire_hash.h"
#include "hash/snefru.h"
#include "hash/square_hash.h"

namespace hushlake {
namespace {

using namespace testing_support;

struct ClassFacts {
  const THashClass* cls;
  const char* className;
  const char* displayName;
  const char* category;
  int digestSize;
  int blockSize;
};

void PrintTo(const ClassFacts& facts, std::ostream* out) { *out << facts.className; }

// Source: the system's class table, in registration order.
const ClassFacts OurClasses[] = {
    {&THash_Haval128::Class, "THash_Haval128", "Haval-128", "Hash", 16, 128},
    {&THash_Haval160::Class, "THash_Haval160", "Haval-160", "Hash", 20, 128},
    {&THash_Haval192::Class, "THash_Haval192", "Haval-192", "Hash", 24, 128},
    {&THash_Haval224::Class, "THash_Haval224", "Haval-224", "Hash", 28, 128},
    {&THash_Haval256::Class, "THash_Haval256", "Haval-256", "Hash", 32, 128},
    {&THash_Sapphire128::Class, "THash_Sapphire128", "Sapphire II-128", "Hash", 16, 1},
    {&THash_Sapphire160::Class, "THash_Sapphire160", "Sapphire II-160", "Hash", 20, 1},
    {&THash_Sapphire192::Class, "THash_Sapphire192", "Sapphire II-192", "Hash", 24, 1},
    {&THash_Sapphire224::Class, "THash_Sapphire224", "Sapphire II-224", "Hash", 28, 1},
    {&THash_Sapphire256::Class, "THash_Sapphire256", "Sapphire II-256", "Hash", 32, 1},
    {&THash_Sapphire288::Class, "THash_Sapphire288", "Sapphire II-288", "Hash", 36, 1},
    {&THash_Sapphire320::Class, "THash_Sapphire320", "Sapphire II-320", "Hash", 40, 1},
    {&THash_Snefru::Class, "THash_Snefru", "Snefru-256", "Hash", 32, 32},
    {&THash_Square::Class, "THash_Square", "Square", "Hash", 16, 16},
    {&THash_XOR16::Class, "THash_XOR16", "XOR-16", "Checksum", 2, 1},
    {&THash_XOR32::Class, "THash_XOR32", "XOR-32", "Checksum", 4, 2},
    {&THash_CRC16_CCITT::Class, "THash_CRC16_CCITT", "CRC-16 CCITT", "Checksum", 2, 1},
    {&Thash_CRC16_Standard::Class, "Thash_CRC16_Standard", "CRC-16 Standard", "Checksum", 2, 1},
    {&THash_CRC32::Class, "THash_CRC32", "CRC-32", "Checksum", 4, 1},
};

class OurHashClass : public ::testing::TestWithParam<ClassFacts> {};

TEST_P(OurHashClass, StatesTheClassFactsOfTheClassTable) {
  const ClassFacts& facts = GetParam();
  EXPECT_EQ(facts.cls->className, facts.className);
  EXPECT_EQ(facts.cls->displayName, facts.displayName);
  EXPECT_EQ(facts.cls->category, facts.category);
  EXPECT_EQ(facts.cls->digestSize, facts.digestSize);
  EXPECT_EQ(facts.cls->blockSize, facts.blockSize);
}

INSTANTIATE_TEST_SUITE_P(AllOfThem, OurHashClass, ::testing::ValuesIn(OurClasses),
                         [](const auto& param) { return std::string(param.param.className); });

TEST(MacKeyed, KeyDigestIsXoredIntoTheInitialChainingValue) {
  const ByteString key = "the key";
  THash_Haval256 plain;
  plain.Init();
  const ByteString initial = plain.DigestBytes();
  THash_Haval256 keyed(std::make_shared<TMAC>(key));
  keyed.Init();
  ByteString expected = THash_Haval256::Class.HashString(key, nullptr, FormatCopy);
  XorBuffers(expected.data(), initial.data(), static_cast<int>(expected.size()), expected.data());
  EXPECT_EQ(DigestHex(keyed), ToHex(expected));
}

// The Sapphire II hash XORs its output into the digest area, so a key's
// digest left there by Init shows up unchanged in the result.
TEST(MacKeyed, SapphireKeyedDigestIsTheKeyDigestXorTheUnkeyedOne) {
  const ByteString key = "the key";
  const ByteString message = PatternBytes(300);
  ByteString expected = THash_Sapphire320::Class.HashString(key, nullptr, FormatCopy);
  const ByteString plain = THash_Sapphire320::Class.HashString(message, nullptr, FormatCopy);
  XorBuffers(expected.data(), plain.data(), static_cast<int>(expected.size()), expected.data());
  THash_Sapphire320 keyed(std::make_shared<TMAC>(key));
  EXPECT_EQ(HexDigest(keyed, message), ToHex(expected));
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
  EXPECT_EQ(DigestHex(hash), HexDigest(THash_Haval224::Class, original));
}

}  // namespace
}  // namespace hushlake
