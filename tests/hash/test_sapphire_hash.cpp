// The Sapphire II hash: the digest size enters the finishing sequence.
#include <gtest/gtest.h>

#include <string>

#include "crypto/support.h"
#include "hash/hash_other_helpers.h"
#include "hash/sapphire_hash.h"

namespace hushlake {
namespace {

using testing_support::HexDigest;

const THashClass* const SapphireSizes[] = {
    &THash_Sapphire128::Class, &THash_Sapphire160::Class, &THash_Sapphire192::Class,
    &THash_Sapphire224::Class, &THash_Sapphire256::Class, &THash_Sapphire288::Class,
    &THash_Sapphire320::Class};

TEST(SapphireHash, NoShorterDigestStartsALongerOne) {
  const std::string testInput(TestInput.begin(), TestInput.end());
  for (const std::string& message : {std::string(), testInput}) {
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
  const std::string input(TestInput.begin(), TestInput.end());
  EXPECT_NE(HexDigest(THash_Sapphire256::Class, input).substr(0, 2),
            HexDigest(THash_Sapphire320::Class, input).substr(0, 2));
}

TEST(SapphireHash, FinalAgainWithoutInitAddsNewOutputToTheDigest) {
  THash_Sapphire256 hash;
  hash.Init();
  hash.Final();
  const std::string first = hash.DigestBytes();
  EXPECT_EQ(testing_support::ToHex(first), HexDigest(THash_Sapphire256::Class, ""));
  hash.Final();
  EXPECT_NE(hash.DigestBytes(), first);
}

}  // namespace
}  // namespace hushlake
