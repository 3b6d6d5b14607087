// What every registered hash and checksum class must do: give its reference
// digest, take its part in a protection chain, be found under its names, and
// (all but the Square hash) give the same digest however the message is split.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "crypto/registry.h"
#include "framework/framework.h"
#include "hash/hash_test_helpers.h"
#include "hash/md4_family.h"
#include "hash/square_hash.h"

namespace hushlake {
namespace {

using namespace testing_support;

// Test parameters are made before main runs, so the registry is filled here.
std::vector<const THashClass*> RegisteredHashes() {
  StartFramework();
  std::vector<const THashClass*> classes;
  for (const HashRegistryEntry& entry : HashRegistry()) classes.push_back(entry.cls);
  return classes;
}

// The Square hash's feed-forward depends on the split (its own tests show how).
std::vector<const THashClass*> SplitFreeHashes() {
  std::vector<const THashClass*> classes = RegisteredHashes();
  std::erase(classes, &THash_Square::Class);
  return classes;
}

std::string ClassName(const ::testing::TestParamInfo<const THashClass*>& info) {
  return std::string(info.param->className);
}

class EveryHash : public ::testing::TestWithParam<const THashClass*> {};

TEST_P(EveryHash, DigestOfTestInputIsTheReferenceDigest) {
  const THashClass& cls = *GetParam();
  HashPtr hash = cls.Create();
  ASSERT_EQ(static_cast<std::size_t>(hash->DigestSize()), cls.ReferenceDigest().size());
  hash->Init();
  hash->Update(TestInput.data(), static_cast<int>(TestInput.size()));
  hash->Final();
  const std::string reference = ToHex(cls.ReferenceDigest());
  EXPECT_EQ(ToHex(hash->DigestBytes()), reference);

  // Init must throw away whatever the instance absorbed before.
  hash->Init();
  hash->Update("left over", 9);
  EXPECT_EQ(HexDigest(*hash, TestInputText()), reference);
}

// Every own Init must key through a linked MAC (the key's digest goes into
// the initial chaining value) and every own Final must hand the digest on to
// a linked protection.
TEST_P(EveryHash, InitAndFinalRunTheChainHooks) {
  const THashClass& cls = *GetParam();
  const ByteString message = PatternBytes(300);
  const auto keyed = [&](const ByteString& key) {
    return HexDigest(*cls.Create(std::make_shared<TMAC>(key)), message);
  };
  const std::string plain = HexDigest(cls, message);
  EXPECT_EQ(keyed(""), plain);
  const std::string first = keyed("first key");
  EXPECT_NE(first, plain);
  EXPECT_NE(first, keyed("second key"));
  EXPECT_NE(HexDigest(*cls.Create(THash_MD4::Class.Create()), message), plain);
}

TEST_P(EveryHash, IsCreatedAndFoundUnderItsNames) {
  const THashClass& cls = *GetParam();
  EXPECT_EQ(&cls.Create()->ClassType(), &cls);
  EXPECT_EQ(HashClassByName(cls.className), &cls);
  EXPECT_EQ(HashClassByName(cls.displayName), &cls);
  EXPECT_EQ(HashClassName(&cls), cls.displayName);
}

INSTANTIATE_TEST_SUITE_P(Registered, EveryHash, ::testing::ValuesIn(RegisteredHashes()), ClassName);

class EverySplitFreeHash : public ::testing::TestWithParam<const THashClass*> {};

// Pieces around the block sizes, with empty and negative Updates in between.
TEST_P(EverySplitFreeHash, PiecesGiveTheDigestOfOneUpdate) {
  const THashClass& cls = *GetParam();
  const ByteString message = PatternBytes(1000);
  const std::string whole = HexDigest(cls, message);
  for (std::size_t piece : {1, 63, 64, 65, 127, 128, 129})
    EXPECT_EQ(HexDigest(cls, message, {piece}), whole) << "pieces of " << piece;
}

INSTANTIATE_TEST_SUITE_P(Registered, EverySplitFreeHash, ::testing::ValuesIn(SplitFreeHashes()),
                         ClassName);

TEST(HashRegistry, DefaultIsRipeMD256) { EXPECT_EQ(DefaultHashClass(), &THash_RipeMD256::Class); }

}  // namespace
}  // namespace hushlake
