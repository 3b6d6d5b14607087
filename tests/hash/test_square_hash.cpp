// The Square hash: its padding, and the feed-forward that makes the digest
// depend on how the message is split into Update calls.
#include <gtest/gtest.h>

#include <string>

#include "hash/hash_test_helpers.h"
#include "hash/square_hash.h"

namespace hushlake {
namespace {

using namespace testing_support;

std::string DigestOfPieces(const ByteString& message, PieceSizes pieces) {
  return HexDigest(THash_Square::Class, message, pieces);
}

// Final compresses its blocks from the block buffer, so their own first four
// bytes are their feed-forward. Feeding blocks byte by byte does the same;
// the digest area then holds the chaining value Final must arrive at.
std::string ChainingValueAfterBufferedBlocks(const ByteString& blocks) {
  THash_Square hash;
  return HexChainingValue(hash, blocks, {1});
}

class SquareFinalBlocks : public ::testing::TestWithParam<std::size_t> {};

// Up to 7 bytes the 0x80 marker and the length share one block; from 8 bytes
// on an extra block of eight zero bytes and the length follows.
TEST_P(SquareFinalBlocks, AreTheMarkerZerosAndLittleEndianLength) {
  const std::size_t length = GetParam();
  const ByteString message = PatternBytes(length);
  ByteString padded = message + '\x80';
  if (length < 8) {
    padded += ByteString(7 - length, '\0') + LittleEndianBitLength(length);
  } else {
    padded += ByteString(15 - length, '\0') + ByteString(8, '\0') + LittleEndianBitLength(length);
  }
  ASSERT_EQ(padded.size() % 16, 0u);
  EXPECT_EQ(HexDigest(THash_Square::Class, message), ChainingValueAfterBufferedBlocks(padded));
}

INSTANTIATE_TEST_SUITE_P(Lengths, SquareFinalBlocks, ::testing::Values(0u, 7u, 8u, 15u),
                         [](const auto& tested) {
                           std::string name = "Bytes";
                           name += std::to_string(tested.param);
                           return name;
                         });

TEST(SquareSplit, WholeBlocksPerCallKeepTheOneCallDigest) {
  const ByteString message = PatternBytes(48);
  EXPECT_EQ(DigestOfPieces(message, {16, 32}), HexDigest(THash_Square::Class, message));
}

// Block two repeats block one. Split 8 + 24, block two is compressed straight
// from the data while the buffer holds the completed block one; bytewise, it
// is compressed from the buffer holding itself. Both give block two the same
// feed-forward, which one call does not.
TEST(SquareSplit, CompletedBlockFeedsForwardIntoTheWholeBlocksAfterIt) {
  const ByteString block = PatternBytes(16);
  const ByteString message = block + block;
  const std::string split = DigestOfPieces(message, {8, 24});
  EXPECT_EQ(split, DigestOfPieces(message, {1}));
  EXPECT_NE(split, HexDigest(THash_Square::Class, message));
}

// The completed block stays in the buffer between calls, so a whole block
// in a later call takes the same feed-forward as one in the same call.
TEST(SquareSplit, CompletedBlockStaysInTheBufferForLaterCalls) {
  const ByteString message = PatternBytes(48);
  EXPECT_EQ(DigestOfPieces(message, {20, 12, 16}), DigestOfPieces(message, {20, 28}));
}

}  // namespace
}  // namespace hushlake
