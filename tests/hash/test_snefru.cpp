// Snefru-256: the shared passes and S-boxes against the designer's published
// hash, the system's differences from it, and the final blocks.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>

#include "crypto/bytes.h"
#include "hash/hash_test_helpers.h"
#include "hash/snefru.h"

namespace hushlake {
namespace {

using namespace testing_support;

constexpr std::string_view Merkle =
    "Merkle's Snefru 2.5a reference package (testSnefru256 / correctSnefru256Output)";
constexpr std::string_view RHash = "RHash test suite (librhash/test_lib.c)";

// Snefru-256 with 8 passes. No class gives these: PublishedSnefru256 below does.
const PublishedVector Published[] = {
    {nullptr, "", "8617f366566a011837f4fb4ba5bedea2b892f3ed8b894023d16ae344b2be5881", Merkle},
    {nullptr, "1\n", "bfea4a05a2a2ef15c736d114598a20b9d9bd4d66b661e6b05ecf6a7737bdc58c", Merkle},
    {nullptr, "123\n", "061c76aa1db4a22c0e42945e26c48499b5400162e08c640be05d3c007c44793d", Merkle},
    {nullptr, "12345\n", "1b59927d85a9349a87796620fe2ff401a06a7ba48794498ebab978efc3a68912",
     Merkle},
    {nullptr, "1234567\n", "f7fff4ee74fd1b8d6b3267f84e47e007f029d13b8af7e37e34d13b469b8f248f",
     Merkle},
    {nullptr, "123456789\n", "4ca72639e40e9ab9c0c3f523c4449b3911632d374c124d7702192ec2e4e0b7a3",
     Merkle},
    {nullptr, "a", "45161589ac317be0ceba70db2573ddda6e668a31984b39bf65e4b664b584c63d", RHash},
    {nullptr, "message digest", "c5d4ce38daa043bdd59ed15db577500c071b917c1a46cd7b4d30b44a44c86df8",
     RHash},
    {nullptr, "The quick brown fox jumps over the lazy dog",
     "674caa75f9d8fd2089856b95e93a4fb42fa6c8702f8980e11d97a142d76cb358", RHash},
    {nullptr, "12345678901234567890123456789012345678901234567890123456789012345678901234567890",
     "d5fce38a152a2d9b83ab44c29306ee45ab0aed0e38c957ec431dab6ed6bb71b8", RHash},
};

// The published hash built on the same passes: message words big-endian,
// output word i = old chaining word i XOR word 15 - i after the passes, a
// zero-filled last block, then 24 zero bytes and the big-endian bit length;
// the digest is the chaining words big-endian.
std::string PublishedSnefru256(std::string_view message) {
  std::array<std::uint32_t, 8> chain{};
  auto compress = [&chain](const char* block) {
    snefru::WorkBlock work{};
    for (int i = 0; i < 8; ++i) {
      work[i] = chain[i];
      work[8 + i] = LoadBE32(block + 4 * i);
    }
    snefru::RunPasses(work, 8);
    for (int i = 0; i < 8; ++i) chain[i] ^= work[15 - i];
  };
  ByteString padded(message);
  padded.resize((padded.size() + 31) / 32 * 32, '\0');
  ByteString lengthBlock(32, '\0');
  StoreBE32(lengthBlock.data() + 28, static_cast<std::uint32_t>(message.size() * 8));
  padded += lengthBlock;
  for (std::size_t at = 0; at < padded.size(); at += 32) compress(padded.data() + at);
  ByteString digest(32, '\0');
  for (int i = 0; i < 8; ++i) StoreBE32(digest.data() + 4 * i, chain[i]);
  return ToHex(digest);
}

class PublishedSnefruTest : public ::testing::TestWithParam<PublishedVector> {};

// The shared passes and S-boxes give the published hash, while byte order,
// padding and output step make the system's digest another one.
TEST_P(PublishedSnefruTest, PassesGiveThePublishedHashTheSystemsDigestDiffers) {
  const PublishedVector& vector = GetParam();
  EXPECT_EQ(PublishedSnefru256(vector.Message()), vector.digest) << vector.source;
  EXPECT_NE(HexDigest(THash_Snefru::Class, vector.Message()), vector.digest);
}

INSTANTIATE_TEST_SUITE_P(Snefru256, PublishedSnefruTest, ::testing::ValuesIn(Published),
                         PublishedVectorName);

struct FinalBlockCase {
  std::size_t length;
  std::size_t zerosBeforeLength;  // after the message
};

void PrintTo(const FinalBlockCase& c, std::ostream* out) { *out << c.length << " bytes"; }

// 0 bytes: a single length block; 23: the length inside the data block;
// 24 and 32: an extra block of 24 zero bytes and the length.
const FinalBlockCase FinalBlockCases[] = {{0, 24}, {23, 1}, {24, 8 + 24}, {32, 24}};

class SnefruFinalBlock : public ::testing::TestWithParam<FinalBlockCase> {};

// The message padded by hand, hashed without Final, must end where Final does.
TEST_P(SnefruFinalBlock, IsZeroFilledWithTheLittleEndianLength) {
  const FinalBlockCase& c = GetParam();
  const ByteString message = PatternBytes(c.length);
  const ByteString padded =
      message + ByteString(c.zerosBeforeLength, '\0') + LittleEndianBitLength(c.length);
  ASSERT_EQ(padded.size() % 32, 0u);
  THash_Snefru hash;
  EXPECT_EQ(HexDigest(THash_Snefru::Class, message), HexChainingValue(hash, padded));
}

INSTANTIATE_TEST_SUITE_P(Lengths, SnefruFinalBlock, ::testing::ValuesIn(FinalBlockCases),
                         [](const auto& param) {
                           return "Bytes" + std::to_string(param.param.length);
                         });

}  // namespace
}  // namespace hushlake
