// The Sapphire II hash: the digest size enters the finishing sequence.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "hash/hash_test_helpers.h"
#include "hash/sapphire_hash.h"

namespace hushlake {
namespace {

using namespace testing_support;

const THashClass* const SapphireSizes[] = {&THash_Sapphire128::Class, &THash_Sapphire160::Class,
                                           &THash_Sapphire192::Class, &THash_Sapphire224::Class,
                                           &THash_Sapphire256::Class, &THash_Sapphire288::Class,
                                           &THash_Sapphire320::Class};

TEST(SapphireHash, NoShorterDigestStartsALongerOne) {
  for (std::string_view message : {std::string_view(), TestInputText()}) {
    for (const THashClass* shorter : SapphireSizes)
      for (const THashClass* longer : SapphireSizes) {
        if (shorter->digestSize >= longer->digestSize) continue;
        const std::string head = HexDigest(*shorter, message);
        EXPECT_NE(HexDigest(*longer, message).substr(0, head.size()), head)
            << shorter->className << " " << longer->className;
      }
  }
}

// The size is the first byte that Final absorbs, so it changes every output byte.
TEST(SapphireHash, Sizes256And320DifferInTheFirstByteOfTestInput) {
  EXPECT_NE(HexDigest(THash_Sapphire256::Class, TestInputText()).substr(0, 2),
            HexDigest(THash_Sapphire320::Class, TestInputText()).substr(0, 2));
}

TEST(SapphireHash, FinalAgainWithoutInitAddsNewOutputToTheDigest) {
  THash_Sapphire256 hash;
  hash.Init();
  hash.Final();
  const std::string first = DigestHex(hash);
  EXPECT_EQ(first, HexDigest(THash_Sapphire256::Class, ""));
  hash.Final();
  EXPECT_NE(DigestHex(hash), first);
}

}  // namespace
}  // namespace hushlake
